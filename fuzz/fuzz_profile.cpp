// A player profile file, read by the framework's profile and by the game's
// (which stores four more bytes). Whatever the bytes, a load either succeeds
// or fails with the profile's own error; a profile that loads saves and
// loads again to the same values.
#include <bit>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "engine/core/Error.h"
#include "framework/ProfileBase.h"
#include "fuzz/support/FuzzSupport.h"
#include "game/common/Profile.h"

namespace {

using GameFramework::ProfileBase;

bool SameFloat(float a, float b)
{
    return std::bit_cast<uint32_t>(a) == std::bit_cast<uint32_t>(b);
}

bool Same(const ProfileBase& a, const ProfileBase& b)
{
    if (a.GetName() != b.GetName() || a.modeFlag != b.modeFlag || a.carriedValue != b.carriedValue ||
        a.totalScore != b.totalScore || a.stage != b.stage || a.level != b.level ||
        a.furthestStage != b.furthestStage || a.furthestLevel != b.furthestLevel || a.endReached != b.endReached ||
        a.inProgress != b.inProgress || !SameFloat(a.musicVolume, b.musicVolume) ||
        !SameFloat(a.soundVolume, b.soundVolume) || !SameFloat(a.GetBestTimeTotal(), b.GetBestTimeTotal()) ||
        a.GetBestRecords().size() != b.GetBestRecords().size()) {
        return false;
    }
    for (size_t i = 0; i < a.GetBestRecords().size(); ++i) {
        const GameFramework::ProfileBestRecord& x = *a.GetBestRecords()[i];
        const GameFramework::ProfileBestRecord& y = *b.GetBestRecords()[i];
        if (x.modeFlag != y.modeFlag || x.stage != y.stage || x.level != y.level ||
            !SameFloat(x.bestTime, y.bestTime)) {
            return false;
        }
    }
    return true;
}

bool Same(const ActionPuzzle::Profile& a, const ActionPuzzle::Profile& b)
{
    return Same(static_cast<const ProfileBase&>(a), static_cast<const ProfileBase&>(b)) &&
           a.tutorialPending == b.tutorialPending && a.relaxOfferPending == b.relaxOfferPending &&
           a.introductionPending == b.introductionPending && a.gameNotCompleted == b.gameNotCompleted;
}

template <typename Profile>
void LoadAndRoundTrip(const std::vector<uint8_t>& file)
{
    FuzzSupport::WriteFile("user/profiles/fuzz.prf", file);
    const std::string userFolder = FuzzSupport::Folder() + "/user";
    Profile profile(&FuzzSupport::Log(), &FuzzSupport::Files(), userFolder);
    try {
        profile.Load("fuzz.prf");
    } catch (const ZorvaneEngine::Error& error) {
        // The profile logs the reason and raises an empty error.
        if (!error.message.empty()) std::abort();
        return;
    }
    profile.Save();
    Profile again(&FuzzSupport::Log(), &FuzzSupport::Files(), userFolder);
    again.Load("fuzz.prf");
    if (!Same(profile, again)) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::vector<uint8_t> file = FuzzSupport::WithOwnSize(data, size);
    LoadAndRoundTrip<ProfileBase>(file);
    LoadAndRoundTrip<ActionPuzzle::Profile>(file);
    FuzzSupport::EndInput();
    return 0;
}
