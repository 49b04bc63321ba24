// The data set as the build leaves it beside the executable, read with the
// engine's own readers: the fonts and their list, every text the screens
// ask for, the level catalogue with its puzzles, the map and the totems, and
// the same for the small test catalogue in fixture_data.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "engine/Engine.h"
#include "engine/core/EngineTestEnvironment.h"
#include "engine/core/FileManager.h"
#include "engine/core/FileTextual.h"
#include "engine/core/MessageManager.h"
#include "engine/graphics/Image.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIMaterial.h"
#include "engine/gui/GUITextManager.h"
#include "tools/common/BinaryWriter.h"
#include "tools/common/FontCharacters.h"
#include "game/gameplay/PuzzleMaskRle.h"
#include "tools/common/PuzzleMaskRle.h"
#include "WriterTestSupport.h"

namespace Tools {
namespace {

using ZorvaneEngine::Image;

const std::string StageRoot = std::string(TANGROVE_BINARY_DIR) + "/data_stage";
const std::string FixtureRoot = std::string(TANGROVE_BINARY_DIR) + "/fixture_data";

// The game's decoder; a coding it takes must also be exactly what the
// greedy writer makes of the result, so that nothing is left over or
// missing. Empty when either fails.
std::vector<uint8_t> DecodeExactly(const std::vector<uint8_t>& coded, size_t size) {
    std::vector<uint8_t> out(size);
    if (!ActionPuzzle::DecodePuzzleMaskRle(coded.data(), coded.size(), out.data(), out.size()) ||
        Tools::EncodePuzzleRle(out) != coded) {
        return {};
    }
    return out;
}

bool ReadToken(ZorvaneEngine::FileTextual& file, std::string& token) {
    while (file.ReadString(token, true)) {
        if (!token.empty()) {
            return true;
        }
    }
    return false;
}

// A data set below root ("root/data/..."), read through a file manager.
class DataSet {
public:
    explicit DataSet(const std::string& root) : files("", &log, root) {}

    std::unique_ptr<ZorvaneEngine::FileTextual> Text(const std::string& name) {
        return files.OpenTextFile(name, false);
    }
    std::vector<uint8_t> Bytes(const std::string& name) {
        const auto file = files.OpenFile(name, false, true);
        std::vector<uint8_t> bytes(static_cast<size_t>(file->GetSize()));
        file->Read(bytes.data(), static_cast<uint32_t>(bytes.size()));
        return bytes;
    }
    bool Picture(const std::string& name, Image& image) { return Image::Load(&log, &files, image, name); }

