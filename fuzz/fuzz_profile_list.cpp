// The profile list file, read at start-up beside two good profiles. Whatever
// the bytes, start-up ends with one of the two as the current profile and a
// list file that reads back to the same list.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "fuzz/support/FuzzSupport.h"
#include "game/common/Profile.h"
#include "game/common/ProfileManager.h"

namespace {

const std::string& UserFolder()
{
    static const std::string folder = [] {
        const std::string user = FuzzSupport::Folder() + "/user";
        for (const char16_t* name : {u"Ann", u"Bob"}) {
            ActionPuzzle::Profile profile(&FuzzSupport::Log(), &FuzzSupport::Files(), user);
            profile.Create(name);
        }
        return user;
    }();
    return folder;
}

bool SameRecords(const GameFramework::ProfileManagerBase& a, const GameFramework::ProfileManagerBase& b)
{
    const auto& x = a.GetListRecords();
    const auto& y = b.GetListRecords();
    if (x.size() != y.size()) return false;
    for (size_t i = 0; i < x.size(); ++i) {
        if (x[i]->number0 != y[i]->number0 || x[i]->number1 != y[i]->number1 || x[i]->text != y[i]->text ||
            x[i]->number2 != y[i]->number2) {
            return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string& user = UserFolder();
    FuzzSupport::WriteFile("user/profiles.pmf", FuzzSupport::WithOwnSize(data, size));

    ActionPuzzle::ProfileManager manager(&FuzzSupport::Log(), &FuzzSupport::Files(), nullptr, user);
    manager.LoadProfiles();
    if (manager.GetProfiles().size() != 2 || !manager.currentProfile) std::abort();

    ActionPuzzle::ProfileManager again(&FuzzSupport::Log(), &FuzzSupport::Files(), nullptr, user);
    again.LoadProfiles();
    if (again.currentProfile != again.FindProfile(manager.currentProfile->GetName())) std::abort();
    if (!SameRecords(manager, again)) std::abort();
    // A damaged list is kept beside it; the next input starts without it.
    std::error_code error;
    std::filesystem::remove(user + "/profiles.pmf.bad", error);
    FuzzSupport::EndInput();
    return 0;
}
