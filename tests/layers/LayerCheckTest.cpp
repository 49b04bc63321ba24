#include "LayerCheck.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace SourceLayers {
namespace {

// The program's folders from the bottom up: a file may include its own
// folder's files and those of the folders before it.
const std::vector<std::string> kLayerOrder = {
    "platform", "engine", "framework", "game/common", "game/gameplay", "game/menus", "game/app",
};

std::string Lines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += "  " + line + "\n";
    return text;
}

TEST(LayerCheckTest, RepositoryKeepsItsLayers)
{
    LayerCheck check(kLayerOrder, "platform");
    check.AddTree(TANGROVE_SOURCE_DIR);
    // A scan that found nothing would pass for the wrong reason.
    ASSERT_GT(check.FileCount(), 300u);
    ASSERT_GT(check.IncludeCount(), 2000u);

    const std::vector<std::string> violations = check.Violations();
    EXPECT_TRUE(violations.empty()) << violations.size() << " layer faults:\n" << Lines(violations);
}

struct TreeCase {
    const char* name;
    std::map<std::string, std::string> files;  // path -> text
    const char* expected;                      // a part of the one fault; empty: no fault
};

// Small trees, each with at most one fault.
const TreeCase kTreeCases[] = {
    {"downward, beside and system includes are fine",
     {{"engine/core/A.h", "#include <vector>\n#include \"platform/system/S.h\"\n#include \"engine/core/B.h\"\n"},
      {"engine/core/B.h", "#include \"B2.h\"\n"},
      {"engine/core/B2.h", ""},
      {"platform/system/S.h", "#include <SDL.h>\n#include <GL/gl.h>\n"},
      {"game/app/G.cpp", "#include \"game/menus/M.h\"\n#include \"generated/Art.h\"\n"},
      {"game/menus/M.h", "#include \"game/gameplay/P.h\"\n#include \"game/common/C.h\"\n"},
      {"game/gameplay/P.h", "#include \"game/common/C.h\"\n#include \"framework/F.h\"\n"},
      {"game/common/C.h", "#include \"framework/F.h\"\n"},
      {"framework/F.h", "#include \"engine/core/A.h\"\n"}},
     ""},
    {"engine reaching into framework",
     {{"engine/gui/W.cpp", "// the window\n#include \"framework/F.h\"\n"}, {"framework/F.h", ""}},
     "engine/gui/W.cpp:2: includes framework/F.h: framework sits above engine"},
    {"platform reaching into game",
     {{"platform/window/W.cpp", "  #  include \"game/app/Game.h\"\n"}, {"game/app/Game.h", ""}},
     "platform/window/W.cpp:1: includes game/app/Game.h: game/app sits above platform"},
    {"a relative path reaching up",
     {{"engine/core/A.cpp", "#include \"../../framework/F.h\"\n"}, {"framework/F.h", ""}},
     "engine/core/A.cpp:1: includes framework/F.h: framework sits above engine"},
    {"the level reaching into the menus",
     {{"game/gameplay/MiniGame.cpp", "#include \"game/menus/GUIControl.h\"\n"}, {"game/menus/GUIControl.h", ""}},
     "includes game/menus/GUIControl.h: game/menus sits above game/gameplay"},
    {"the shared folder reaching into the top",
     {{"game/common/GameData.cpp", "#include \"game/app/Game.h\"\n"}, {"game/app/Game.h", ""}},
     "game/app sits above game/common"},
    {"a game folder the order does not know",
     {{"game/extras/E.h", "#include \"game/common/C.h\"\n"}, {"game/common/C.h", ""}},
     "game/extras/E.h: in no folder of the layer order"},
    {"an include of a game folder the order does not know",
     {{"game/app/G.cpp", "#include \"game/extras/E.h\"\n"}},
     "game/app/G.cpp:1: includes game/extras/E.h, in no folder of the layer order"},
    {"the program including the tools",
     {{"game/app/G.cpp", "#include \"tools/common/Writer.h\"\n"}},
     "game/app/G.cpp:1: includes tools/common/Writer.h, outside the layers"},
    {"SDL in the engine",
     {{"engine/input/Keys.cpp", "#include <SDL2/SDL.h>\n"}},
     "engine/input/Keys.cpp:1: includes SDL2/SDL.h, an SDL or OpenGL header outside platform/"},
    {"SDL's OpenGL header in the game",
     {{"game/menus/M.cpp", "#include \"SDL_opengl.h\"\n"}},
     "includes SDL_opengl.h, an SDL or OpenGL header"},
    {"OpenGL in the framework",
     {{"framework/F.cpp", "#include <GL/glext.h>\n"}},
     "includes GL/glext.h, an SDL or OpenGL header"},
    {"two folders of one layer including each other",
     {{"engine/core/A.h", "#include \"engine/graphics/B.h\"\n"},
      {"engine/graphics/B.h", "#include \"engine/gui/C.h\"\n"},
      {"engine/gui/C.h", "#include \"engine/core/D.h\"\n"},
      {"engine/core/D.h", ""}},
     "folders include each other: engine/core -> engine/graphics -> engine/gui -> engine/core; "
     "engine/core/A.h:1 includes engine/graphics/B.h"},
    {"an area picking its implementation from its sub-folder",
     {{"platform/graphics/Factory.cpp", "#include \"platform/graphics/opengl/Device.h\"\n"},
      {"platform/graphics/opengl/Device.h", "#include \"platform/graphics/Factory.h\"\n"},
      {"platform/graphics/Factory.h", ""}},
     ""},
    {"two implementations of an area including each other",
     {{"platform/graphics/opengl/Device.cpp", "#include \"platform/graphics/scripted/Objects.h\"\n"},
      {"platform/graphics/scripted/Objects.h", "#include \"platform/graphics/opengl/Device.h\"\n"},
      {"platform/graphics/opengl/Device.h", ""}},
     "folders include each other: platform/graphics/opengl -> platform/graphics/scripted -> platform/graphics/opengl"},
};

TEST(LayerCheckTest, FindsEachKindOfFault)
{
    for (const TreeCase& tree : kTreeCases) {
        SCOPED_TRACE(tree.name);
        LayerCheck check(kLayerOrder, "platform");
        check.AddOtherFolder("tools");
        check.AddOtherFolder("tests");
        for (const auto& [path, text] : tree.files)
            check.AddFile(path, text);
        const std::vector<std::string> violations = check.Violations();
        if (std::string(tree.expected).empty()) {
            EXPECT_TRUE(violations.empty()) << Lines(violations);
            continue;
        }
        ASSERT_EQ(violations.size(), 1u) << Lines(violations);
        EXPECT_NE(violations[0].find(tree.expected), std::string::npos) << violations[0];
    }
}

} // namespace
} // namespace SourceLayers
