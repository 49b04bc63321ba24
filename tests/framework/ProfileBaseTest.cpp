#include "framework/ProfileBase.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>

#include "RecordFolder.h"
#include "engine/core/Error.h"
#include "engine/core/Random.h"

namespace GameFramework {
namespace {

using TestSupport::Bytes;
using TestSupport::RecordFolder;

class ProfileBaseTest : public ::testing::Test {
protected:
    std::unique_ptr<ProfileBase> NewProfile()
    {
        return std::make_unique<ProfileBase>(&folder.log, &folder.files, folder.UserFolder());
    }

    // Loads the file; the error texts logged, empty when it loaded.
    std::vector<std::string> LoadErrors(ProfileBase& profile, const std::string& fileName)
    {
        folder.TakeErrors();
        try {
            profile.Load(fileName);
        } catch (const ZorvaneEngine::Error& error) {
            EXPECT_EQ(error.message, "");
            std::vector<std::string> errors = folder.TakeErrors();
            EXPECT_EQ(errors.size(), 1u);
            return errors;
        }
        return {};
    }

    // The body of a profile file, from the name to the volumes.
    static Bytes Body(const std::u16string& name, uint32_t stage, uint32_t level, uint32_t furthestStage,
                      uint32_t furthestLevel, float music, float sound)
    {
        Tools::BinaryWriter w;
        w.WideString(name);
        for (uint32_t value : {0u, 3u, 0u, stage, level, furthestStage, furthestLevel}) w.U32(value);
        w.U8(0);
        w.U32(0);
        w.U8(1);
        w.F32(music);
        w.F32(sound);
        return w.Data();
    }

    static Bytes WithHeader(const Bytes& body, uint32_t version = 104)
    {
        Tools::BinaryWriter w;
        Tools::BeginEngineFile(w, "APPRF", version);
        w.Bytes(body.data(), body.size());
        Tools::EndEngineFile(w);
        return w.Data();
    }

