#include "framework/ProfileManagerBase.h"

#include <gtest/gtest.h>

#include "RecordFolder.h"
#include "TestProfileManager.h"
#include "engine/Engine.h"
#include "engine/core/EngineTestEnvironment.h"
#include "framework/ProfileBase.h"
#include "framework/SoundPlayer.h"
#include "platform/audio/scripted/ScriptedAudio.h"

namespace GameFramework {
namespace {

using TestSupport::Bytes;
using TestSupport::RecordFolder;
using TestSupport::TestProfileManager;

const Bytes kEmptyList = {0x14, 0, 0, 0, 'F', 'L', 'P', 'M', 'F', 100, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0};

struct ListRecord {
    int32_t a, b;
    std::u16string text;
    int32_t c;
};

Bytes ListFile(const std::u16string& current, const std::vector<ListRecord>& records = {})
{
    Tools::BinaryWriter w;
    Tools::BeginEngineFile(w, "FLPMF", 100);
    w.WideString(current);
    w.U32(static_cast<uint32_t>(records.size()));
    for (const ListRecord& r : records) {
        w.I32(r.a);
        w.I32(r.b);
        w.WideString(r.text);
        w.I32(r.c);
    }
    Tools::EndEngineFile(w);
    return w.Data();
}

class ProfileManagerBaseTest : public ::testing::Test {
protected:
    std::unique_ptr<TestProfileManager> Start()
    {
        auto manager = std::make_unique<TestProfileManager>(&folder.log, &folder.files, nullptr, folder.UserFolder());
        manager->LoadProfiles();
        return manager;
    }

    // Saves a profile of that name, as an earlier run would have.
    void MakeProfile(const std::u16string& name)
    {
        ProfileBase profile(&folder.log, &folder.files, folder.UserFolder());
        profile.Create(name);
    }

    std::string ListPath() const { return folder.root / "user/profiles.pmf"; }

