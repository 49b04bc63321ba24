#include "game/common/LevelManager.h"

#include "engine/core/Error.h"
#include "engine/core/FileTextual.h"
#include "engine/core/TextUtils.h"

namespace ActionPuzzle {

using ZorvaneEngine::FileTextual;

LevelManager::~LevelManager() = default;

std::string LevelManager::GetStageFileName(uint32_t stage)
{
    return "stage" + ZorvaneEngine::UIntToText(stage) + ".ini";
}

std::unique_ptr<GameFramework::StageInfo> LevelManager::CreateStageInfo()
{
    return std::make_unique<StageInfo>();
}

std::unique_ptr<GameFramework::LevelInfo> LevelManager::CreateLevelInfo()
{
    return std::make_unique<LevelInfo>();
}

void LevelManager::ReadStageInfo(GameFramework::StageInfo& stage, FileTextual& file)
{
    StageInfo& info = static_cast<StageInfo&>(stage);
    info.levelCount = 0;
    const int32_t size = ReadEntryInt(file);
    if (size < 1 || size > static_cast<int32_t>(MaxMiniGameSize)) {
        throw ZorvaneEngine::FileError("\"" + file.GetName() + "\" gives stage " +
                                       ZorvaneEngine::UIntToText(info.index) + " the mini-game size " +
                                       ZorvaneEngine::IntToText(size) + "; 1 to " +
                                       ZorvaneEngine::UIntToText(MaxMiniGameSize) + " is needed");
    }
    info.miniGameSize = static_cast<uint32_t>(size);
}

void LevelManager::ReadLevelInfo(GameFramework::LevelInfo& level, FileTextual& file)
{
    LevelInfo& info = static_cast<LevelInfo&>(level);
    info.puzzleName = ReadEntryToken(file);
    info.aceTimes[0] = ReadEntryInt(file);
    info.aceTimes[1] = ReadEntryInt(file);
}

} // namespace ActionPuzzle
