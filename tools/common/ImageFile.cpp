#include "tools/common/ImageFile.h"

#include <cstring>
#include <filesystem>
#include <functional>
#include <stdexcept>

#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Paths.h"
#include "engine/graphics/Image.h"
#include "platform/system/FileSystem.h"

namespace Tools {

namespace {

// The engine's codecs go through a file manager, which takes relative names
// below the program's folder; a tool's user means the current one.
bool RunCodec(const std::string& path, std::string& error, const char* failure,
              const std::function<bool(ZorvaneEngine::MessageManager*, ZorvaneEngine::FileManager*, const std::string&)>& codec) {
    const std::string full =
        Platform::IsAbsolutePath(path) ? path : std::filesystem::current_path().string() + "/" + path;
    // The manager's base folder matters only for the archives it looks for
    // there: the picture's own folder keeps that search small.
    const std::string folder = ZorvaneEngine::GetFileFolder(full);
    ZorvaneEngine::MessageManager log("", "tools", "Tools", false, false);
    ZorvaneEngine::FileManager files("", &log, folder.empty() ? "/" : folder);
    if (codec(&log, &files, full)) {
        return true;
    }
    error = failure + path;
    for (const ZorvaneEngine::LogMessage& message : log.GetFrameMessages()) {
        if (message.level >= 2) {
            error = message.text;
        }
    }
    return false;
}

} // namespace

bool SaveImageFile(const std::string& path, const ZorvaneEngine::Image& image, std::string& error) {
    return RunCodec(path, error, "cannot write ",
                    [&](ZorvaneEngine::MessageManager* log, ZorvaneEngine::FileManager* files, const std::string& full) {
                        return ZorvaneEngine::Image::Save(log, files, image, full);
                    });
}

bool LoadImageFile(const std::string& path, ZorvaneEngine::Image& image, std::string& error) {
    return RunCodec(path, error, "cannot read ",
                    [&](ZorvaneEngine::MessageManager* log, ZorvaneEngine::FileManager* files, const std::string& full) {
                        return ZorvaneEngine::Image::Load(log, files, image, full);
                    });
}

} // namespace Tools

namespace Tools {

std::vector<uint8_t> BuildRunLengthTga(const ZorvaneEngine::Image& image) {
    const uint32_t bytes = image.GetPixelBytes();
    if ((bytes != 3 && bytes != 4) || image.GetWidth() > 0xFFFF || image.GetHeight() > 0xFFFF) {
        throw std::invalid_argument("a run-length TGA is written from a 24- or 32-bit picture");
    }
    const uint32_t w = image.GetWidth();
    const uint32_t h = image.GetHeight();
    std::vector<uint8_t> out = {0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                static_cast<uint8_t>(w), static_cast<uint8_t>(w >> 8),
                                static_cast<uint8_t>(h), static_cast<uint8_t>(h >> 8),
                                static_cast<uint8_t>(bytes * 8), static_cast<uint8_t>(bytes == 4 ? 8 : 0)};
    const auto pixel = [&](const uint8_t* p) {
        out.push_back(p[2]);
        out.push_back(p[1]);
        out.push_back(p[0]);
        if (bytes == 4) out.push_back(p[3]);
    };
    // Packets never cross a row, as readers of the format expect.
    for (uint32_t y = 0; y < h; ++y) {
        const uint8_t* row = image.GetRow(y);
        uint32_t x = 0;
        while (x < w) {
            uint32_t run = 1;
            while (x + run < w && run < 128 && std::memcmp(row + x * bytes, row + (x + run) * bytes, bytes) == 0) {
                ++run;
            }
            if (run >= 2) {
                out.push_back(static_cast<uint8_t>(0x80 | (run - 1)));
                pixel(row + x * bytes);
                x += run;
                continue;
            }
            // Literal pixels up to the next run of three equal ones.
            uint32_t count = 1;
            while (x + count < w && count < 128) {
                const uint8_t* p = row + (x + count) * bytes;
                if (x + count + 2 < w && std::memcmp(p, p + bytes, bytes) == 0 &&
                    std::memcmp(p, p + 2 * bytes, bytes) == 0) {
                    break;
                }
                ++count;
            }
            out.push_back(static_cast<uint8_t>(count - 1));
            for (uint32_t i = 0; i < count; ++i) pixel(row + (x + i) * bytes);
            x += count;
        }
    }
    return out;
}

} // namespace Tools
