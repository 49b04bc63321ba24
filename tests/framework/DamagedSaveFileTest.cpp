// The save files that start-up replaces when it cannot read them, the
// high-score table and the profile list: a damaged one is first kept beside
// it under a name of its own and named in the log; a missing one is simply
// made anew.
#include <gtest/gtest.h>

#include <filesystem>

#include "RecordFolder.h"
#include "TestProfileManager.h"
#include "framework/HighScoresTable.h"

namespace GameFramework {
namespace {

using TestSupport::Bytes;
using TestSupport::RecordFolder;

struct SaveFile {
    const char* name;  // in the user folder
    Bytes good;
    Bytes fresh;  // what replaces a file that cannot be read
    void (*load)(RecordFolder&);
};

Bytes GoodTable()
{
    Tools::BinaryWriter w;
    Tools::BeginEngineFile(w, "GFHSF", 101);
    w.U32(1);
    w.U32(1);
    w.WideString(u"Ann");
    w.U32(0);
    w.U32(500);
    w.U32(0);
    Tools::EndEngineFile(w);
    return w.Data();
}

Bytes GoodList()
{
    Tools::BinaryWriter w;
    Tools::BeginEngineFile(w, "FLPMF", 100);
    w.WideString(u"Ann");
    w.U32(0);
    Tools::EndEngineFile(w);
    return w.Data();
}

struct Damage {
    const char* name;
    Bytes (*make)(const Bytes& good);  // null: a folder in the file's place
};

TEST(DamagedSaveFile, IsKeptBesideUnderAFreeNameAndLoggedBeforeItIsReplaced)
{
    const SaveFile files[] = {
        {"high_scores.hsf", GoodTable(),
         {0x15, 0, 0, 0, 'G', 'F', 'H', 'S', 'F', 101, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
         [](RecordFolder& folder) { HighScoresTable table(&folder.log, &folder.files, folder.UserFolder()); }},
        {"profiles.pmf", GoodList(), {0x14, 0, 0, 0, 'F', 'L', 'P', 'M', 'F', 100, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0},
         [](RecordFolder& folder) {
             TestSupport::TestProfileManager list(&folder.log, &folder.files, nullptr, folder.UserFolder());
             list.LoadProfiles();
         }},
    };
    const Damage damages[] = {
        {"one byte short", [](const Bytes& good) { return Bytes(good.begin(), good.end() - 1); }},
        {"a newer version",
         [](const Bytes& good) {
             Bytes newer = good;
             ++newer[9];
             return newer;
         }},
        {"random bytes", [](const Bytes&) { return Bytes{0x9C, 0x11, 0xE4, 0x02, 0x7F, 0x3A, 0x00, 0xD5, 0x61, 0x08,
                                                         0xBB, 0x4E, 0x90, 0x2D, 0xF3, 0x17}; }},
        {"a folder", nullptr},
    };
    for (const SaveFile& file : files) {
        for (const Damage& damage : damages) {
            SCOPED_TRACE(std::string(file.name) + ", " + damage.name);
            RecordFolder folder;
            const std::string path = folder.root / ("user/" + std::string(file.name));
            // Two damaged files in turn: the second finds the first one's
            // name taken.
            std::vector<Bytes> damaged;
            for (const char* kept : {".bad", ".1.bad"}) {
                if (damage.make != nullptr) {
                    damaged.push_back(damage.make(file.good));
                    folder.Write(path, damaged.back());
                } else {
                    std::filesystem::remove(path);
                    folder.Write(path + "/inside", Bytes{7});
                }
                folder.TakeErrors();
                file.load(folder);

                EXPECT_EQ(folder.Read(path), file.fresh);
                const std::string where = folder.UserFolder() + "\\" + file.name;
                const std::vector<std::string> errors = folder.TakeErrors();
                ASSERT_EQ(errors.size(), 1u);
                EXPECT_EQ(errors[0].rfind("Damaged \"" + where + "\" kept as \"" + where + kept + "\": ", 0), 0u)
                    << errors[0];
            }
            if (damage.make != nullptr) {
                EXPECT_EQ(folder.Read(path + ".bad"), damaged[0]);
                EXPECT_EQ(folder.Read(path + ".1.bad"), damaged[1]);
            } else {
                EXPECT_EQ(folder.Read(path + ".bad/inside"), Bytes{7});
                EXPECT_EQ(folder.Read(path + ".1.bad/inside"), Bytes{7});
            }
        }

        // A missing file is no damage: it is made, and nothing is kept.
        SCOPED_TRACE(file.name);
        RecordFolder folder;
        folder.TakeErrors();
        file.load(folder);
        EXPECT_EQ(folder.Read(folder.root / ("user/" + std::string(file.name))), file.fresh);
        EXPECT_EQ(folder.TakeErrors(), std::vector<std::string>{});
        EXPECT_EQ(TestSupport::FolderEntries(folder.UserFolder()), std::vector<std::string>{file.name});
    }
}

} // namespace
} // namespace GameFramework
