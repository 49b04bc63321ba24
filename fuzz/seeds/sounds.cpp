// WAV files of every form the reader takes, with chunks around the two it
// looks for; Ogg Vorbis streams from our encoder.
#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "fuzz/seeds/Seeds.h"
#include "tools/common/BinaryWriter.h"
#include "tools/common/OggVorbisWriter.h"

namespace {

struct Chunk {
    std::string id;
    std::vector<uint8_t> body;
};

Chunk Format(uint16_t channels, uint32_t rate, uint16_t bits)
{
    Tools::BinaryWriter w;
    w.U16(1);
    w.U16(channels);
    w.U32(rate);
    w.U32(rate * channels * bits / 8);
    w.U16(static_cast<uint16_t>(channels * bits / 8));
    w.U16(bits);
    return {"fmt ", w.Data()};
}

// Each chunk padded to an even length, as RIFF lays them out.
std::vector<uint8_t> Riff(const std::vector<Chunk>& chunks)
{
    Tools::BinaryWriter w;
    w.Chars("RIFF");
    w.U32(0);
    w.Chars("WAVE");
    for (const Chunk& chunk : chunks) {
        w.Chars(chunk.id);
        w.U32(static_cast<uint32_t>(chunk.body.size()));
        w.Bytes(chunk.body.data(), chunk.body.size());
        if (chunk.body.size() % 2 != 0) {
            w.U8(0);
        }
    }
    w.PatchU32(4, static_cast<uint32_t>(w.Size() - 8));
    return w.Data();
}

std::vector<uint8_t> Samples(size_t count)
{
    std::vector<uint8_t> bytes(count);
    for (size_t i = 0; i < count; ++i) {
        bytes[i] = static_cast<uint8_t>(128 + 100 * std::sin(static_cast<double>(i) * 0.3));
    }
    return bytes;
}

std::vector<int16_t> Tone(size_t frames, int channels)
{
    std::vector<int16_t> samples(frames * static_cast<size_t>(channels));
    for (size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<int16_t>(9000 * std::sin(static_cast<double>(i) * 0.05));
    }
    return samples;
}

} // namespace

TANGROVE_FUZZ_SEEDS(wav)
{
    seeds.Add("mono8.wav", Riff({Format(1, 11025, 8), {"data", Samples(101)}}));
    seeds.Add("stereo16.wav", Riff({Format(2, 44100, 16), {"data", Samples(64)}}));
    seeds.Add("chunks.wav",
              Riff({{"LIST", Samples(13)}, Format(1, 22050, 16), {"fact", Samples(4)}, {"data", Samples(32)}}));
    seeds.Add("data-first.wav", Riff({{"data", Samples(20)}, Format(2, 8000, 8)}));
}

TANGROVE_FUZZ_SEEDS(ogg)
{
    for (const int channels : {1, 2}) {
        std::vector<uint8_t> bytes;
        if (!Tools::EncodeOggVorbis(Tone(2000, channels), channels, 22050, 0.0f, bytes)) {
            throw std::runtime_error("the encoder refused a seed");
        }
        seeds.Add(channels == 1 ? "mono.ogg" : "stereo.ogg", bytes);
    }
}