    RecordFolder folder;
};

TEST_F(ProfileBaseTest, EveryFieldRoundTripsInTheFileLayout)
{
    ZorvaneEngine::RandomSeed = 1;
    auto profile = NewProfile();
    profile->Create(u"  Bob ");
    EXPECT_EQ(profile->GetName(), u"Bob");
    EXPECT_EQ(profile->GetFileName(), "bob_883517092697.prf");
    EXPECT_TRUE(profile->IsNew());
    EXPECT_EQ(profile->carriedValue, 3u);

    profile->modeFlag = 1;
    profile->totalScore = 0x01020304;
    profile->stage = 2;
    profile->level = 5;
    profile->furthestStage = 3;
    profile->furthestLevel = 1;
    profile->endReached = true;
    profile->inProgress = true;
    profile->musicVolume = 0.16f;
    profile->soundVolume = 0.7f;
    profile->AddBestRecord(std::make_unique<ProfileBestRecord>(ProfileBestRecord{1, 2, 4, 30.5f}));

    Tools::BinaryWriter w;
    Tools::BeginEngineFile(w, "APPRF", 104);
    w.WideString(u"Bob");
    for (uint32_t value : {1u, 3u, 0x01020304u, 2u, 5u, 3u, 1u}) w.U32(value);
    w.U8(1);
    w.U32(1);
    w.U32(1);
    w.U32(2);
    w.U32(4);
    w.F32(30.5f);
    w.U8(1);
    w.F32(0.16f);  // the music volume comes first
    w.F32(0.7f);
    Tools::EndEngineFile(w);
    const std::string path = folder.ProfilePath("bob_883517092697.prf");
    EXPECT_EQ(folder.Read(path), w.Data());

    auto loaded = NewProfile();
    ASSERT_TRUE(LoadErrors(*loaded, "bob_883517092697.prf").empty());
    EXPECT_FALSE(loaded->IsNew());
    EXPECT_EQ(loaded->GetName(), u"Bob");
    EXPECT_EQ(loaded->GetFolderPath(), folder.UserFolder() + "\\profiles\\bob_883517092697");
    EXPECT_EQ(loaded->totalScore, 0x01020304u);
    EXPECT_EQ(loaded->furthestStage, 3u);
    EXPECT_TRUE(loaded->endReached);
    EXPECT_TRUE(loaded->inProgress);
    EXPECT_EQ(loaded->musicVolume, 0.16f);
    EXPECT_EQ(loaded->soundVolume, 0.7f);
    ASSERT_EQ(loaded->GetBestRecords().size(), 1u);
    EXPECT_EQ(loaded->GetBestRecords()[0]->level, 4u);
    EXPECT_EQ(loaded->GetBestTimeTotal(), 30.5f);
}

TEST_F(ProfileBaseTest, FileNamesAreTheLettersWithRandomDigitsAndNeverShared)
{
    struct Case {
        std::u16string name;
        const char* fileName;
    };
    const Case cases[] = {
        {u"Bob", "bob_883517092697.prf"},
        {u"Anna", "anna_88351709269.prf"},
        {u"\u0416 12", "_883517092697405.prf"},
        {u"Alexander the Great", "alexanderthegreat.prf"},
    };
    for (const Case& c : cases) {
        ZorvaneEngine::RandomSeed = 1;
        auto profile = NewProfile();
        profile->Create(c.name);
        EXPECT_EQ(profile->GetFileName(), c.fileName);
    }

    // The same letters again: the plain name is taken, so digits follow.
    const Bytes first = folder.Read(folder.ProfilePath("alexanderthegreat.prf"));
    auto second = NewProfile();
    second->Create(u"Alexander-the-Great");
    EXPECT_TRUE(second->GetFileName().starts_with("alexanderthegreat_"));
    EXPECT_EQ(second->GetFileName().size(), std::string("alexanderthegreat_1234.prf").size());
    EXPECT_EQ(folder.Read(folder.ProfilePath("alexanderthegreat.prf")), first);

    // Fourteen letters leave room for one digit: with all ten taken the name
    // is refused rather than another profile's file reused.
    for (char digit = '0'; digit <= '9'; ++digit)
        folder.Write(folder.ProfilePath(std::string("abcdefghijklmn_") + digit + ".prf"), Bytes{1});
    auto refused = NewProfile();
    EXPECT_THROW(refused->Create(u"Abcdefghijklmn"), ZorvaneEngine::Error);
    EXPECT_EQ(folder.Read(folder.ProfilePath("abcdefghijklmn_0.prf")), Bytes{1});

    // The longest name still makes a file the file system accepts.
    auto longest = NewProfile();
    longest->Create(std::u16string(ProfileBase::MaxNameLength, u'x'));
    EXPECT_EQ(longest->GetFileName(), std::string(200, 'x') + ".prf");
    auto reloaded = NewProfile();
    reloaded->Load(longest->GetFileName());
    EXPECT_EQ(reloaded->GetName(), std::u16string(ProfileBase::MaxNameLength, u'x'));
}

TEST_F(ProfileBaseTest, BestRecordsKeepTheShorterTime)
{
    auto profile = NewProfile();
    profile->Create(u"Ann");
    profile->AddBestRecord(std::make_unique<ProfileBestRecord>(ProfileBestRecord{0, 1, 2, 30.5f}));
    profile->AddBestRecord(std::make_unique<ProfileBestRecord>(ProfileBestRecord{0, 1, 2, 40.0f}));
    profile->AddBestRecord(std::make_unique<ProfileBestRecord>(ProfileBestRecord{1, 1, 2, 50.0f}));
    ASSERT_EQ(profile->GetBestRecords().size(), 2u);
    EXPECT_EQ(profile->GetBestRecords()[0]->bestTime, 30.5f);
    EXPECT_EQ(profile->GetBestTimeTotal(), 120.5f);

    auto loaded = NewProfile();
    loaded->Load(profile->GetFileName());
    ASSERT_EQ(loaded->GetBestRecords().size(), 2u);
    EXPECT_EQ(loaded->GetBestTimeTotal(), 80.5f);
}

TEST_F(ProfileBaseTest, ADamagedFileFailsTheLoadWithOneLoggedError)
{
    const Bytes good = Body(u"Ann", 0, 0, 0, 0, 1.0f, 1.0f);
    Bytes noVolumes = good;
    noVolumes.resize(noVolumes.size() - 8);
    Bytes countPastTheEnd = Body(u"Ann", 0, 0, 0, 0, 1.0f, 1.0f);
    const size_t countAt = 9 + 7 * 4 + 1;  // after the name, seven numbers and the end flag
    countPastTheEnd[countAt + 3] = 0x7F;
    Bytes sizeOff = WithHeader(good);
    sizeOff[0] += 1;

    struct Case {
        const char* name;
        Bytes file;
        std::string error;  // empty: any text
    };
    const std::string path = folder.UserFolder() + "\\profiles\\ann.prf";
    const Case cases[] = {
        {"cut after the in-progress byte", WithHeader(noVolumes), ""},
        {"record count past the end", WithHeader(countPastTheEnd), ""},
        {"size field off by one", sizeOff, "Incorrect + \"" + path + "\" file format"},
        {"older version", WithHeader(good, 103),
         "Incorrect \"" + path + "\" format version (103), current is 104"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        folder.Write(folder.ProfilePath("ann.prf"), c.file);
        auto profile = NewProfile();
        const std::vector<std::string> errors = LoadErrors(*profile, "ann.prf");
        ASSERT_EQ(errors.size(), 1u);
        if (!c.error.empty()) {
            EXPECT_EQ(errors[0], c.error);
        }
        EXPECT_TRUE(profile->GetBestRecords().empty());
    }
}

TEST_F(ProfileBaseTest, DamagedValuesAreMadeSafe)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        float music, sound;
        float musicLoaded, soundLoaded;
    };
    const Case cases[] = {{nan, 0.5f, 1.0f, 0.5f},
                          {std::numeric_limits<float>::infinity(), -2.0f, 1.0f, 0.0f},
                          {7.0f, 0.25f, 1.0f, 0.25f}};
    for (const Case& c : cases) {
        folder.Write(folder.ProfilePath("v.prf"), WithHeader(Body(u"V", 0, 0, 0, 0, c.music, c.sound)));
        auto profile = NewProfile();
        profile->Load("v.prf");
        EXPECT_EQ(profile->musicVolume, c.musicLoaded);
        EXPECT_EQ(profile->soundVolume, c.soundLoaded);
    }

