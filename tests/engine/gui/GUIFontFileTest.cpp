// Reading font files: the glyphs of a sound file, and every kind of damage
// logged as an error, leaving a font without glyphs that still measures and
// draws (nothing) by its missing-glyph advance.
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>

#include "tests/engine/ByteEdits.h"
#include "tests/engine/gui/FontFixture.h"

namespace ZorvaneEngine {
namespace {

class GUIFontFileTest : public FontFixture {};

using ByteEdits::GetU32;
using ByteEdits::PutU32;

// Offsets in the file: header 0..13, count 13..17, record i from 17 + 22 i
// (code, u, v, du, dv, advance).
constexpr size_t kCount = 13;
size_t Field(size_t record, size_t field)
{
    return 17 + 22 * record + (field == 0 ? 0 : 2 + 4 * (field - 1));
}

void PutFloat(std::vector<uint8_t>& bytes, size_t at, float value)
{
    std::memcpy(bytes.data() + at, &value, 4);
}

// Cuts the file to size bytes and makes its size field say so, so that only
// what follows the header is damaged.
void CutTo(std::vector<uint8_t>& bytes, size_t size)
{
    bytes.resize(size);
    PutU32(bytes, 0, static_cast<uint32_t>(size));
}

TEST_F(GUIFontFileTest, ReadsEveryRecordFirstOfACodeWins)
{
    const GUIFont* font = MakeFont(0, {Glyph(u'A', 0.5f, 0.1f, 0.2f, 0.05f, 0.1f), Glyph(u'Ä', 0.6f),
                                       Glyph(u'A', 0.9f, 0.7f, 0.7f, 0.1f, 0.1f), Glyph(u' ', 0.25f)});
    EXPECT_TRUE(TakeLog().empty());
    ASSERT_EQ(font->GetGlyphs().size(), 3u);
    const FontGlyph* a = font->FindGlyph(u'A');
    ASSERT_NE(a, nullptr);
    EXPECT_FLOAT_EQ(a->u, 0.1f);
    EXPECT_FLOAT_EQ(a->v, 0.2f);
    EXPECT_FLOAT_EQ(a->du, 0.05f);
    EXPECT_FLOAT_EQ(a->dv, 0.1f);
    EXPECT_FLOAT_EQ(a->advance, 0.5f);
    ASSERT_NE(font->FindGlyph(u'Ä'), nullptr);
    // Every record of the file counts, the one a duplicate lost too.
    EXPECT_FLOAT_EQ(font->GetWidestAdvance(), 0.9f);
    EXPECT_EQ(font->GetModel()->name, "font_model");
    EXPECT_FLOAT_EQ(font->GetModel()->depthKey, -9.0f);
    EXPECT_EQ(font->GetModel()->flags, 0x248C29u);
    EXPECT_EQ(font->GetModel()->GetIndexBuffer()->GetCount(), 0u);
}

TEST_F(GUIFontFileTest, AnEmptyFontHasNoWidth)
{
    const GUIFont* font = MakeFont(0, {});
    EXPECT_TRUE(TakeLog().empty());
    EXPECT_TRUE(font->GetGlyphs().empty());
    EXPECT_FLOAT_EQ(font->GetWidestAdvance(), 0.0f);
}

struct Damage {
    const char* what;
    std::function<void(std::vector<uint8_t>&)> damage;
    std::string logged;  // empty: any error text
};

TEST_F(GUIFontFileTest, DamagedFilesAreLoggedAndLeaveNoGlyphs)
{
    const std::string format = "2 Incorrect \"f.fnt\" file format";
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const std::vector<Damage> cases = {
        {"size field one byte more", [](auto& b) { PutU32(b, 0, GetU32(b, 0) + 1); }, format},
        {"size field one byte less", [](auto& b) { PutU32(b, 0, GetU32(b, 0) - 1); }, format},
        {"other magic", [](auto& b) { b[8] = 'X'; }, format},
        {"version 200", [](auto& b) { PutU32(b, 9, 200); },
         "2 Incorrect \"f.fnt\" format version, current is 201"},
        {"count one past the records", [](auto& b) { PutU32(b, kCount, 4); }, format},
        {"count of four billion", [](auto& b) { PutU32(b, kCount, 0xFFFFFFFFu); }, format},
        {"count short of the records", [](auto& b) { PutU32(b, kCount, 2); }, format},
        {"records cut in the middle", [](auto& b) { CutTo(b, Field(2, 3)); }, format},
        {"no count", [](auto& b) { CutTo(b, 13); }, ""},
        {"rectangle past the right edge", [](auto& b) { PutFloat(b, Field(1, 3), 0.95f); }, format},
        {"rectangle below the texture", [](auto& b) { PutFloat(b, Field(1, 2), -0.5f); }, format},
        {"negative extent", [](auto& b) { PutFloat(b, Field(0, 4), -0.1f); }, format},
        {"extent not a number", [](auto& b) { PutFloat(b, Field(2, 4), std::numeric_limits<float>::quiet_NaN()); },
         format},
        {"advance not a number", [nan](auto& b) { PutFloat(b, Field(2, 5), nan); }, format},
        {"infinite advance", [](auto& b) { PutFloat(b, Field(0, 5), std::numeric_limits<float>::infinity()); },
         format},
        {"negative advance", [](auto& b) { PutFloat(b, Field(1, 5), -0.5f); }, format},
    };
    const std::vector<uint8_t> sound = Tools::BuildFontFile(
        {Glyph(u'A', 0.5f, 0.1f, 0.2f, 0.1f, 0.1f), Glyph(u'B', 0.5f, 0.5f, 0.2f, 0.1f, 0.1f),
         Glyph(u'C', 0.5f, 0.8f, 0.8f, 0.2f, 0.2f)});
    int32_t id = 0;
    for (const Damage& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<uint8_t> bytes = sound;
        c.damage(bytes);
        Put("f.fnt", bytes);
        GUIFont* font = fonts->LoadFont(id++, ShaderDescriptor(), "f.fnt");
        const std::vector<std::string> lines = TakeLog();
        ASSERT_EQ(lines.size(), 1u);
        if (c.logged.empty()) {
            EXPECT_EQ(lines[0].rfind("2 ", 0), 0u) << lines[0];
        } else {
            EXPECT_EQ(lines[0], c.logged);
        }
        EXPECT_TRUE(font->GetGlyphs().empty());
        EXPECT_FLOAT_EQ(font->GetWidestAdvance(), 0.0f);

        // Still a font: every character is missing.
        font->size = 10.0f;
        font->missingAdvance = 0.5f;
        const Vector2 measured = font->MeasureText(u"ABC", 0.0f, -1.0f);
        EXPECT_FLOAT_EQ(measured.x, 15.0f);
        EXPECT_FLOAT_EQ(measured.y, 10.0f);
        font->DrawText(Vector2(0, 0), 0.0f, ColorRGBA(1, 1, 1, 1), u"ABC");
        EXPECT_EQ(font->GetQuadCount(), 0u);
    }
    // The sound file itself reads.
    Put("f.fnt", sound);
    EXPECT_EQ(fonts->LoadFont(id, ShaderDescriptor(), "f.fnt")->GetGlyphs().size(), 3u);
    EXPECT_TRUE(TakeLog().empty());
}

TEST_F(GUIFontFileTest, AMissingFileIsLoggedOnce)
{
    GUIFont* font = fonts->LoadFont(3, ShaderDescriptor(), "ui\\fonts\\none.fnt");
    ASSERT_NE(font, nullptr);
    const std::vector<std::string> lines = TakeLog();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].rfind("2 ", 0), 0u) << lines[0];
    EXPECT_TRUE(font->GetGlyphs().empty());
    EXPECT_EQ(fonts->GetFont(3), font);
}

TEST_F(GUIFontFileTest, ANameInAFolderIsReadBelowTheDataFolder)
{
    Put("ui/fonts/ge_02.fnt", Tools::BuildFontFile({Glyph(u'x', 0.5f)}));
    GUIFont* font = fonts->LoadFont(2, ShaderDescriptor(), "ui\\fonts\\ge_02.fnt");
    EXPECT_TRUE(TakeLog().empty());
    EXPECT_EQ(font->GetGlyphs().size(), 1u);
}

} // namespace
} // namespace ZorvaneEngine
