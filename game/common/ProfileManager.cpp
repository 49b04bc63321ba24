#include "game/common/ProfileManager.h"

#include "game/common/Profile.h"

namespace ActionPuzzle {

ProfileManager::~ProfileManager() = default;

std::unique_ptr<GameFramework::ProfileBase> ProfileManager::LoadProfile(const std::string& fileName)
{
    auto profile = std::make_unique<Profile>(log, fileManager, userFolder);
    profile->Load(fileName);
    return profile;
}

std::unique_ptr<GameFramework::ProfileBase> ProfileManager::CreateProfile(const std::u16string& name)
{
    auto profile = std::make_unique<Profile>(log, fileManager, userFolder);
    profile->Create(name);
    return profile;
}

} // namespace ActionPuzzle
