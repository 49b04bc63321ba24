#include "game/menus/GUIBackgroundWindow.h"

#include "engine/Engine.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindowFlags.h"
#include "game/app/LevelManager.h"
#include "game/app/Profile.h"
#include "game/app/ProfileManager.h"

namespace ActionPuzzle {

GUIBackgroundWindow::GUIBackgroundWindow(const std::string&, GameFramework::SoundPlayer*,
                                         ZorvaneEngine::Engine* engine, LevelManager* levelManager,
                                         ProfileManager* profileManager)
    : guiManager(engine->guiManager.get()), levelManager(levelManager), profileManager(profileManager)
{
    menuRoot = guiManager->CreateWindow(ZorvaneEngine::GUIWindowFlags::Visible, {0, 0}, {0, 0}, nullptr, nullptr);
    UpdateStageIndex();
    const auto* profile = static_cast<const Profile*>(profileManager->currentProfile);
    unicornEarned = profile != nullptr && !profile->gameNotCompleted;
}

GUIBackgroundWindow::~GUIBackgroundWindow()
{
    if (menuRoot && guiManager->windows.Remove(menuRoot))
        delete menuRoot;
}

uint32_t GUIBackgroundWindow::UpdateStageIndex()
{
    stageIndex = 0;
    const GameFramework::ProfileBase* profile = profileManager->currentProfile;
    if (!profile)
        return stageIndex;
    stageIndex = profile->stage;
    const auto& levels = levelManager->levels;
    const bool onLastLevel = !levels.empty() && profile->stage == levels.size() - 1 &&
                             !levels.back().empty() && profile->level == levels.back().size() - 1;
    if (onLastLevel && profile->furthestStage == profile->stage && profile->furthestLevel == profile->level &&
        profile->endReached)
        ++stageIndex;
    return stageIndex;
}

} // namespace ActionPuzzle