    RecordFolder folder;
};

TEST_F(ProfileManagerBaseTest, AFreshUserFolderGivesAnEmptyList)
{
    auto manager = Start();
    EXPECT_TRUE(manager->GetProfiles().empty());
    EXPECT_EQ(manager->currentProfile, nullptr);
    EXPECT_EQ(folder.Read(ListPath()), kEmptyList);
}

TEST_F(ProfileManagerBaseTest, ProfilesLoadSortedWithTheCurrentOneFromTheListFile)
{
    for (const char16_t* name : {u"carl", u"bob", u"Alice"}) MakeProfile(name);
    struct Case {
        const char* name;
        Bytes list;
        std::u16string current;
        bool rewritten;
    };
    const Case cases[] = {
        {"named in another case", ListFile(u"Bob"), u"bob", false},
        {"no longer exists", ListFile(u"Zed"), u"Alice", true},
        {"no list file", Bytes{}, u"Alice", true},
        {"damaged list file", Bytes{1, 2, 3}, u"Alice", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.list.empty()) std::filesystem::remove(ListPath());
        else folder.Write(ListPath(), c.list);
        auto manager = Start();
        EXPECT_EQ(manager->Names(), (std::vector<std::u16string>{u"Alice", u"bob", u"carl"}));
        ASSERT_NE(manager->currentProfile, nullptr);
        EXPECT_EQ(manager->currentProfile->GetName(), c.current);
        if (c.rewritten) {
            EXPECT_EQ(folder.Read(ListPath()), ListFile(c.current));
        }
    }

    // Records the program never makes are kept and written back unchanged.
    const Bytes withRecords = ListFile(u"carl", {{-1, 2, u"x", 3}, {4, 5, u"", -6}});
    folder.Write(ListPath(), withRecords);
    auto manager = Start();
    ASSERT_EQ(manager->GetListRecords().size(), 2u);
    manager->SaveProfileList();
    EXPECT_EQ(folder.Read(ListPath()), withRecords);

    // A damaged text of 255 units with no zero among them keeps the 254 the
    // string form can hold, so that it reads back as it was kept.
    Tools::BinaryWriter w;
    Tools::BeginEngineFile(w, "FLPMF", 100);
    w.WideString(u"carl");
    w.U32(1);
    w.I32(1);
    w.I32(2);
    w.U8(255);
    for (int i = 0; i < 255; ++i) w.U16('r');
    w.I32(3);
    Tools::EndEngineFile(w);
    folder.Write(ListPath(), w.Data());
    manager = Start();
    ASSERT_EQ(manager->GetListRecords().size(), 1u);
    EXPECT_EQ(manager->GetListRecords()[0]->text, std::u16string(254, u'r'));
    EXPECT_EQ(manager->GetListRecords()[0]->number2, 3);
    manager->SaveProfileList();
    EXPECT_EQ(Start()->GetListRecords()[0]->text, std::u16string(254, u'r'));
}

TEST_F(ProfileManagerBaseTest, OnlyReadableFilesDirectlyInTheFolderAreLoaded)
{
    MakeProfile(u"Ann");
    const auto files = TestSupport::FolderEntries(folder.root / "user/profiles");
    ASSERT_EQ(files.size(), 1u);
    const Bytes ann = folder.Read(folder.ProfilePath(files[0]));
    // A copy inside a folder whose name looks like a profile file, a damaged
    // file, a file that cannot be opened, and a file of another kind.
    folder.Write(folder.ProfilePath("copy.prf/" + files[0]), ann);
    folder.Write(folder.ProfilePath("broken.prf"), Bytes(ann.begin(), ann.end() - 1));
    std::filesystem::create_symlink(folder.ProfilePath("gone"), folder.ProfilePath("gone.prf"));
    folder.Write(folder.ProfilePath("ann.txt"), ann);
    folder.TakeErrors();

    auto manager = Start();
    EXPECT_EQ(manager->Names(), std::vector<std::u16string>{u"Ann"});
    // Each one skipped is named in the log, in listing order.
    const std::string profiles = folder.UserFolder() + "\\profiles\\";
    const std::vector<std::string> errors = folder.TakeErrors();
    ASSERT_EQ(errors.size(), 3u);
    EXPECT_EQ(errors[0], "Incorrect + \"" + profiles + "broken.prf\" file format");
    EXPECT_EQ(errors[1], "\"" + profiles + "copy.prf\" is a folder, not a profile");
    EXPECT_EQ(errors[2], "Failed to open \"" + profiles + "gone.prf\" file");
}

// Adding, renaming and deleting, with a sound player giving new profiles
// their volumes.
TEST(ProfileManagerBaseWithEngine, AddRenameAndDeleteKeepTheListInStep)
{
    TestSupport::EngineTestEnvironment env;
    Platform::ScriptedAudio audio;
    ZorvaneEngine::Engine engine(env.Settings());
    SoundPlayer player(&engine, 0.16f, 0.7f);
    const std::string listPath = env.UserFolder() + "/profiles.pmf";
    const auto read = [](const std::string& path) { return TestSupport::ReadWholeFile(path); };

    TestProfileManager manager(&engine, &player, env.UserFolder());
    manager.LoadProfiles();
    for (const char16_t* name : {u"bob", u"Alice", u"carl"}) manager.AddProfile(name);
    EXPECT_EQ(manager.Names(), (std::vector<std::u16string>{u"Alice", u"bob", u"carl"}));
    EXPECT_EQ(manager.currentProfile, nullptr);
    manager.currentProfile = manager.FindProfile(u"carl");
    manager.SaveProfileList();

    ProfileBase* dan = manager.AddProfile(u"  Dan ");
    ASSERT_NE(dan, nullptr);
    EXPECT_EQ(dan->GetName(), u"Dan");
    EXPECT_EQ(manager.currentProfile->GetName(), u"carl");
    ProfileBase reloaded(&engine, env.UserFolder());
    reloaded.Load(dan->GetFileName());
    EXPECT_EQ(reloaded.musicVolume, 0.16f);
    EXPECT_EQ(reloaded.soundVolume, 0.7f);

    const std::string listBefore = read(listPath);
    EXPECT_EQ(manager.AddProfile(u" ALICE "), manager.FindProfile(u"Alice"));
    EXPECT_EQ(manager.GetProfiles().size(), 4u);
    EXPECT_EQ(read(listPath), listBefore);

    ProfileBase* bob = manager.FindProfile(u"bob");
    const std::string bobFile = bob->GetFileName();
    manager.RenameProfile(u"alice", u"Alice");
    manager.RenameProfile(u"Carl", u"bob");
    EXPECT_EQ(manager.Names(), (std::vector<std::u16string>{u"Alice", u"bob", u"carl", u"Dan"}));
    manager.RenameProfile(u" Zoe ", u"bob");
    EXPECT_EQ(manager.Names(), (std::vector<std::u16string>{u"Alice", u"carl", u"Dan", u"Zoe"}));
    EXPECT_EQ(bob->GetFileName(), bobFile);

    manager.currentProfile = bob;
    manager.SaveProfileList();
    bob->musicVolume = 0.3f;
    bob->soundVolume = 0.4f;
    manager.ApplyCurrentVolumes();
    EXPECT_EQ(player.GetMusicVolume(), 0.3f);
    EXPECT_EQ(player.GetSoundVolume(), 0.4f);

    manager.DeleteProfile(u"ZOE");
    EXPECT_EQ(manager.currentProfile->GetName(), u"Alice");
    EXPECT_FALSE(std::filesystem::exists(env.UserFolder() + "/profiles/" + bobFile));
    EXPECT_NE(read(listPath).find(std::string("A\0l\0i\0c\0e\0", 10)), std::string::npos);
    for (const char16_t* name : {u"Alice", u"carl", u"Dan"}) manager.DeleteProfile(name);
    EXPECT_EQ(manager.currentProfile, nullptr);
    EXPECT_EQ(read(listPath), std::string(kEmptyList.begin(), kEmptyList.end()));
    EXPECT_TRUE(TestSupport::FolderEntries(env.UserFolder() + "/profiles").empty());
}

} // namespace
} // namespace GameFramework
