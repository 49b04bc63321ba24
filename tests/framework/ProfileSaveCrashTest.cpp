// A process killed at any point while saving a profile and the profile list
// leaves files that load: the version before the save or the one after it,
// the one after it exactly when its file was renamed into place.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "RecordFolder.h"
#include "TestProfileManager.h"
#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "framework/ProfileBase.h"
#include "framework/VersionedFile.h"
#include "platform/system/FileSystem.h"

namespace GameFramework {
namespace {

using Platform::FileStep;
using TestSupport::RecordFolder;
using TestSupport::TestProfileManager;

// What one save round leaves: Ann's score, her name, and the player the
// list names as current.
struct Saved {
    uint32_t score = 0;
    std::u16string name;
    std::u16string current;

    // The next round's (SaveRound): Ann's score grows by one and her name
    // changes length (her file), then the list names the other player (its
    // file).
    Saved Next() const
    {
        const std::u16string newName = name == u"Ann" ? u"Annabelle" : u"Ann";
        return {score + 1, newName, current == u"Bob" ? newName : u"Bob"};
    }
    bool operator==(const Saved&) const = default;
};

void PrintTo(const Saved& saved, std::ostream* out)
{
    *out << "score " << saved.score << ", name " << testing::PrintToString(saved.name) << ", current "
         << testing::PrintToString(saved.current);
}

// False when the list lacks a player.
bool SaveRound(TestProfileManager& manager)
{
    ProfileBase* bob = manager.FindProfile(u"Bob");
    ProfileBase* ann = nullptr;
    for (const auto& profile : manager.GetProfiles())
        if (profile.get() != bob) ann = profile.get();
    if (!ann || !bob) return false;
    const bool bobWasCurrent = manager.currentProfile == bob;
    ann->totalScore += 1;
    ann->SetName(ann->GetName() == u"Ann" ? u"Annabelle" : u"Ann");
    manager.currentProfile = bobWasCurrent ? ann : bob;
    manager.SaveProfileList();
    return true;
}

// The steps of a save round as the file layer takes them.
std::vector<std::pair<FileStep, std::string>> recorded;
void Record(FileStep step, const std::string& target)
{
    recorded.emplace_back(step, target);
}

// The child's steps to go before it dies.
int stepsLeft = 0;
void DieAtStep(FileStep, const std::string&)
{
    if (stepsLeft-- == 0) ::raise(SIGKILL);
}

class ProfileSaveCrashTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestProfileManager manager(&folder.log, &folder.files, nullptr, folder.UserFolder());
        manager.LoadProfiles();
        annFile = manager.AddProfile(u"Ann")->GetFileName();
        manager.currentProfile = manager.AddProfile(u"Bob");
        manager.SaveProfileList();
        ASSERT_TRUE(folder.TakeErrors().empty());
    }
    void TearDown() override { Platform::SetFileStepHook(nullptr); }

    // What the files hold now; a failure when either does not load.
    Saved Load()
    {
        Saved saved;
        ProfileBase ann(&folder.log, &folder.files, folder.UserFolder());
        EXPECT_NO_THROW(ann.Load(annFile)) << testing::PrintToString(folder.TakeErrors());
        saved.score = ann.totalScore;
        saved.name = ann.GetName();
        VersionedFile list(&folder.files, ProfileManagerBase::ListMagic, ProfileManagerBase::ListVersion);
        EXPECT_NO_THROW(list.Open(VersionedFile::ModeRead, ListPath()));
        if (list.IsOpen()) list.GetFile()->ReadWideString(saved.current);
        return saved;
    }

    // The temporaries of saves cut short.
    std::vector<std::string> Temporaries() const
    {
        std::vector<std::string> found;
        for (const std::string& folderPath : {folder.UserFolder(), folder.UserFolder() + "/profiles"}) {
            for (const std::string& entry : TestSupport::FolderEntries(folderPath)) {
                if (entry.ends_with(".tmp")) found.push_back(folderPath + "/" + entry);
            }
        }
        return found;
    }

    std::string ListPath() const { return folder.UserFolder() + "/profiles.pmf"; }

    RecordFolder folder;
    std::string annFile;
};

TEST_F(ProfileSaveCrashTest, EveryFileLeftByAKilledSaveLoads)
{
    // One round in this process, to learn its steps.
    Saved before = Load();
    ASSERT_EQ(before.current, u"Bob");
    {
        TestProfileManager manager(&folder.log, &folder.files, nullptr, folder.UserFolder());
        manager.LoadProfiles();
        Platform::SetFileStepHook(&Record);
        ASSERT_TRUE(SaveRound(manager));
        Platform::SetFileStepHook(nullptr);
    }
    ASSERT_EQ(Load(), before.Next()) << "a complete round";
    before = before.Next();
    const std::vector<std::pair<FileStep, std::string>> steps = recorded;

    // Where each file is created and renamed into place: Ann's first, then
    // the list's.
    const std::string annPath = folder.ProfilePath(annFile);
    size_t created[2] = {0, 0}, renamed[2] = {0, 0};
    int creates = 0, renames = 0;
    for (size_t i = 0; i < steps.size(); ++i) {
        const int file = steps[i].second == ListPath() ? 1 : 0;
        if (file == 0) {
            ASSERT_EQ(steps[i].second, annPath) << "step " << i;
        }
        if (steps[i].first == FileStep::Create) {
            created[file] = i;
            ++creates;
        }
        if (steps[i].first == FileStep::Rename) {
            renamed[file] = i;
            ++renames;
        }
    }
    ASSERT_EQ(creates, 2);
    ASSERT_EQ(renames, 2);
    ASSERT_LT(renamed[0], created[1]);

    // A child dies (SIGKILL, no clean-up of any kind) just before step k of
    // a round, for every k; with k past the last step it dies once the
    // round is complete.
    for (size_t k = 0; k <= steps.size(); ++k) {
        SCOPED_TRACE("killed before step " + std::to_string(k) + " of " + std::to_string(steps.size()));
        std::fflush(nullptr);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ZorvaneEngine::MessageManager log("", "child", "Child", false, false);
            ZorvaneEngine::FileManager files("data", &log, folder.root.Path());
            TestProfileManager manager(&log, &files, nullptr, folder.UserFolder());
            manager.LoadProfiles();
            stepsLeft = static_cast<int>(k);
            Platform::SetFileStepHook(&DieAtStep);
            if (!SaveRound(manager)) ::_exit(2);
            ::raise(SIGKILL);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the child ended by itself";

        // A file replaced once its rename was done, and not before; a save
        // cut short between its start and its rename leaves its temporary.
        const bool annReplaced = renamed[0] < k, listReplaced = renamed[1] < k;
        const size_t cutShort = (created[0] < k && !annReplaced) + (created[1] < k && !listReplaced);
        EXPECT_EQ(Temporaries().size(), cutShort);
        const Saved after = before.Next();
        const Saved expected{annReplaced ? after.score : before.score, annReplaced ? after.name : before.name,
                             listReplaced ? after.current : before.current};
        ASSERT_EQ(Load(), expected);

        // The game's own start on these files, temporaries and all, finds
        // both players. A list naming Ann by the name her replaced file no
        // longer has gets the first player as current, and is saved again.
        {
            TestProfileManager manager(&folder.log, &folder.files, nullptr, folder.UserFolder());
            manager.LoadProfiles();
            EXPECT_EQ(manager.GetProfiles().size(), 2u);
            EXPECT_TRUE(folder.TakeErrors().empty());
        }
        for (const std::string& path : Temporaries()) std::filesystem::remove(path);
        before = Load();
    }
}

} // namespace
} // namespace GameFramework
