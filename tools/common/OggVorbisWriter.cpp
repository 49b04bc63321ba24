#include "tools/common/OggVorbisWriter.h"


#include <vorbis/vorbisenc.h>

namespace Tools {

namespace {

void Append(std::vector<uint8_t>& out, const ogg_page& page) {
    out.insert(out.end(), page.header, page.header + page.header_len);
    out.insert(out.end(), page.body, page.body + page.body_len);
}

// Drains the finished packets into pages; flush forces out a partial page.
void WritePackets(vorbis_dsp_state& dsp, vorbis_block& block, ogg_stream_state& stream, std::vector<uint8_t>& out) {
    ogg_packet packet;
    ogg_page page;
    while (vorbis_analysis_blockout(&dsp, &block) == 1) {
        vorbis_analysis(&block, nullptr);
        vorbis_bitrate_addblock(&block);
        while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
            ogg_stream_packetin(&stream, &packet);
            while (ogg_stream_pageout(&stream, &page) != 0) {
                Append(out, page);
            }
        }
    }
}

} // namespace

bool EncodeOggVorbis(const std::vector<int16_t>& interleaved, int channels, long rate, float quality,
                     std::vector<uint8_t>& out) {
    out.clear();
    if (channels < 1) {
        return false;
    }
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, channels, rate, quality) != 0) {
        vorbis_info_clear(&info);
        return false;
    }
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block block;
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    // A fixed serial number keeps the output the same from run to run.
    ogg_stream_init(&stream, 0x5A6F7276);

    ogg_packet identification;
    ogg_packet comments;
    ogg_packet codebooks;
    vorbis_analysis_headerout(&dsp, &comment, &identification, &comments, &codebooks);
    ogg_stream_packetin(&stream, &identification);
    ogg_stream_packetin(&stream, &comments);
    ogg_stream_packetin(&stream, &codebooks);
    ogg_page page;
    // The audio starts on a page of its own, as decoders expect.
    while (ogg_stream_flush(&stream, &page) != 0) {
        Append(out, page);
    }

    const size_t frames = interleaved.size() / static_cast<size_t>(channels);
    const size_t step = 4096;
    for (size_t first = 0; first < frames; first += step) {
        const size_t count = frames - first < step ? frames - first : step;
        float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(count));
        for (size_t i = 0; i < count; ++i) {
            for (int c = 0; c < channels; ++c) {
                buffer[c][i] = interleaved[(first + i) * static_cast<size_t>(channels) + static_cast<size_t>(c)] /
                               32768.0f;
            }
        }
        vorbis_analysis_wrote(&dsp, static_cast<int>(count));
        WritePackets(dsp, block, stream, out);
    }
    vorbis_analysis_wrote(&dsp, 0);
    WritePackets(dsp, block, stream, out);
    while (ogg_stream_flush(&stream, &page) != 0) {
        Append(out, page);
    }

    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return true;
}

} // namespace Tools
