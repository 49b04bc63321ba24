// The tools read the game's text tables for the words they draw.
#include <gtest/gtest.h>

#include <fstream>
#include <stdexcept>
#include <string>

#include "platform/system/TemporaryFolder.h"
#include "tools/common/TextTable.h"

namespace Tools {
namespace {

TEST(TextTableTest, ReadsTextsAsTheGameDoesAndRefusesWhatIsMissing) {
    TestSupport::TemporaryFolder folder;
    const std::string path = folder / "tutorial.ini";
    // UTF-8 with its mark, a comment line and umlauts.
    std::ofstream(path, std::ios::binary) << "\xEF\xBB\xBF// captions\n\n[PICK]\nTeil anklicken\n"
                                             "[BACK]\nRechtsklick: zur\xC3\xBC" "ck\n";
    const TextTable table(path);
    EXPECT_EQ(table.Text("pick"), U"Teil anklicken");
    EXPECT_EQ(table.Text("BACK"), U"Rechtsklick: zur\u00FCck");
    EXPECT_THROW(table.Text("PLACE"), std::runtime_error);
    EXPECT_THROW(TextTable(folder / "missing.ini"), std::runtime_error);

    // UTF-16 keeps a sign beyond its 16 bits as a pair of units: one
    // letter for the lettering.
    const std::u16string wide = u"\uFEFF[LEAF]\n\U0001F340!\n";
    std::ofstream(folder / "wide.ini", std::ios::binary)
        .write(reinterpret_cast<const char*>(wide.data()), static_cast<std::streamsize>(wide.size() * 2));
    EXPECT_EQ(TextTable(folder / "wide.ini").Text("LEAF"), U"\U0001F340!");
}

} // namespace
} // namespace Tools
