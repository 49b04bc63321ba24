#include "tools/common/ImageFile.h"

#include <filesystem>

#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Paths.h"
#include "engine/graphics/Image.h"
#include "platform/system/FileSystem.h"

namespace Tools {

bool SaveImageFile(const std::string& path, const ZorvaneEngine::Image& image, std::string& error) {
    // The engine's writers go through a file manager, which takes relative
    // names below the program's folder; a tool's user means the current one.
    const std::string full =
        Platform::IsAbsolutePath(path) ? path : std::filesystem::current_path().string() + "/" + path;
    // The manager's base folder matters only for the archives it looks for
    // there: the picture's own folder keeps that search small.
    const std::string folder = ZorvaneEngine::GetFileFolder(full);
    ZorvaneEngine::MessageManager log("", "tools", "Tools", false, false);
    ZorvaneEngine::FileManager files("", &log, folder.empty() ? "/" : folder);
    if (ZorvaneEngine::Image::Save(&log, &files, image, full)) {
        return true;
    }
    error = "cannot write " + path;
    for (const ZorvaneEngine::LogMessage& message : log.GetFrameMessages()) {
        if (message.level >= 2) {
            error = message.text;
        }
    }
    return false;
}

} // namespace Tools