    // A stage or level the catalogue lacks (three stages of 4, 2 and 3 levels).
    const std::vector<uint32_t> levelCounts = {4, 2, 3};
    struct Progress {
        uint32_t stage, level, furthestStage, furthestLevel;
        uint32_t stageAfter, levelAfter, furthestStageAfter, furthestLevelAfter;
        bool inProgressAfter;
    };
    const Progress progress[] = {
        {1, 1, 2, 2, 1, 1, 2, 2, true},
        {3, 0, 2, 2, 0, 0, 2, 2, false},
        {1, 2, 1, 1, 0, 0, 1, 1, false},
        {0, 3, 1, 5, 0, 3, 1, 1, true},
        {0, 0, 40, 0, 0, 0, 2, 2, true},
    };
    for (const Progress& p : progress) {
        SCOPED_TRACE(testing::Message() << p.stage << " " << p.level << " " << p.furthestStage << " "
                                        << p.furthestLevel);
        folder.Write(folder.ProfilePath("p.prf"),
                     WithHeader(Body(u"P", p.stage, p.level, p.furthestStage, p.furthestLevel, 1.0f, 1.0f)));
        auto profile = NewProfile();
        profile->Load("p.prf");
        const bool changed = profile->LimitProgress(levelCounts);
        auto reloaded = NewProfile();
        reloaded->Load("p.prf");
        EXPECT_EQ(changed, p.stageAfter != p.stage || p.levelAfter != p.level ||
                               p.furthestStageAfter != p.furthestStage || p.furthestLevelAfter != p.furthestLevel);
        EXPECT_EQ(reloaded->stage, p.stageAfter);
        EXPECT_EQ(reloaded->level, p.levelAfter);
        EXPECT_EQ(reloaded->furthestStage, p.furthestStageAfter);
        EXPECT_EQ(reloaded->furthestLevel, p.furthestLevelAfter);
        EXPECT_EQ(reloaded->inProgress, p.inProgressAfter);
    }
}

TEST_F(ProfileBaseTest, DeletingRemovesOnlyTheProfilesOwnFiles)
{
    const Bytes file = WithHeader(Body(u"Bob", 0, 0, 0, 0, 1.0f, 1.0f));
    for (const char* name : {"bob_1.prf", "other.prf", ".prf", "bob_1/extra.dat"})
        folder.Write(folder.ProfilePath(name), file);

    auto bob = NewProfile();
    bob->Load("bob_1.prf");
    bob->DeleteFiles();
    EXPECT_EQ(TestSupport::FolderEntries(folder.root / "user/profiles"),
              (std::vector<std::string>{".prf", "other.prf"}));

    // A file with no name before its extension has no folder of its own.
    auto unnamed = NewProfile();
    unnamed->Load(".prf");
    unnamed->DeleteFiles();
    EXPECT_EQ(TestSupport::FolderEntries(folder.root / "user/profiles"), std::vector<std::string>{"other.prf"});
}

TEST_F(ProfileBaseTest, AFailedSaveIsSilentAndKeepsTheProfileInMemory)
{
    auto profile = NewProfile();
    profile->Create(u"Ann");
    // The profiles folder turns into a file: nothing can be written below it.
    std::filesystem::remove_all(folder.root / "user/profiles");
    folder.Write(folder.root / "user/profiles", Bytes{1});
    EXPECT_NO_THROW(profile->SetName(u" Anne "));
    EXPECT_EQ(profile->GetName(), u"Anne");
    EXPECT_EQ(folder.Read(folder.root / "user/profiles"), Bytes{1});
}

} // namespace
} // namespace GameFramework
