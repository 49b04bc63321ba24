// The font list read at start-up: fonts by their place in the list with
// their metrics and flags, and lists that are missing or cut short.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "engine/core/EngineTestEnvironment.h"
#include "engine/core/MessageManager.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "framework/TestGame.h"
#include "tools/common/BinaryWriter.h"
#include "tools/common/FontListWriter.h"
#include "tools/common/FontWriter.h"

namespace GameFramework {
namespace {

using TestSupport::EngineTestEnvironment;
using TestSupport::TestGame;

class GameBaseFontsTest : public ::testing::Test {
protected:
    // Writes <install>\data\<name>.
    void Put(const std::string& name, const std::string& bytes)
    {
        const std::string path = env.folder / ("bin/data/" + name);
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        ASSERT_TRUE(Tools::SaveFile(path, std::vector<uint8_t>(bytes.begin(), bytes.end())));
    }
    void PutFont(const std::string& name, const std::u16string& codes)
    {
        std::vector<Tools::FontGlyph> glyphs;
        for (const char16_t code : codes) {
            Tools::FontGlyph glyph;
            glyph.code = code;
            glyph.advance = 0.5f;
            glyphs.push_back(glyph);
        }
        const std::vector<uint8_t> bytes = Tools::BuildFontFile(glyphs);
        Put(name, std::string(bytes.begin(), bytes.end()));
    }
    static std::vector<std::string> Errors(const TestGame& game)
    {
        std::vector<std::string> errors;
        for (const ZorvaneEngine::LogMessage& m : game.GetEngine()->log->GetFrameMessages()) {
            if (m.level >= 2) errors.push_back(m.text);
        }
        return errors;
    }
    static ZorvaneEngine::GUIFontManager& Fonts(const TestGame& game)
    {
        return *game.GetEngine()->guiManager->GetFontManager();
    }

    EngineTestEnvironment env;
};

TEST_F(GameBaseFontsTest, EveryListedFontTakesItsPlaceAsId)
{
    PutFont("ui/fonts/ge_00.fnt", u"ABC");
    PutFont("ui/fonts/ge_01.fnt", u"AB");
    Tools::FontListEntry plain{"ui\\fonts\\ge_00.fnt", "ui\\fonts\\ge_00.tga", "32bit", 12.0f, 0.3f, 1.0f,
                               false, false};
    Tools::FontListEntry styled{"ui\\fonts\\ge_01.fnt", "ui\\fonts\\ge_01.tga", "32bit", 18.5f, 0.25f, 1.2f,
                                true, true};
    Put("ui/fonts/ge.ini", "// fonts of the german texts\n" + Tools::BuildFontList(1, {plain, styled}));
    TestGame game;

    const ZorvaneEngine::GUIFont* first = Fonts(game).GetFont(0);
    const ZorvaneEngine::GUIFont* second = Fonts(game).GetFont(1);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(Fonts(game).GetFont(2), nullptr);
    EXPECT_FLOAT_EQ(first->size, 12.0f);
    EXPECT_FLOAT_EQ(first->missingAdvance, 0.3f);
    EXPECT_FLOAT_EQ(first->spacing, 1.0f);
    EXPECT_FALSE(first->fixedWidth);
    EXPECT_EQ(first->GetGlyphs().size(), 3u);
    EXPECT_FLOAT_EQ(second->size, 18.5f);
    EXPECT_FLOAT_EQ(second->missingAdvance, 0.25f);
    EXPECT_FLOAT_EQ(second->spacing, 1.2f);
    EXPECT_TRUE(second->fixedWidth);
    // Aliases: "a" and "b" borrow the capitals.
    EXPECT_EQ(second->GetGlyphs().size(), 4u);
    EXPECT_NE(second->FindGlyph(u'b'), nullptr);
    EXPECT_EQ(first->FindGlyph(u'b'), nullptr);
    // The pictures are not part of this test: only their failures are logged.
    for (const std::string& error : Errors(game)) {
        EXPECT_EQ(error.find(".fnt"), std::string::npos) << error;
    }
}

TEST_F(GameBaseFontsTest, AMissingListMakesNoFontAndNoNoise)
{
    TestGame game;
    EXPECT_TRUE(Fonts(game).GetFonts().empty());
    // Other services may complain (no sound device here); the fonts do not.
    for (const std::string& error : Errors(game)) {
        EXPECT_EQ(error.find("fonts"), std::string::npos) << error;
    }
}

TEST_F(GameBaseFontsTest, AListShorterThanItsCountEndsWithItsRecords)
{
    PutFont("a.fnt", u"A");
    Put("ui/fonts/ge.ini", "9 0\na.fnt a.tga 32bit 10 0.3 1 0 0\nb.fnt b.tga\n");
    TestGame game;
    EXPECT_EQ(Fonts(game).GetFonts().size(), 1u);
    ASSERT_NE(Fonts(game).GetFont(0), nullptr);
    EXPECT_FLOAT_EQ(Fonts(game).GetFont(0)->size, 10.0f);
}

TEST_F(GameBaseFontsTest, AListOfThousandsOfFontsMakesOnlyTheFirstHundred)
{
    // Records of 16 bytes, each of which would become a font with a model
    // of its own.
    std::string list = "5000 0\n";
    for (int i = 0; i < 5000; ++i) list += "f t o 1 1 1 0 0\n";
    Put("ui/fonts/ge.ini", list);
    TestGame game;
    EXPECT_EQ(Fonts(game).GetFonts().size(), static_cast<size_t>(GameBase::MaxFonts));
    EXPECT_NE(Fonts(game).GetFont(GameBase::MaxFonts - 1), nullptr);
    bool warned = false;
    for (const ZorvaneEngine::LogMessage& m : game.GetEngine()->log->GetFrameMessages()) {
        warned = warned || m.text.find("Font list: only the first 100 of 5000 fonts are made") != std::string::npos;
    }
    EXPECT_TRUE(warned);
}

} // namespace
} // namespace GameFramework
