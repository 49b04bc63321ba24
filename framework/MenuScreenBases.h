#pragma once
// The controller bases of the menu screens: each keeps what its screen needs
// from the framework and the arguments of its Open. The game derives the
// real screens from them; the game base's handlers open and close them.
#include <cstdint>
#include <string>

#include "framework/WindowControllerBase.h"

namespace ZorvaneEngine {
class Engine;
class MessageManager;
class TimerManager;
} // namespace ZorvaneEngine

namespace GameFramework {

class HighScoresTable;
class ProfileManagerBase;
struct HighScoreEntry;

// Where a screen was opened from. The game may add values of its own.
enum class ExitOpenMode : int32_t { FromWelcome = 1, FromMainMenu = 2, FromNewProfile = 3 };
enum class NameConflictOpenMode : int32_t { FromNewProfile = 3, FromRename = 4 };
enum class LevelStartOpenMode : int32_t {
    FromMainMenu = 2,
    AfterRestart = 6,
    FromContinue = 7,
    AfterLevel = 8,
    AfterStage = 9,
};
enum class HighScoresOpenMode : int32_t { FromMainMenu = 2, AfterGameComplete = 10, AfterGameOver = 11 };
// Ignored by the base: which screen the new-profile screen returns to.
enum class NewProfileOpenMode : int32_t { FromQuestion = 0, FromProfileList = 1 };

class GUILogosWindowBase : public WindowControllerBase {
public:
    explicit GUILogosWindowBase(ZorvaneEngine::Engine* engine);
    virtual void Open() {}

protected:
    ZorvaneEngine::Engine* engine;
    ZorvaneEngine::MessageManager* log;
    ZorvaneEngine::TimerManager* timers;
};

class GUIWelcomeWindowBase : public WindowControllerBase {
public:
    explicit GUIWelcomeWindowBase(ProfileManagerBase* profileManager) : profileManager(profileManager) {}
    virtual void Open() {}

protected:
    ProfileManagerBase* profileManager;
};

class GUIExitWindowBase : public WindowControllerBase {
public:
    explicit GUIExitWindowBase(ZorvaneEngine::Engine* engine) : engine(engine) {}
    virtual void Open(ExitOpenMode mode) { openMode = mode; }

protected:
    ZorvaneEngine::Engine* engine;
    ExitOpenMode openMode = ExitOpenMode::FromWelcome;
};

class GUIMainMenuWindowBase : public WindowControllerBase {
public:
    virtual void Open() {}
};

class GUIProfilesWindowBase : public WindowControllerBase {
public:
    explicit GUIProfilesWindowBase(ProfileManagerBase* profileManager) : profileManager(profileManager) {}
    virtual void Open() {}
    // The profile the player picked in the list; the rename and delete
    // screens open with it.
    const std::u16string& GetSelectedName() const { return selectedName; }

protected:
    ProfileManagerBase* profileManager;
    std::u16string selectedName;
};

class GUINewProfileWindowBase : public WindowControllerBase {
public:
    explicit GUINewProfileWindowBase(ProfileManagerBase* profileManager) : profileManager(profileManager) {}
    virtual void Open(NewProfileOpenMode) {}

protected:
    ProfileManagerBase* profileManager;
};

class GUIRenameProfileWindowBase : public WindowControllerBase {
public:
    explicit GUIRenameProfileWindowBase(ProfileManagerBase* profileManager) : profileManager(profileManager) {}
    // With keep the name becomes the one renamed; without it the old name
    // stays (back from the name-conflict screen).
    virtual void Open(bool keep, const std::u16string& name)
    {
        if (keep) oldName = name;
    }
    // Renames the profile of the old name. True when done, or when the new
    // name is the old one in another letter case (nothing to do); false
    // when another profile has the name, whatever its letter case. Names
    // are compared as the profile stores them: without surrounding blanks.
    bool RenameProfile(const std::u16string& newName);

protected:
    ProfileManagerBase* profileManager;
    std::u16string oldName;
};

class GUIDeleteProfileWindowBase : public WindowControllerBase {
public:
    explicit GUIDeleteProfileWindowBase(ProfileManagerBase* profileManager) : profileManager(profileManager) {}
    virtual void Open(const std::u16string& name) { profileName = name; }

protected:
    ProfileManagerBase* profileManager;
    std::u16string profileName;
};

class GUIProfileNameConflictWindowBase : public WindowControllerBase {
public:
    virtual void Open(NameConflictOpenMode mode) { openMode = mode; }

protected:
    NameConflictOpenMode openMode = NameConflictOpenMode::FromNewProfile;
};

// The level start screen (the level map).
class GUIStartGameLogicWindowBase : public WindowControllerBase {
public:
    virtual void Open(LevelStartOpenMode mode) { openMode = mode; }

protected:
    LevelStartOpenMode openMode = LevelStartOpenMode::FromMainMenu;
};

class GUIContinueGameLogicWindowBase : public WindowControllerBase {
public:
    explicit GUIContinueGameLogicWindowBase(ZorvaneEngine::Engine* engine) : engine(engine) {}
    virtual void Open() {}

protected:
    ZorvaneEngine::Engine* engine;
};

class GUIHighScoresWindowBase : public WindowControllerBase {
public:
    explicit GUIHighScoresWindowBase(HighScoresTable* highScores) : highScores(highScores) {}
    // newEntry points into the table (null when there is none to show); it
    // stays valid until the table takes its next score.
    virtual void Open(HighScoresOpenMode mode, HighScoreEntry* entry)
    {
        openMode = mode;
        newEntry = entry;
    }

protected:
    HighScoresTable* highScores;
    HighScoresOpenMode openMode = HighScoresOpenMode::FromMainMenu;
    HighScoreEntry* newEntry = nullptr;
};

class GUIHelpWindowBase : public WindowControllerBase {
public:
    virtual void Open() {}
};

} // namespace GameFramework
