// The language chosen from the font lists present, the keyboard layout
// switched on the scripted windowing, and the code page of narrow text.
#include "framework/LanguageManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/CodePage.h"
#include "engine/core/EngineTestEnvironment.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"

namespace GameFramework {
namespace {

using TestSupport::WriteWholeFile;
using ZorvaneEngine::CodePageId;

class LanguageManagerTest : public ::testing::Test {
protected:
    void SetUp() override { savedPage = ZorvaneEngine::GetActiveCodePage(); }
    void TearDown() override { ZorvaneEngine::SetActiveCodePage(savedPage); }

    void PutFontList(const std::string& code)
    {
        WriteWholeFile(env.folder / ("bin/data/ui/fonts/" + code + ".ini"), "0 0\n");
    }
    std::unique_ptr<LanguageManager> NewManager()
    {
        return std::make_unique<LanguageManager>("SOFTWARE\\Quobin Games\\Tangrove", files);
    }
    std::vector<std::string> LayoutCalls() const
    {
        std::vector<std::string> calls;
        for (const std::string& call : env.windowing.calls) {
            if (call.find("KeyboardLayout") != std::string::npos && call.rfind("Get", 0) != 0)
                calls.push_back(call);
        }
        return calls;
    }

    TestSupport::EngineTestEnvironment env;
    ZorvaneEngine::MessageManager log{env.folder.Path(), "log", "Tangrove", false, false};
    ZorvaneEngine::FileManager files{"", &log, env.folder / "bin"};
    CodePageId savedPage = CodePageId::Identity;
};

TEST_F(LanguageManagerTest, GermanWhenItsFontListExistsElseTheFirstOfTheTable)
{
    struct Case {
        std::vector<std::string> lists;
        const char* code;
        CodePageId page;
    };
    const Case cases[] = {
        {{"en", "ru", "ge", "fr"}, "ge", CodePageId::Windows1252},
        {{"fr", "ru"}, "ru", CodePageId::Windows1251},  // table order, not file order
        {{"cz", "sp"}, "sp", CodePageId::Windows1252},
        {{"cz"}, "cz", CodePageId::Windows1250},
        {{"de", "xx"}, "ge", CodePageId::Windows1252},  // no list of the table: german
        {{}, "ge", CodePageId::Windows1252},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        std::filesystem::remove_all(env.folder / "bin/data");
        for (const std::string& code : c.lists)
            PutFontList(code);
        ZorvaneEngine::SetActiveCodePage(CodePageId::Identity);
        const auto manager = NewManager();
        EXPECT_EQ(manager->GetCurrentLanguage().code, c.code);
        EXPECT_EQ(ZorvaneEngine::GetActiveCodePage(), c.page);
    }
    // The installer's language is asked for, machine-wide first.
    const std::vector<std::string>& journal = env.scripted.journal;
    EXPECT_NE(std::find(journal.begin(), journal.end(),
                        "RegQueryString LocalMachine SOFTWARE\\Quobin Games\\Tangrove Language"),
              journal.end());
}

TEST_F(LanguageManagerTest, FindLanguageComparesWholeCodesIgnoringCase)
{
    const auto manager = NewManager();
    const LanguageInfo* german = manager->FindLanguage("ge");
    ASSERT_NE(german, nullptr);
    EXPECT_EQ(german->languageId, 0x407u);
    EXPECT_EQ(german->localeName, "german");
    EXPECT_EQ(manager->FindLanguage("GE"), german);
    EXPECT_EQ(manager->FindLanguage("gE"), german);
    for (const char* code : {"g", "gex", "", "de"})
        EXPECT_EQ(manager->FindLanguage(code), nullptr) << code;
    const LanguageInfo* czech = manager->FindLanguage("CZ");
    ASSERT_NE(czech, nullptr);
    EXPECT_EQ(czech->languageId, 0x405u);
}

TEST_F(LanguageManagerTest, TheKeyboardLayoutIsSwitchedAndOnlyALoadedOneIsGivenBack)
{
    struct Case {
        const char* name;
        Platform::KeyboardLayout current;
        bool activateFails;
        Platform::KeyboardLayout loaded;  // what loading returns
        std::vector<std::string> calls;   // the layout calls, construction and destruction
    };
    const Case cases[] = {
        {"already german", 0x04070407, false, 0, {}},
        {"german keys on another layout", 0x04090407, false, 0, {"ActivateKeyboardLayout(0x407, 0x0)"}},
        {"activated", 0x04090409, false, 0, {"ActivateKeyboardLayout(0x407, 0x0)"}},
        {"loaded",
         0x04090409,
         true,
         0x04070407,
         {"ActivateKeyboardLayout(0x407, 0x0)", "LoadKeyboardLayout(00000407, 0x1)",
          "UnloadKeyboardLayout(0x4070407)"}},
        {"loaded another language",
         0x04090409,
         true,
         0x04090409,
         {"ActivateKeyboardLayout(0x407, 0x0)", "LoadKeyboardLayout(00000407, 0x1)"}},
        {"nothing works",
         0x04090409,
         true,
         0,
         {"ActivateKeyboardLayout(0x407, 0x0)", "LoadKeyboardLayout(00000407, 0x1)"}},
    };
    PutFontList("ge");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        env.windowing.calls.clear();
        env.windowing.keyboardLayout = c.current;
        env.windowing.failActivateKeyboardLayout = c.activateFails;
        env.windowing.loadedKeyboardLayout = c.loaded;
        NewManager().reset();
        EXPECT_EQ(LayoutCalls(), c.calls);
    }
}

TEST_F(LanguageManagerTest, NumbersKeepTheirDecimalPoint)
{
    PutFontList("ru");
    const auto manager = NewManager();
    EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
    EXPECT_EQ(std::strtod("0.5", nullptr), 0.5);
}

} // namespace
} // namespace GameFramework
