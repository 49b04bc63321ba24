#include "tools/synth/SoundOutput.h"

#include <algorithm>
#include <cmath>

#include "tools/common/BinaryWriter.h"
#include "tools/common/OggVorbisWriter.h"
#include "tools/common/WaveFileWriter.h"

namespace Tools::Synth {

namespace {

int16_t ToSample(float value, double gain) {
    const double scaled = std::round(static_cast<double>(value) * gain * 32767.0);
    return static_cast<int16_t>(std::clamp(scaled, -32768.0, 32767.0));
}

double GainFor(float peak, double peakDecibels) {
    return peak > 0.0f ? DecibelsToGain(-std::fabs(peakDecibels)) / peak : 0.0;
}

} // namespace

std::vector<int16_t> LevelledPcm(const Buffer& mono, double peakDecibels) {
    const double gain = GainFor(PeakLevel(mono), peakDecibels);
    std::vector<int16_t> pcm(mono.size());
    for (size_t i = 0; i < mono.size(); ++i) {
        pcm[i] = ToSample(mono[i], gain);
    }
    return pcm;
}

std::vector<int16_t> LevelledPcm(const Stereo& stereo, double peakDecibels) {
    const double gain = GainFor(std::max(PeakLevel(stereo.left), PeakLevel(stereo.right)), peakDecibels);
    std::vector<int16_t> pcm(stereo.Frames() * 2);
    for (size_t i = 0; i < stereo.Frames(); ++i) {
        pcm[2 * i] = ToSample(stereo.left[i], gain);
        pcm[2 * i + 1] = ToSample(stereo.right[i], gain);
    }
    return pcm;
}

bool SaveWave(const std::string& path, const std::vector<int16_t>& pcm, uint16_t channels, uint32_t rate) {
    return SaveFile(path, BuildWaveFile(pcm, channels, rate));
}

bool SaveOggVorbis(const std::string& path, const std::vector<int16_t>& pcm, int channels, uint32_t rate,
                   float quality) {
    std::vector<uint8_t> bytes;
    return EncodeOggVorbis(pcm, channels, rate, quality, bytes) && SaveFile(path, bytes);
}

} // namespace Tools::Synth
