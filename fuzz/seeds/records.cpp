// Profiles, profile lists and high-score tables as the framework and the
// game save them, written in a scratch folder by the classes themselves.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/HighScoresTable.h"
#include "framework/ProfileBase.h"
#include "fuzz/seeds/Seeds.h"
#include "fuzz/support/FuzzSupport.h"
#include "game/common/Profile.h"
#include "game/common/ProfileManager.h"
#include "tools/common/BinaryWriter.h"

namespace {

std::vector<uint8_t> Load(const std::string& path)
{
    std::vector<uint8_t> bytes;
    Tools::LoadFile(path, bytes);
    return bytes;
}

// A fresh user folder for each seed.
std::string UserFolder(const std::string& name)
{
    return FuzzSupport::Folder() + "/seed-" + name;
}

template <typename Profile>
std::vector<uint8_t> SavedProfile(const std::string& seed, const std::u16string& name, int records)
{
    const std::string user = UserFolder(seed);
    Profile profile(&FuzzSupport::Log(), &FuzzSupport::Files(), user);
    profile.Create(name);
    profile.modeFlag = 1;
    profile.totalScore = 123456;
    profile.stage = 2;
    profile.level = 3;
    profile.furthestStage = 4;
    profile.furthestLevel = 1;
    profile.endReached = records > 2;
    profile.inProgress = true;
    profile.musicVolume = 0.16f;
    profile.soundVolume = 0.7f;
    for (int i = 0; i < records; ++i) {
        const auto stage = static_cast<uint32_t>(i / 3);
        const auto level = static_cast<uint32_t>(i % 3);
        profile.AddBestRecord(std::make_unique<GameFramework::ProfileBestRecord>(
            GameFramework::ProfileBestRecord{static_cast<uint32_t>(i % 2), stage, level, 10.0f + i}));
    }
    profile.Save();
    return Load(profile.GetFilePath(profile.GetFileName()));
}

} // namespace

TANGROVE_FUZZ_SEEDS(profile)
{
    seeds.Add("framework.prf", SavedProfile<GameFramework::ProfileBase>("framework", u"Bob", 0));
    seeds.Add("records.prf", SavedProfile<GameFramework::ProfileBase>("records", u"Anna Maria", 5));
    seeds.Add("game.prf", SavedProfile<ActionPuzzle::Profile>("game", u"Zo\u00eb \u0416", 3));
    seeds.Add("long.prf", SavedProfile<ActionPuzzle::Profile>("long", std::u16string(300, u'x'), 1));
}

TANGROVE_FUZZ_SEEDS(profile_list)
{
    const std::string user = UserFolder("list");
    ActionPuzzle::ProfileManager manager(&FuzzSupport::Log(), &FuzzSupport::Files(), nullptr, user);
    manager.LoadProfiles();
    seeds.Add("empty.pmf", Load(user + "/profiles.pmf"));
    manager.AddProfile(u"Ann");
    manager.currentProfile = manager.AddProfile(u"Bob");
    manager.SaveProfileList();
    seeds.Add("current.pmf", Load(user + "/profiles.pmf"));

    // The program never makes list records but keeps those a file holds.
    Tools::BinaryWriter w;
    Tools::BeginEngineFile(w, "FLPMF", 100);
    w.WideString(u"ann");
    w.U32(2);
    w.I32(-1);
    w.I32(7);
    w.WideString(u"record");
    w.I32(42);
    w.I32(0);
    w.I32(0);
    w.WideString(u"");
    w.I32(0);
    Tools::EndEngineFile(w);
    seeds.Add("records.pmf", w.Data());
}

TANGROVE_FUZZ_SEEDS(high_scores)
{
    const std::string user = UserFolder("scores");
    GameFramework::HighScoresTable table(&FuzzSupport::Log(), &FuzzSupport::Files(), user);
    seeds.Add("empty.hsf", Load(table.GetPath()));
    table.AddScore(u"Ann", 0, 500);
    table.AddScore(u"Bob", 1, 700);
    seeds.Add("two.hsf", Load(table.GetPath()));
    for (uint32_t i = 0; i < 12; ++i) {
        table.AddScore(u"Cid", 0, 100 * (i % 4));
        table.AddScore(u"D\u00e9a", 1, 50 * i);
    }
    seeds.Add("full.hsf", Load(table.GetPath()));
}
