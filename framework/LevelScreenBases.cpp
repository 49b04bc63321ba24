#include "framework/LevelScreenBases.h"

#include "framework/LevelManagerBase.h"

namespace GameFramework {

void GUILevelCompleteWindowBase::Open(const LevelInfo& info, float seconds)
{
    stage = info.stageIndex;
    level = info.levelIndex;
    time = seconds;
}

void GUIStageCompleteWindowBase::Open(const LevelInfo& info)
{
    stage = info.stageIndex;
    level = info.levelIndex;
}

} // namespace GameFramework
