#include "framework/LanguageManager.h"

#include "engine/core/FileManager.h"
#include "engine/core/TextUtils.h"
#include "framework/tools/RegistryReader.h"

namespace GameFramework {

using ZorvaneEngine::CodePageId;

namespace {

const char* const kPreferredCode = "ge";

uint32_t LanguageOfLayout(Platform::KeyboardLayout layout)
{
    return layout >> 16;
}

} // namespace

LanguageManager::LanguageManager(const std::string& registryKey, ZorvaneEngine::FileManager& files)
    : fileManager(&files),
      languages{
          {"en", 0x409, "english", CodePageId::Windows1252},
          {"ru", 0x419, "russian", CodePageId::Windows1251},
          {"ge", 0x407, "german", CodePageId::Windows1252},
          {"fr", 0x40C, "french", CodePageId::Windows1252},
          {"it", 0x410, "italian", CodePageId::Windows1252},
          {"sp", 0x40A, "spanish", CodePageId::Windows1252},
          {"cz", 0x405, "czech", CodePageId::Windows1250},
      }
{
    // The installer's choice of language is read but not followed: the game
    // runs in the language whose font list it ships.
    std::string installedLanguage;
    GameTools::ReadRegistryString(registryKey, "Language", installedLanguage);

    std::string code = kPreferredCode;
    if (!HasFontList(code)) {
        for (const LanguageInfo& language : languages) {
            if (HasFontList(language.code)) {
                code = language.code;
                break;
            }
        }
    }
    current = FindLanguage(code);
    if (!current)
        current = FindLanguage(kPreferredCode);

    SelectKeyboardLayout();

    // Narrow text is read and written in the language's code page by the
    // program's own tables. The C library's locale stays "C" in every
    // category, so numbers keep their decimal point in every file.
    ZorvaneEngine::SetActiveCodePage(current->codePage);
}

LanguageManager::~LanguageManager()
{
    if (loadedLayout)
        Platform::GetWindowing().UnloadKeyboardLayout(*loadedLayout);
}

bool LanguageManager::HasFontList(const std::string& code) const
{
    return fileManager->FileExists("data\\ui\\fonts\\" + code + ".ini");
}

const LanguageInfo* LanguageManager::FindLanguage(const std::string& code) const
{
    const std::string wanted = ZorvaneEngine::ToLowerCase(code);
    for (const LanguageInfo& language : languages) {
        if (ZorvaneEngine::ToLowerCase(language.code) == wanted)
            return &language;
    }
    return nullptr;
}

void LanguageManager::SelectKeyboardLayout()
{
    Platform::Windowing& windowing = Platform::GetWindowing();
    const uint32_t languageId = current->languageId & 0xFFFF;
    if (LanguageOfLayout(windowing.GetKeyboardLayout()) == languageId)
        return;
    // A failure anywhere leaves the layout as it was, without a word.
    if (windowing.ActivateKeyboardLayout(languageId, 0) != 0)
        return;
    const Platform::KeyboardLayout loaded =
        windowing.LoadKeyboardLayout(ZorvaneEngine::HexToText(languageId), Platform::KLF_ACTIVATE);
    if (LanguageOfLayout(loaded) == languageId)
        loadedLayout = loaded;
}

} // namespace GameFramework
