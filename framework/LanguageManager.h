#pragma once
// Decides once, at start-up, which language the game runs in: the code
// naming the font list "data\ui\fonts\<code>.ini", the text folder and the
// resource files of the language. It also makes the language the program's
// keyboard language and picks the code page in which narrow text of the
// language is written. The choice never changes while the game runs.
//
// The codes are the game's own ("ge", "sp", "cz"), the names of its language
// folders and files, not ISO codes.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/core/CodePage.h"
#include "platform/window/Windowing.h"

namespace ZorvaneEngine {
class FileManager;
}

namespace GameFramework {

struct LanguageInfo {
    std::string code;     // two lower-case letters
    uint32_t languageId;  // Windows LANGID: primary language in the low 10 bits
    std::string localeName;
    // The code page the language's locale writes narrow text in.
    ZorvaneEngine::CodePageId codePage;
};

class LanguageManager {
public:
    // German whenever its font list exists; otherwise the first language of
    // the table whose font list exists; german again when there is none.
    LanguageManager(const std::string& registryKey, ZorvaneEngine::FileManager& files);
    // Gives back a keyboard layout this manager loaded.
    virtual ~LanguageManager();

    LanguageManager(const LanguageManager&) = delete;
    LanguageManager& operator=(const LanguageManager&) = delete;

    // The row of the code, compared ignoring case and in full; null when
    // none.
    const LanguageInfo* FindLanguage(const std::string& code) const;
    const LanguageInfo& GetCurrentLanguage() const { return *current; }

private:
    bool HasFontList(const std::string& code) const;
    void SelectKeyboardLayout();

    ZorvaneEngine::FileManager* fileManager;
    // English, russian, german, french, italian, spanish, czech: the order of
    // the search for a font list.
    std::vector<LanguageInfo> languages;
    const LanguageInfo* current = nullptr;
    // Loaded here, so given back here.
    std::optional<Platform::KeyboardLayout> loadedLayout;
};

} // namespace GameFramework
