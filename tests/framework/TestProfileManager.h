#pragma once
// The framework's profile list making plain framework profiles, as a game
// without profile fields of its own would.
#include <memory>
#include <string>

#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"

namespace TestSupport {

class TestProfileManager : public GameFramework::ProfileManagerBase {
public:
    using ProfileManagerBase::ProfileManagerBase;

    std::unique_ptr<GameFramework::ProfileBase> LoadProfile(const std::string& fileName) override {
        auto profile = std::make_unique<GameFramework::ProfileBase>(log, fileManager, userFolder);
        profile->Load(fileName);
        return profile;
    }
    std::unique_ptr<GameFramework::ProfileBase> CreateProfile(const std::u16string& name) override {
        auto profile = std::make_unique<GameFramework::ProfileBase>(log, fileManager, userFolder);
        profile->Create(name);
        return profile;
    }

    std::vector<std::u16string> Names() const {
        std::vector<std::u16string> names;
        for (const auto& profile : GetProfiles()) names.push_back(profile->GetName());
        return names;
    }
};

} // namespace TestSupport
