#include "framework/LevelManagerBase.h"

#include "engine/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/FileManager.h"
#include "engine/core/FileTextual.h"
#include "engine/core/MessageManager.h"
#include "engine/core/TextUtils.h"

namespace GameFramework {

using ZorvaneEngine::FileError;
using ZorvaneEngine::FileTextual;
using ZorvaneEngine::IntToText;
using ZorvaneEngine::UIntToText;

namespace {

const char* const kLevelsFolder = "data\\levels\\";
const char* const kStagesFile = "data\\levels\\stages_info.ini";

[[noreturn]] void RaiseUnexpectedEnd(const FileTextual& file)
{
    throw FileError("Unexpected end of \"" + file.GetName() + "\" file");
}

} // namespace

LevelManagerBase::LevelManagerBase(ZorvaneEngine::Engine& engine)
    : LevelManagerBase(*engine.log, *engine.fileManager)
{
    this->engine = &engine;
}

LevelManagerBase::LevelManagerBase(ZorvaneEngine::MessageManager& log, ZorvaneEngine::FileManager& files)
    : log(&log), fileManager(&files)
{
}

LevelManagerBase::~LevelManagerBase() = default;

void LevelManagerBase::GetLevelResourceFiles(uint32_t, uint32_t, std::vector<std::string>&) {}

std::string LevelManagerBase::GetStageFileName(uint32_t stage)
{
    return "stage" + UIntToText(stage) + "\\levels_info.ini";
}

void LevelManagerBase::ReadStageInfo(StageInfo& stage, FileTextual&)
{
    stage.levelCount = 0;
}

void LevelManagerBase::ReadLevelInfo(LevelInfo&, FileTextual&) {}

std::string LevelManagerBase::ReadEntryToken(FileTextual& file)
{
    std::string token;
    if (!file.ReadToken(token))
        RaiseUnexpectedEnd(file);
    return token;
}

int32_t LevelManagerBase::ReadEntryInt(FileTextual& file)
{
    int32_t value = 0;
    if (!file.ReadInt(value))
        RaiseUnexpectedEnd(file);
    return value;
}

int32_t LevelManagerBase::ReadCount(FileTextual& file, const char* what, int32_t maximum)
{
    const int32_t count = ReadEntryInt(file);
    // The game starts at the first level of the first stage and goes on to
    // the first level of the next stage, so an empty catalogue or stage
    // would have it index a record that does not exist.
    if (count < 1 || count > maximum) {
        throw FileError("\"" + file.GetName() + "\" declares " + IntToText(count) + " " + what +
                        (count < 1 ? "; at least 1 is needed" : "; at most " + IntToText(maximum) + " are allowed"));
    }
    return count;
}

void LevelManagerBase::Load()
{
    stages.clear();
    levels.clear();
    try {
        {
            const std::unique_ptr<FileTextual> file = fileManager->OpenTextFile(kStagesFile, false);
            const int32_t stageCount = ReadCount(*file, "stages", MaxStages);
            // Records are added as their entries are read, so the memory
            // follows what the file holds, not what it claims.
            for (int32_t i = 0; i < stageCount; ++i) {
                stages.push_back(CreateStageInfo());
                stages.back()->index = static_cast<uint32_t>(i);
                ReadStageInfo(*stages.back(), *file);
            }
        }

        uint32_t levelTotal = 0;
        levels.resize(stages.size());
        for (uint32_t i = 0; i < stages.size(); ++i) {
            const std::unique_ptr<FileTextual> file =
                fileManager->OpenTextFile(kLevelsFolder + GetStageFileName(i), false);
            const int32_t levelCount = ReadCount(*file, "levels", MaxLevelsPerStage);
            stages[i]->levelCount = static_cast<uint32_t>(levelCount);
            for (int32_t j = 0; j < levelCount; ++j) {
                levels[i].push_back(CreateLevelInfo());
                levels[i].back()->stageIndex = i;
                levels[i].back()->levelIndex = static_cast<uint32_t>(j);
                ReadLevelInfo(*levels[i].back(), *file);
            }
            levelTotal += static_cast<uint32_t>(levelCount);
        }

        log->Message("\nLevel Manager: Found " + UIntToText(static_cast<uint32_t>(stages.size())) +
                     " stages with " + UIntToText(levelTotal) + " levels...");
    } catch (const FileError& error) {
        log->Fatal(error.message);
    }
}

bool LevelManagerBase::IsLastLevel(uint32_t stage, uint32_t level) const
{
    return !levels.empty() && stage == levels.size() - 1 && IsLastLevelOfStage(stage, level);
}

bool LevelManagerBase::IsLastLevelOfStage(uint32_t stage, uint32_t level) const
{
    return stage < levels.size() && !levels[stage].empty() && level == levels[stage].size() - 1;
}

} // namespace GameFramework
