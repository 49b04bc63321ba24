#include "tools/common/ImageFile.h"

#include <filesystem>
#include <functional>

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
