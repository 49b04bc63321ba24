#pragma once
// The game's profile list: the framework's list making the game's profiles.
#include <string>

#include "framework/ProfileManagerBase.h"

namespace ActionPuzzle {

class ProfileManager : public GameFramework::ProfileManagerBase {
public:
    using ProfileManagerBase::ProfileManagerBase;
    ~ProfileManager() override;

    std::unique_ptr<GameFramework::ProfileBase> LoadProfile(const std::string& fileName) override;
    std::unique_ptr<GameFramework::ProfileBase> CreateProfile(const std::u16string& name) override;
};

} // namespace ActionPuzzle