    ZorvaneEngine::MessageManager log{"", "log", "Test", false, false};
    ZorvaneEngine::FileManager files;
};

struct Level {
    std::string folder;
    int32_t arcadeAce = 0;
    int32_t relaxAce = 0;
};

// The catalogue as the level manager reads it.
std::vector<std::vector<Level>> ReadCatalogue(DataSet& data, std::vector<int32_t>& miniGameSizes) {
    std::vector<std::vector<Level>> stages;
    const auto info = data.Text("data\\levels\\stages_info.ini");
    const int32_t count = info->ReadInt();
    EXPECT_GE(count, 1);
    EXPECT_LE(count, 8);  // one totem pair per stage on the map
    for (int32_t s = 0; s < count; ++s) {
        miniGameSizes.push_back(info->ReadInt());
        const auto file = data.Text("data\\levels\\stage" + std::to_string(s) + ".ini");
        std::vector<Level> levels(static_cast<size_t>(std::max(0, file->ReadInt())));
        for (Level& level : levels) {
            EXPECT_TRUE(ReadToken(*file, level.folder));
            level.arcadeAce = file->ReadInt();
            level.relaxAce = file->ReadInt();
        }
        stages.push_back(levels);
    }
    return stages;
}

// Every rule a puzzle folder must keep for the game to load and play it;
// returns its piece count.
uint32_t CheckPuzzle(DataSet& data, const std::string& folder) {
    SCOPED_TRACE(folder);
    const std::string base = "data\\puzzles\\" + folder + "\\";
    Image theme;
    EXPECT_TRUE(data.Picture(base + "theme.jpg", theme));
    EXPECT_EQ(theme.GetBits(), 24u);
    EXPECT_EQ(theme.GetWidth(), 560u);
    EXPECT_EQ(theme.GetHeight(), 420u);

    const std::vector<uint8_t> bytes = data.Bytes(base + "puzzle.pzf");
    ExpectHeader(bytes, "APPZF", 108);
    if (bytes.size() < 25) {
        ADD_FAILURE() << "puzzle.pzf too short";
        return 0;
    }
    EXPECT_EQ(F32At(bytes, 13), 560.0f);
    EXPECT_EQ(F32At(bytes, 17), 420.0f);
    const uint32_t count = U32At(bytes, 21);
    EXPECT_GE(count, 1u);
    EXPECT_LE(count, 60u);
    const uint32_t w = 560, h = 420;
    std::vector<uint8_t> owner(static_cast<size_t>(w) * h, 0xFF);
    std::vector<bool> blocked(count);
    std::vector<std::vector<uint32_t>> links(count);
    size_t at = 25;
    const auto take = [&](size_t n) {
        if (at + n > bytes.size()) {
            throw std::out_of_range("puzzle.pzf ends inside a record");
        }
        at += n;
        return at - n;
    };
    try {
        for (uint32_t i = 0; i < count; ++i) {
            const uint32_t flag = U32At(bytes, take(4));
            EXPECT_LE(flag, 1u);
            blocked[i] = flag == 1;
            const int32_t x = static_cast<int32_t>(U32At(bytes, take(4)));
            const int32_t y = static_cast<int32_t>(U32At(bytes, take(4)));
            const int32_t pw = static_cast<int32_t>(U32At(bytes, take(4)));
            const int32_t ph = static_cast<int32_t>(U32At(bytes, take(4)));
            EXPECT_TRUE(x >= 0 && y >= 0 && pw >= 1 && ph >= 1 && pw <= 1020 && ph <= 1020 &&
                        x + pw <= static_cast<int32_t>(w) && y + ph <= static_cast<int32_t>(h))
                << "piece " << i;
            const uint32_t linkCount = U32At(bytes, take(4));
            for (uint32_t k = 0; k < linkCount; ++k) {
                const uint32_t link = U32At(bytes, take(4));
                EXPECT_LT(link, count);
                EXPECT_NE(link, i);
                links[i].push_back(link);
            }
            const uint32_t coded = U32At(bytes, take(4));
            const size_t from = take(coded);
            const size_t pixels = static_cast<size_t>(std::max(pw, 0)) * static_cast<size_t>(std::max(ph, 0));
            const std::vector<uint8_t> bits =
                DecodeExactly(std::vector<uint8_t>(bytes.begin() + static_cast<ptrdiff_t>(from),
                                                   bytes.begin() + static_cast<ptrdiff_t>(from + coded)),
                              (pixels + 7) / 8);
            EXPECT_EQ(bits.size(), (pixels + 7) / 8) << "mask of piece " << i;
            if (bits.size() != (pixels + 7) / 8 || x < 0 || y < 0 || x + pw > static_cast<int32_t>(w) ||
                y + ph > static_cast<int32_t>(h)) {
                continue;
            }
            // Masks fill their rectangles edge to edge and never share a pixel.
            int32_t x0 = pw, x1 = -1, y0 = ph, y1 = -1;
            for (int32_t py = 0; py < ph; ++py) {
                for (int32_t px = 0; px < pw; ++px) {
                    const size_t n = static_cast<size_t>(px + py * pw);
                    if (bits[n / 8] & (1u << (n % 8))) {
                        uint8_t& pixel = owner[static_cast<size_t>(y + py) * w + static_cast<size_t>(x + px)];
                        EXPECT_EQ(pixel, 0xFF) << "pixel (" << x + px << ", " << y + py << ") in two pieces";
                        pixel = static_cast<uint8_t>(i);
                        x0 = std::min(x0, px), x1 = std::max(x1, px), y0 = std::min(y0, py), y1 = std::max(y1, py);
                    }
                }
            }
            EXPECT_TRUE(x0 == 0 && y0 == 0 && x1 == pw - 1 && y1 == ph - 1) << "piece " << i << " is smaller than its rectangle";
        }
        const uint32_t coded = U32At(bytes, take(4));
        const size_t from = take(coded);
        EXPECT_EQ(at, bytes.size());
        const std::vector<uint8_t> lines = DecodeExactly(
            std::vector<uint8_t>(bytes.begin() + static_cast<ptrdiff_t>(from), bytes.end()), static_cast<size_t>(w) * h);
        EXPECT_EQ(lines.size(), static_cast<size_t>(w) * h) << "cut-line map";
        // The pieces cover the picture; the cut lines lie on the borders
        // between pieces, and every such border is drawn.
        EXPECT_EQ(std::count(owner.begin(), owner.end(), 0xFF), 0) << "pixels in no piece";
        if (lines.size() == owner.size()) {
            size_t stray = 0, missing = 0;
            for (uint32_t y = 0; y < h; ++y) {
                for (uint32_t x = 0; x < w; ++x) {
                    bool border = false;
                    for (int dy = -1; dy <= 1; ++dy) {
                        for (int dx = -1; dx <= 1; ++dx) {
                            const int64_t nx = static_cast<int64_t>(x) + dx, ny = static_cast<int64_t>(y) + dy;
                            border = border || (nx >= 0 && ny >= 0 && nx < w && ny < h &&
                                                owner[static_cast<size_t>(ny) * w + static_cast<size_t>(nx)] != owner[static_cast<size_t>(y) * w + x]);
                        }
                    }
                    const uint8_t line = lines[static_cast<size_t>(y) * w + x];
                    stray += !border && line != 0;
                    missing += border && line == 0;
                }
            }
            EXPECT_EQ(stray, 0u);
            EXPECT_EQ(missing, 0u);
        }
    } catch (const std::out_of_range& error) {
        ADD_FAILURE() << error.what();
    }

    // A blocked piece waits for at least one free piece, and no chain of
    // blocked pieces comes back to itself.
    for (uint32_t i = 0; i < count; ++i) {
        if (!blocked[i]) {
            continue;
        }
        EXPECT_TRUE(std::any_of(links[i].begin(), links[i].end(), [&](uint32_t l) { return l < count && !blocked[l]; }))
            << "piece " << i;
        std::vector<uint32_t> path{i};
        std::set<uint32_t> seen;
        while (!path.empty()) {
            const uint32_t piece = path.back();
            path.pop_back();
            for (const uint32_t next : links[piece]) {
                if (next < count && blocked[next]) {
                    EXPECT_NE(next, i) << "blocked pieces wait for each other";
                    if (seen.insert(next).second) {
                        path.push_back(next);
                    }
                }
            }
        }
    }

    const auto colours = data.Text(base + "puzzle.ini");
    for (int k = 0; k < 9; ++k) {
        std::string token;
        EXPECT_TRUE(ReadToken(*colours, token));
        const int value = token.empty() ? -1 : std::stoi(token);
        EXPECT_TRUE(value >= 0 && value <= 255) << token;
    }
    return count;
}

// The catalogue, its puzzles, the map and the totems agree.
void CheckLevels(const std::string& root, const std::vector<int32_t>& expectedSizes, const std::vector<uint32_t>& expectedPieces) {
    DataSet data(root);
    std::vector<int32_t> sizes;
    const std::vector<std::vector<Level>> stages = ReadCatalogue(data, sizes);
    EXPECT_EQ(sizes, expectedSizes);
    ASSERT_FALSE(stages.empty());
    std::vector<uint32_t> pieces;
    uint32_t levels = 0;
    for (size_t s = 0; s < stages.size(); ++s) {
        EXPECT_GE(stages[s].size(), s + 1 == stages.size() && stages.size() > 1 ? 2u : 1u);
        for (const Level& level : stages[s]) {
            const uint32_t n = CheckPuzzle(data, level.folder);
            pieces.push_back(n);
            EXPECT_EQ(level.arcadeAce, static_cast<int32_t>(5 * n + 10)) << level.folder;
            EXPECT_EQ(level.relaxAce, static_cast<int32_t>(3 * n + 10)) << level.folder;
            ++levels;
        }
    }
    EXPECT_EQ(pieces, expectedPieces);

    // One map element per level: the start, a check point opening every
    // later stage, the finish last, path pieces between; all on the map panel
    // and apart.
    const std::vector<uint8_t> map = data.Bytes("data\\ui\\menus\\map\\map.gmf");
    ExpectHeader(map, "PHGMF", 100);
    ASSERT_EQ(map.size(), 17u + 68u * levels);
    ASSERT_EQ(U32At(map, 13), levels);
    size_t record = 0;
    std::set<std::pair<float, float>> places;
    for (size_t s = 0; s < stages.size(); ++s) {
        for (size_t l = 0; l < stages[s].size(); ++l, ++record) {
            const size_t at = 17 + 68 * record;
            const uint32_t expected = record == 0 ? 0 : record + 1 == levels ? 1 : l == 0 ? 2 : 3;
            EXPECT_EQ(U32At(map, at), expected) << "element " << record;
            const float x = F32At(map, at + 4 + 4 * 3), y = F32At(map, at + 4 + 4 * 7);
            EXPECT_TRUE(x > 130 + 20 && x < 670 - 20 && y > 85 + 20 && y < 430 - 20) << x << ", " << y;
            places.insert({x, y});
        }
    }
    EXPECT_EQ(places.size(), levels);

    // The totems: the picture in the bottom-left 300 × 300 texels, the
    // silhouette white there and black everywhere else.
    for (size_t s = 0; s < stages.size(); ++s) {
        SCOPED_TRACE("totem " + std::to_string(s));
        const std::string base = "data\\game_objects\\mini_game\\textures\\totem_" + std::to_string(s);
        Image colour, alpha;
        ASSERT_TRUE(data.Picture(base + ".jpg", colour));
        ASSERT_TRUE(data.Picture(base + "_alpha.jpg", alpha));
        EXPECT_EQ(colour.GetWidth(), 512u);
        EXPECT_EQ(colour.GetHeight(), 512u);
        EXPECT_EQ(colour.GetBits(), 24u);
        ASSERT_EQ(alpha.GetWidth(), 512u);
        ASSERT_EQ(alpha.GetHeight(), 512u);
        const uint32_t step = alpha.GetPixelBytes();
        size_t inside = 0, outside = 0;
        for (uint32_t y = 0; y < 512; ++y) {
            for (uint32_t x = 0; x < 512; ++x) {
                const uint8_t value = alpha.GetRow(y)[x * step];
                if (x < 300 && y < 300) {
                    inside += value > 200;
                } else {
                    outside += value > 24;
                }
            }
        }
        EXPECT_GT(inside, 300u * 300u / 4);
        EXPECT_LT(inside, 300u * 300u * 3 / 4);
        EXPECT_EQ(outside, 0u);
        // The totem stands on the bottom edge and reaches near the top.
        EXPECT_GT(alpha.GetRow(2)[150 * step], 200);
        EXPECT_GT(alpha.GetRow(280)[150 * step], 200);
    }

    // The background has a layer built at start and the unicorn; the title
    // has pieces.
    const auto background = data.Text("data\\ui\\menus\\background\\background.ini");
    const int32_t layers = background->ReadInt();
    bool built = false, unicorn = false;
    for (int32_t i = 0; i < layers; ++i) {
        std::string model, particles;
        ASSERT_TRUE(ReadToken(*background, model));
        ASSERT_TRUE(ReadToken(*background, particles));
        const int32_t a = background->ReadInt();
        const int32_t b = background->ReadInt();
        built = built || a != 0;
        unicorn = unicorn || model.find("unicorn") != std::string::npos;
        EXPECT_GE(b, 0);
    }
    EXPECT_TRUE(built);
    EXPECT_TRUE(unicorn);
    EXPECT_GE(data.Text("data\\ui\\menus\\models\\background\\title_ge.ini")->ReadInt(), 1);
    for (const ZorvaneEngine::LogMessage& message : data.log.GetFrameMessages()) {
        EXPECT_LT(message.level, 2) << message.text;
    }
}

TEST(DefaultDataTest, ShippedLevels) {
    ASSERT_TRUE(std::filesystem::exists(StageRoot + "/data/levels")) << "build the data set (target tangrove_data) first";
    CheckLevels(StageRoot, {2, 2, 3, 3, 3, 4, 4, 4},
                {9, 12, 12, 12, 15, 16, 20, 20, 24, 24, 20, 24, 24, 28, 30, 24, 28, 30, 30, 35,
                 30, 30, 35, 35, 40, 35, 35, 40, 40, 42, 40, 42, 42, 48, 48, 42, 48, 48, 54, 54});
    // Blocked pieces from the third stage on, one to four per puzzle, and
    // five to seven in the last stage.
    DataSet data(StageRoot);
    for (int s = 0; s < 8; ++s) {
        for (int l = 0; l < 5; ++l) {
            const std::vector<uint8_t> bytes = data.Bytes("data\\puzzles\\s" + std::to_string(s) + "_l" + std::to_string(l) + "\\puzzle.pzf");
            uint32_t blocked = 0;
            size_t at = 25;
            for (uint32_t i = 0; i < U32At(bytes, 21); ++i) {
                blocked += U32At(bytes, at);
                at += 24 + 4 * U32At(bytes, at + 20);
                at += 4 + U32At(bytes, at);
            }
            EXPECT_TRUE(s < 2 ? blocked == 0 : s < 7 ? blocked >= 1 && blocked <= 4 : blocked >= 5 && blocked <= 7)
                << s << " " << l << ": " << blocked;
        }
    }
}

TEST(DefaultDataTest, FixtureLevels) {
    ASSERT_TRUE(std::filesystem::exists(FixtureRoot + "/data/levels")) << "build the data set (target tangrove_data) first";
    CheckLevels(FixtureRoot, {2, 2}, {4, 6, 16, 3, 2});
    // s0_l1: one blocked piece with two links.
    DataSet data(FixtureRoot);
    const std::vector<uint8_t> bytes = data.Bytes("data\\puzzles\\s0_l1\\puzzle.pzf");
    uint32_t blocked = 0;
    size_t at = 25;
    for (uint32_t i = 0; i < U32At(bytes, 21); ++i) {
        if (U32At(bytes, at) == 1) {
            ++blocked;
            EXPECT_EQ(U32At(bytes, at + 20), 2u);
        }
        at += 24 + 4 * U32At(bytes, at + 20);
        at += 4 + U32At(bytes, at);
    }
    EXPECT_EQ(blocked, 1u);
}

// Every key the screens ask for, with the longest line each place can show.
TEST(DefaultDataTest, GermanTexts) {
    DataSet data(StageRoot);
    ZorvaneEngine::GUITextManager texts(&data.log, &data.files);
    const char* const names[] = {
        "game_title", "common", "continue_game_logic", "delete_profile", "exit", "game_complete", "game_logic",
        "game_logic_exit", "game_logic_menu", "game_logic_pause", "game_logic_restart", "game_over", "help",
        "high_scores", "introduction", "level_complete", "loading", "main_menu", "mini_game", "new_profile",
        "options", "profile_name_conflict", "profiles", "relax", "rename_profile", "stage_complete", "start_game",
        "statistics", "tutorial", "welcome"};
    for (const char* name : names) {
        texts.LoadFile(std::string("ui\\texts\\ge\\") + name + ".ini");
    }
    for (const ZorvaneEngine::LogMessage& message : data.log.GetFrameMessages()) {
        EXPECT_LT(message.level, 2) << message.text;
    }

    // Longest line per kind of place, in characters.
    enum Limit : size_t { Title = 30, Button = 10, Hud = 6, MainMenu = 12, Small = 40, Big = 46, Mini = 60, Free = 80 };
    const std::vector<std::pair<Limit, std::vector<std::string>>> keys = {
        {Free, {"GAME_TITLE", "ENTER_YOUR_NAME", "MAIN_MENU_WELCOME", "GAME_LOGIC_COMBO", "GAME_LOGIC_BLOCKED_ELEMENT",
                "GAME_LOGIC_BONUS_MAGNET", "GAME_LOGIC_BONUS_PAUSE", "GAME_LOGIC_BONUS_ROLL_BACK", "GAME_LOGIC_BONUS_TIP",
                "FPS", "MODELS_COUNT", "TRIANGLES_COUNT", "HIT_MOUSE_BUTTON_TO_CONTINUE", "TUTORIAL_DO_NOT_SHOW",
                "START_GAME_RELAX_MODE", "HIGH_SCORES_NO_RECORDS", "OPTIONS_FULLSCREEN", "OPTIONS_RESOLUTION",
                "OPTIONS_MUSIC_VOLUME", "OPTIONS_SOUND_VOLUME", "CONTINUE_GAME_LOGIC_GAME_MODE", "CONTINUE_GAME_LOGIC_LEVEL",
                "CONTINUE_GAME_LOGIC_SCORE", "CONTINUE_GAME_LOGIC_GAME_MODE_ARCADE", "CONTINUE_GAME_LOGIC_GAME_MODE_RELAX",
                "LEVEL_COMPLETE_YOUR_TIME", "LEVEL_COMPLETE_ACE_TIME", "LEVEL_COMPLETE_TIME_BONUS",
                "LEVEL_COMPLETE_NO_TIME_BONUS", "LEVEL_COMPLETE_BEST_TIME", "LEVEL_COMPLETE_BEST_TIME_NAME",
                "HIGH_SCORES_ARCADE_MODE_TITLE", "HIGH_SCORES_RELAX_MODE_TITLE"}},
        {Title, {"WELCOME_TITLE", "NEW_PROFILE_TITLE", "RENAME_PROFILE_TITLE", "DELETE_PROFILE_TITLE",
                 "PROFILE_NAME_CONFLICT_TITLE", "PROFILES_TITLE", "EXIT_TITLE", "CONTINUE_GAME_LOGIC_TITLE",
                 "HIGH_SCORES_TITLE", "OPTIONS_TITLE", "HELP_TITLE", "START_GAME_TITLE", "START_GAME_STAGE_COMPLETE_TITLE",
                 "MINI_GAME_TITLE", "GAME_LOGIC_PAUSED_TITLE", "GAME_LOGIC_MENU_TITLE", "GAME_LOGIC_EXIT_TITLE",
                 "GAME_LOGIC_RESTART_TITLE", "GAME_OVER_TITLE", "LEVEL_COMPLETE_TITLE", "GAME_COMPLETE_TITLE",
                 "INTRODUCTION_TITLE", "RELAX_TITLE", "TUTORIAL_TITLE", "LOADING"}},
        {Button, {"OK", "YES", "NO", "CANCEL", "BACK", "CONTINUE", "EXIT", "PROFILES_NEW", "PROFILES_RENAME",
                  "PROFILES_DELETE", "PROFILES_DONE", "CONTINUE_GAME_LOGIC_CONTINUE_GAME", "CONTINUE_GAME_LOGIC_NEW_GAME",
                  "HIGH_SCORES_ARCADE_MODE_BUTTON", "HIGH_SCORES_RELAX_MODE_BUTTON", "OPTIONS_APPLY", "OPTIONS_DEFAULTS",
                  "START_GAME_START", "START_GAME_CONTINUE", "GAME_LOGIC_PAUSED_RESUME", "GAME_LOGIC_MENU_RETURN",
                  "GAME_LOGIC_MENU_RESTART", "GAME_LOGIC_MENU_EXIT", "GAME_LOGIC_EXIT_OK", "TUTORIAL_CONTINUE",
                  "GAME_LOGIC_MENU"}},
        {Hud, {"GAME_LOGIC_LEVEL", "GAME_LOGIC_SCORE"}},
        {MainMenu, {"MAIN_MENU_START", "MAIN_MENU_HIGH_SCORES", "MAIN_MENU_OPTIONS", "MAIN_MENU_CHANGE_PROFILE",
                    "MAIN_MENU_SHOW_PLACE", "MAIN_MENU_CREDITS", "MAIN_MENU_EXIT"}},
        {Small, {"GAME_LOGIC_PAUSED_TEXT"}},
    };
    const std::vector<std::tuple<std::string, int32_t, Limit>> numbered = {
        {"DELETE_PROFILE_TEXT_", 3, Small}, {"PROFILE_NAME_CONFLICT_TEXT_", 2, Small}, {"EXIT_TEXT_", 2, Small},
        {"CONTINUE_GAME_LOGIC_TEXT_", 3, Small}, {"HELP_TEXT_", 12, Big}, {"MINI_GAME_STAGE_COMPLETE_TEXT_", 3, Mini},
        {"MINI_GAME_GAME_COMPLETE_TEXT_", 3, Mini}, {"GAME_LOGIC_EXIT_TEXT_", 3, Small},
        {"GAME_LOGIC_RESTART_TEXT_", 2, Small}, {"GAME_OVER_TEXT_", 3, Small},
    };
    const auto check = [&](const std::string& key, int32_t number, size_t limit) {
        const std::u16string text = texts.GetText(key, number);
        const std::string name = number < 0 ? key : key + std::to_string(number);
        EXPECT_NE(text, u"UNKNOWN") << name;
        EXPECT_FALSE(text.empty()) << name;
        EXPECT_LE(text.size(), limit) << name;
        EXPECT_EQ(text.find(u'\r'), std::u16string::npos) << name;
        EXPECT_EQ(text.find(u'\uFFFD'), std::u16string::npos) << name;
        return text;
    };
    size_t count = 0;
    for (const auto& [limit, list] : keys) {
        for (const std::string& key : list) {
            check(key, -1, limit);
            ++count;
        }
    }
    for (const auto& [base, lines, limit] : numbered) {
        for (int32_t i = 0; i < lines; ++i) {
            check(base, i, limit);
            ++count;
        }
    }
    // Paged and counted texts: the size is digits only and at least 1, and
    // every counted line exists.
    for (const std::string base : {"INTRODUCTION_TEXT_", "GAME_COMPLETE_TEXT_", "RELAX_TEXT_"}) {
        const std::u16string size = check(base + "SIZE", -1, 3);
        ASSERT_TRUE(!size.empty() && std::all_of(size.begin(), size.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; }));
        const int32_t lines = std::stoi(std::string(size.begin(), size.end()));
        EXPECT_GE(lines, 1);
        EXPECT_LE(lines, base == "RELAX_TEXT_" ? 12 : 24);
        for (int32_t i = 0; i < lines; ++i) {
            check(base, i, Big);
        }
        count += 1 + static_cast<size_t>(lines);
        // The introduction turns pages of twelve lines: a short last page
        // would stand nearly empty.
        if (base == "INTRODUCTION_TEXT_") {
            EXPECT_EQ(lines % 12, 0);
        }
    }
    EXPECT_EQ(count, 170u);
    EXPECT_NE(texts.GetText("GAME_LOGIC_COMBO").find(u"%COMBO%"), std::u16string::npos);
    EXPECT_NE(texts.GetText("LEVEL_COMPLETE_BEST_TIME_NAME").find(u"%PROFILE_NAME%"), std::u16string::npos);
    EXPECT_EQ(texts.GetText("GAME_TITLE"), u"Tangrove");
}

// The font list and every font, loaded as the game loads them: fonts 0 to
// 10 with every character of the texts, and the texts fitting their places
// in the fonts that draw them.
TEST(DefaultDataTest, GermanFonts) {
    TestSupport::EngineTestEnvironment env;
    ZorvaneEngine::EngineSettings settings = env.Settings();
    settings.baseFolder = StageRoot;
    auto engine = std::make_unique<ZorvaneEngine::Engine>(settings);
    ZorvaneEngine::GUIFontManager* fonts = engine->guiManager->GetFontManager();
    const auto list = engine->fileManager->OpenTextFile("data\\ui\\fonts\\ge.ini", false);
    const int32_t count = list->ReadInt();
    EXPECT_EQ(count, 11);
    EXPECT_EQ(list->ReadInt(), 0);
    for (int32_t id = 0; id < count; ++id) {
        std::string file, diffuse, opacity;
        ASSERT_TRUE(ReadToken(*list, file) && ReadToken(*list, diffuse) && ReadToken(*list, opacity));
        EXPECT_EQ(opacity, "32bit");
        ZorvaneEngine::GUIFont* font = fonts->LoadFont(id, ZorvaneEngine::BuildGUIShaderDescriptor(opacity, diffuse), file);
        font->size = list->ReadFloat();
        font->missingAdvance = list->ReadFloat();
        font->spacing = list->ReadFloat();
        EXPECT_EQ(list->ReadInt(), 0);
        EXPECT_EQ(list->ReadInt(), 0);

        Image texture;
        ASSERT_TRUE(Image::Load(engine->log.get(), engine->fileManager.get(), texture, "data\\" + diffuse)) << diffuse;
        EXPECT_EQ(texture.GetBits(), 32u);
        EXPECT_EQ(texture.GetWidth() & (texture.GetWidth() - 1), 0u) << diffuse;
        EXPECT_EQ(texture.GetHeight() & (texture.GetHeight() - 1), 0u) << diffuse;
        // Every character a player can type or a text holds, the caret too.
        for (const char16_t code : DefaultFontCharacters()) {
            EXPECT_NE(font->FindGlyph(code), nullptr) << "font " << id << " lacks U+" << std::hex << static_cast<int>(code);
        }
    }
    // Other services may complain here (no sound device); the fonts do not.
    for (const ZorvaneEngine::LogMessage& message : engine->log->GetFrameMessages()) {
        if (message.level >= 2) {
            EXPECT_EQ(message.text.find("fonts"), std::string::npos) << message.text;
        }
    }

    ZorvaneEngine::GUITextManager* texts = engine->guiManager->GetTextManager();
    for (const char* name : {"common", "main_menu", "start_game", "welcome", "profiles", "high_scores", "options",
                             "help", "introduction", "game_complete", "relax", "mini_game", "game_logic_menu",
                             "game_logic_exit", "game_over", "level_complete", "continue_game_logic", "tutorial"}) {
        texts->LoadFile(std::string("ui\\texts\\ge\\") + name + ".ini");
    }
    const auto width = [&](int32_t id, const std::string& key, int32_t number = -1, float size = -1) {
        return fonts->GetFont(id)->MeasureText(texts->GetText(key, number), 0, size).x;
    };
    // Titles typed on the plate, font 1 in a 390-unit box; button captions
    // in the text areas of the big and small buttons; main menu captions.
    for (const char* key : {"WELCOME_TITLE", "START_GAME_STAGE_COMPLETE_TITLE", "GAME_COMPLETE_TITLE", "MINI_GAME_TITLE",
                            "INTRODUCTION_TITLE", "RELAX_TITLE", "HIGH_SCORES_TITLE", "LEVEL_COMPLETE_TITLE"}) {
        EXPECT_LE(width(1, key), 390.0f) << key;
    }
    for (const char* key : {"CANCEL", "CONTINUE_GAME_LOGIC_NEW_GAME", "OPTIONS_APPLY", "START_GAME_START",
                            "GAME_LOGIC_EXIT_OK", "HIGH_SCORES_RELAX_MODE_BUTTON"}) {
        EXPECT_LE(width(1, key), 134.0f) << key;
    }
    for (const char* key : {"PROFILES_RENAME", "PROFILES_DELETE", "TUTORIAL_CONTINUE", "BACK"}) {
        EXPECT_LE(width(1, key), 118.0f) << key;
    }
    for (const char* key : {"MAIN_MENU_START", "MAIN_MENU_HIGH_SCORES", "MAIN_MENU_CHANGE_PROFILE", "MAIN_MENU_SHOW_PLACE"}) {
        for (const int32_t id : {7, 8, 9}) {
            EXPECT_LE(width(id, key), 180.0f) << key;
        }
    }
    // Window lines in font 2: the large window's 680-unit panel holds them
    // with room to spare; help headings in font 3.
    for (int32_t i = 0; i < 24; ++i) {
        EXPECT_LE(width(2, "INTRODUCTION_TEXT_", i), 600.0f) << i;
    }
    for (int32_t i = 0; i < 12; ++i) {
        const bool heading = i == 0 || (i >= 4 && i % 2 == 0);
        EXPECT_LE(width(heading ? 3 : 2, "HELP_TEXT_", i), 600.0f) << i;
    }
    EXPECT_LE(width(1, "START_GAME_RELAX_MODE", -1, 19), 300.0f);
    engine.reset();
}

} // namespace
} // namespace Tools
