#include "game/common/Profile.h"

#include <gtest/gtest.h>

#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Random.h"
#include "game/common/ProfileManager.h"
#include "platform/system/TemporaryFolder.h"
#include "tools/common/BinaryWriter.h"

namespace ActionPuzzle {
namespace {

TEST(Profile, TheFourFlagsFollowTheVolumesAndRoundTrip)
{
    TestSupport::TemporaryFolder root;
    ZorvaneEngine::MessageManager log("", "test", "Test", false, false);
    ZorvaneEngine::FileManager files("data", &log, root.Path());
    const std::string userFolder = root / "user";

    ProfileManager manager(&log, &files, nullptr, userFolder);
    manager.LoadProfiles();
    ZorvaneEngine::RandomSeed = 1;
    auto* bob = static_cast<Profile*>(manager.AddProfile(u"Bob"));
    ASSERT_NE(bob, nullptr);
    EXPECT_EQ(bob->GetKind(), Profile::Kind);
    EXPECT_TRUE(bob->tutorialPending && bob->relaxOfferPending && bob->introductionPending && bob->gameNotCompleted);
    bob->musicVolume = 0.16f;
    bob->soundVolume = 0.7f;
    bob->relaxOfferPending = false;
    bob->Save();

    Tools::BinaryWriter w;
    Tools::BeginEngineFile(w, "APPRF", 104);
    w.WideString(u"Bob");
    for (uint32_t value : {0u, 3u, 0u, 0u, 0u, 0u, 0u}) w.U32(value);
    w.U8(0);
    w.U32(0);
    w.U8(0);
    w.F32(0.16f);
    w.F32(0.7f);
    for (uint8_t flag : {1, 0, 1, 1}) w.U8(flag);
    Tools::EndEngineFile(w);
    ASSERT_EQ(w.Size(), 68u);
    std::vector<uint8_t> saved;
    ASSERT_TRUE(Tools::LoadFile(userFolder + "/profiles/bob_883517092697.prf", saved));
    EXPECT_EQ(saved, w.Data());

    ProfileManager restarted(&log, &files, nullptr, userFolder);
    restarted.LoadProfiles();
    ASSERT_EQ(restarted.GetProfiles().size(), 1u);
    const auto* loaded = static_cast<const Profile*>(restarted.GetProfiles()[0].get());
    EXPECT_EQ(loaded->GetKind(), Profile::Kind);
    EXPECT_TRUE(loaded->tutorialPending);
    EXPECT_FALSE(loaded->relaxOfferPending);
    EXPECT_TRUE(loaded->introductionPending && loaded->gameNotCompleted);
}

} // namespace
} // namespace ActionPuzzle
