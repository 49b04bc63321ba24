#include "tools/common/TextTable.h"

#include <filesystem>
#include <stdexcept>

#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Paths.h"
#include "engine/gui/GUITextManager.h"
#include "platform/system/FileSystem.h"

namespace Tools {

TextTable::TextTable(const std::string& path) : path(path) {
    const std::string full =
        Platform::IsAbsolutePath(path) ? path : std::filesystem::current_path().string() + "/" + path;
    log = std::make_unique<ZorvaneEngine::MessageManager>("", "tools", "Tools", false, false);
    // The manager looks for archives in its base folder: the table's own
    // folder keeps that search small.
    const std::string folder = ZorvaneEngine::GetFileFolder(full);
    files = std::make_unique<ZorvaneEngine::FileManager>("", log.get(), folder.empty() ? "/" : folder);
    texts = std::make_unique<ZorvaneEngine::GUITextManager>(log.get(), files.get());
    texts->LoadFile(full);
    for (const ZorvaneEngine::LogMessage& message : log->GetFrameMessages()) {
        if (message.level >= 2) throw std::runtime_error(path + ": " + message.text);
    }
}

TextTable::~TextTable() = default;

std::u32string TextTable::Text(const std::string& key) const {
    // The manager's answer for a key no file defined.
    const std::u16string text = texts->GetText(key);
    if (text == u"UNKNOWN") throw std::runtime_error(path + " has no text " + key);
    std::u32string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const char32_t unit = text[i];
        if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
            out += 0x10000 + ((unit - 0xD800) << 10) + (static_cast<char32_t>(text[++i]) - 0xDC00);
        } else {
            out += unit;
        }
    }
    return out;
}

} // namespace Tools
