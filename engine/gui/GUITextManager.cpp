#include "engine/gui/GUITextManager.h"

#include "engine/core/Error.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Paths.h"
#include "engine/core/TextUtils.h"

namespace ZorvaneEngine {

namespace {

// "[KEY]" after trimming. "[]" and "[" are too short to name a key.
bool IsKeyLine(const std::string& line) {
    return line.size() > 2 && line.front() == '[' && line.back() == ']';
}

} // namespace

GUITextManager::GUITextManager(MessageManager* log, FileManager* files) : log(log), files(files) {}

void GUITextManager::LoadFile(const std::string& fileName) {
    try {
        const std::unique_ptr<FileTextual> file = files->OpenTextFile(AddDataFolderPrefix(fileName), false);
        std::string line;
        std::u16string text;
        while (file->ReadString(line, false)) {
            TrimLeft(line);
            TrimRight(line);
            if (!IsKeyLine(line)) {
                continue;
            }
            // The text line is taken whole, blanks included, and is never
            // read as a key line itself, even when it looks like one.
            bool found = false;
            while (file->ReadWideString(text, true)) {
                if (!text.empty()) {
                    found = true;
                    break;
                }
            }
            if (found) {
                AddText(line.substr(1, line.size() - 2), text);
            }
        }
    } catch (const FileError& error) {
        log->Error(error.message);
    }
}

void GUITextManager::AddText(const std::string& key, const std::u16string& text) {
    texts[ToUpperCase(key)] = text;
}

std::u16string GUITextManager::GetText(const std::string& key, int32_t number) const {
    std::string name = ToUpperCase(key);
    if (number != -1) {
        name += UIntToText(static_cast<uint32_t>(number));
    }
    const auto found = texts.find(name);
    return found == texts.end() ? u"UNKNOWN" : found->second;
}

} // namespace ZorvaneEngine
