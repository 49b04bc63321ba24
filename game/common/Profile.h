#pragma once
// The game's player profile: the framework's profile and four once-only
// flags, all set in a new profile and cleared by the game when the matching
// first-time event has happened. They are stored after the volumes.
#include <string>

#include "framework/ProfileBase.h"

namespace ActionPuzzle {

class Profile : public GameFramework::ProfileBase {
public:
    static constexpr uint32_t Kind = 2;

    Profile(ZorvaneEngine::Engine* engine, const std::string& userFolder);
    Profile(ZorvaneEngine::MessageManager* log, ZorvaneEngine::FileManager* fileManager,
            const std::string& userFolder);
    ~Profile() override;

    void Create(const std::u16string& name) override;
    void WriteBody(ZorvaneEngine::FileBinary& file) override;
    void ReadBody(ZorvaneEngine::FileBinary& file) override;

    bool tutorialPending = true;      // cleared once the tutorial was offered before a level
    bool relaxOfferPending = true;    // checked and cleared by the high-score screen
    bool introductionPending = true;  // cleared once the introduction was shown
    bool gameNotCompleted = true;     // cleared when the game is completed
};

} // namespace ActionPuzzle
