#pragma once
// Reading back a movie file: its chunks by path ("hdrl/avih", "movi/00db"),
// and what ffprobe and ffmpeg, the players' own reader, make of it.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace TestSupport {

struct AviChunk {
    std::string path;  // list types and the chunk id, joined by "/"
    uint64_t offset;   // of the chunk's data
    uint32_t size;
};

inline uint32_t ReadU32(const std::string& bytes, uint64_t offset)
{
    uint32_t value = 0;
    if (offset + 4 <= bytes.size()) std::memcpy(&value, bytes.data() + offset, 4);
    return value;
}

// Every chunk of a RIFF file in order; false when a size runs past its list.
inline bool ListChunks(const std::string& bytes, std::vector<AviChunk>& chunks)
{
    struct Open {
        std::string path;
        uint64_t end;
    };
    if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "AVI ") != 0)
        return false;
    std::vector<Open> lists{{"", 8 + static_cast<uint64_t>(ReadU32(bytes, 4))}};
    if (lists[0].end != bytes.size()) return false;
    uint64_t at = 12;
    while (!lists.empty()) {
        if (at == lists.back().end) {
            lists.pop_back();
            continue;
        }
        if (at + 8 > lists.back().end) return false;
        const std::string id = bytes.substr(at, 4);
        const uint32_t size = ReadU32(bytes, at + 4);
        const uint64_t end = at + 8 + size + (size & 1);
        if (at + 8 + size > lists.back().end) return false;
        if (id == "LIST") {
            const std::string& parent = lists.back().path;
            const std::string type = bytes.substr(at + 8, 4);
            lists.push_back({parent.empty() ? type : parent + "/" + type, at + 8 + size});
            at += 12;
            continue;
        }
        const std::string& parent = lists.back().path;
        chunks.push_back({parent.empty() ? id : parent + "/" + id, at + 8, size});
        at = end;
    }
    return at == bytes.size();
}

// The standard output of a command, and whether it ended with status 0.
inline bool RunCommand(const std::string& command, std::string& output)
{
    output.clear();
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return false;
    char buffer[65536];
    size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, count);
    return ::pclose(pipe) == 0;
}

// "key=value" lines of ffprobe about the video stream, frames counted.
inline std::map<std::string, std::string> Probe(const std::string& path)
{
    std::string output;
    EXPECT_TRUE(RunCommand("ffprobe -v error -count_frames -select_streams v:0 -show_entries "
                           "stream=codec_name,width,height,r_frame_rate,nb_read_frames "
                           "-of default=noprint_wrappers=1 '" + path + "'",
                           output))
        << "ffprobe failed or is missing (scripts/install-deps installs ffmpeg)";
    std::map<std::string, std::string> values;
    size_t start = 0;
    while (start < output.size()) {
        size_t end = output.find('\n', start);
        if (end == std::string::npos) end = output.size();
        const std::string line = output.substr(start, end - start);
        const size_t equals = line.find('=');
        if (equals != std::string::npos) values[line.substr(0, equals)] = line.substr(equals + 1);
        start = end + 1;
    }
    return values;
}

// Frame number n decoded by ffmpeg as R, G, B bytes, top row first.
inline std::string DecodeFrame(const std::string& path, int n)
{
    std::string output;
    EXPECT_TRUE(RunCommand("ffmpeg -v error -i '" + path + "' -vf 'select=eq(n\\," +
                               std::to_string(n) + ")' -frames:v 1 -f rawvideo -pix_fmt rgb24 -",
                           output))
        << "ffmpeg failed or is missing (scripts/install-deps installs ffmpeg)";
    return output;
}

} // namespace TestSupport
