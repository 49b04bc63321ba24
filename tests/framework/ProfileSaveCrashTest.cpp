// A process killed at any moment while saving a profile and the profile list
// leaves files that load: the version before the save or the one after it.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <random>
#include <set>

#include "RecordFolder.h"
#include "TestProfileManager.h"
#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "framework/ProfileBase.h"
#include "framework/VersionedFile.h"

namespace GameFramework {
namespace {

using TestSupport::RecordFolder;
using TestSupport::TestProfileManager;

// Runs in the child until it is killed: Ann's score grows by one per save
// and her name changes length, while the list names Ann and Bob in turn.
// It writes one byte to ready once it is about to start saving, and one
// more after each save round that completed.
[[noreturn]] void SaveForever(const std::string& userFolder, const std::string& root, int ready)
{
    ZorvaneEngine::MessageManager log("", "child", "Child", false, false);
    ZorvaneEngine::FileManager files("data", &log, root);
    TestProfileManager manager(&log, &files, nullptr, userFolder);
    manager.LoadProfiles();
    ProfileBase* ann = manager.FindProfile(u"Ann");
    if (!ann) ann = manager.FindProfile(u"Annabelle");
    ProfileBase* bob = manager.FindProfile(u"Bob");
    if (!ann || !bob) _exit(2);
    const char byte = 1;
    if (write(ready, &byte, 1) != 1) _exit(3);
    // A parent that failed before its kill must not leave this running.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    for (uint32_t i = 0; std::chrono::steady_clock::now() < deadline; ++i) {
        ann->totalScore += 1;
        ann->SetName(i % 2 ? u"Ann" : u"Annabelle");
        manager.currentProfile = i % 2 ? ann : bob;
        manager.SaveProfileList();
        log.ClearFrameMessages();
        if (write(ready, &byte, 1) != 1) _exit(3);
    }
    _exit(0);
}

TEST(ProfileSaveCrash, EveryFileLeftByAKilledSaveLoads)
{
    RecordFolder folder;
    std::string annFile;
    {
        TestProfileManager manager(&folder.log, &folder.files, nullptr, folder.UserFolder());
        manager.LoadProfiles();
        annFile = manager.AddProfile(u"Ann")->GetFileName();
        manager.currentProfile = manager.AddProfile(u"Bob");
        manager.SaveProfileList();
    }
    const std::string listPath = folder.UserFolder() + "/profiles.pmf";
    const std::set<std::u16string> names = {u"Ann", u"Annabelle", u"Bob"};

    // Each kill falls anywhere in the few save rounds after one that the child
    // reported complete, however fast the disk makes a save (its flush to the
    // disk dominates) and however slowly a loaded machine starts the child.
    const auto started = std::chrono::steady_clock::now();
    {
        TestProfileManager manager(&folder.log, &folder.files, nullptr, folder.UserFolder());
        manager.LoadProfiles();
        for (int i = 0; i < 3; ++i) {
            manager.GetProfiles()[0]->Save();
            manager.SaveProfileList();
        }
    }
    const auto saveRound = std::chrono::duration_cast<std::chrono::microseconds>(
                               std::chrono::steady_clock::now() - started) / 3;
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int64_t> delay(0, 4 * saveRound.count());  // microseconds
    uint32_t lastScore = 0;
    int cutShort = 0;
    const int rounds = 100;
    for (int round = 0; round < rounds; ++round) {
        int ready[2];
        ASSERT_EQ(pipe(ready), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) SaveForever(folder.UserFolder(), folder.root.Path(), ready[1]);
        close(ready[1]);
        char bytes[2] = {};
        // The read end stays open until the child is dead: a closed pipe
        // would end it by SIGPIPE at the end of its next save instead.
        const bool running = read(ready[0], &bytes[0], 1) == 1 && read(ready[0], &bytes[1], 1) == 1;
        usleep(static_cast<useconds_t>(delay(random)));
        kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        close(ready[0]);
        ASSERT_TRUE(running && WIFSIGNALED(status)) << "round " << round << ": the child ended by itself";

        // A save cut short leaves its temporary beside the file.
        for (const std::string& entry : TestSupport::FolderEntries(folder.root / "user/profiles")) {
            if (entry.ends_with(".tmp")) {
                ++cutShort;
                std::filesystem::remove(folder.root / ("user/profiles/" + entry));
            }
        }
        for (const std::string& entry : TestSupport::FolderEntries(folder.UserFolder())) {
            if (entry.ends_with(".tmp")) {
                ++cutShort;
                std::filesystem::remove(folder.root / ("user/" + entry));
            }
        }

        ProfileBase ann(&folder.log, &folder.files, folder.UserFolder());
        ASSERT_NO_THROW(ann.Load(annFile)) << "round " << round << ": " << testing::PrintToString(folder.TakeErrors());
        EXPECT_TRUE(names.contains(ann.GetName()));
        EXPECT_GE(ann.totalScore, lastScore) << "round " << round << ": a saved score was lost";
        lastScore = ann.totalScore;

        VersionedFile list(&folder.files, ProfileManagerBase::ListMagic, ProfileManagerBase::ListVersion);
        ASSERT_NO_THROW(list.Open(VersionedFile::ModeRead, listPath)) << "round " << round;
        std::u16string current;
        list.GetFile()->ReadWideString(current);
        EXPECT_TRUE(names.contains(current)) << "round " << round;
    }
    // The children did save (each at least once), and were killed in the
    // middle of saves.
    EXPECT_GE(lastScore, static_cast<uint32_t>(rounds));
    EXPECT_GT(cutShort, rounds / 4);
    std::printf("%d rounds, %u saves, %d saves cut short, %lld us a save round\n", rounds, lastScore, cutShort,
                static_cast<long long>(saveRound.count()));

    TestProfileManager manager(&folder.log, &folder.files, nullptr, folder.UserFolder());
    manager.LoadProfiles();
    EXPECT_EQ(manager.GetProfiles().size(), 2u);
    EXPECT_TRUE(folder.TakeErrors().empty());
}

} // namespace
} // namespace GameFramework
