#pragma once
// The catalogue of the game's stages and levels, read once at start-up from
// "data\levels\stages_info.ini" and one file per stage below "data\levels\".
// The framework fixes the file names, the reading order and the checks of
// the counts; a game supplies the record classes, the stage file names and
// the fields each record reads.
//
// stages_info.ini: the stage count, then one entry per stage.
// A stage file: its level count, then one entry per level.
// Both are token files (white space between tokens, "//" comments).
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace ZorvaneEngine {
class Engine;
class FileManager;
class FileTextual;
class MessageManager;
} // namespace ZorvaneEngine

namespace GameFramework {

// One stage; a game derives its own record with the fields it reads.
struct StageInfo {
    virtual ~StageInfo() = default;
    uint32_t index = 0;       // from 0
    uint32_t levelCount = 0;
};

// One level; a game derives its own record with the fields it reads.
struct LevelInfo {
    virtual ~LevelInfo() = default;
    uint32_t stageIndex = 0;
    uint32_t levelIndex = 0;  // within the stage, from 0
};

class LevelManagerBase {
public:
    // A catalogue stays far below these; a count beyond them is damage, and
    // trusting it would make that many records even where an entry reads
    // nothing from the file.
    static constexpr int32_t MaxStages = 1000;
    static constexpr int32_t MaxLevelsPerStage = 1000;

    explicit LevelManagerBase(ZorvaneEngine::Engine& engine);
    // Without an engine: only the log and the file manager are used.
    LevelManagerBase(ZorvaneEngine::MessageManager& log, ZorvaneEngine::FileManager& files);
    virtual ~LevelManagerBase();

    LevelManagerBase(const LevelManagerBase&) = delete;
    LevelManagerBase& operator=(const LevelManagerBase&) = delete;

    // Extra files a level needs loaded with it; none by default.
    virtual void GetLevelResourceFiles(uint32_t stage, uint32_t level, std::vector<std::string>& files);
    // Reads the whole catalogue, replacing what was read before. The game
    // cannot run without it: a missing file, a count below 1 or above its
    // maximum, a file that ends before its last entry or an entry a record
    // refuses ends the program through the log's fatal level.
    virtual void Load();
    // The name of stage i's file below "data\levels\".
    virtual std::string GetStageFileName(uint32_t stage);
    virtual std::unique_ptr<StageInfo> CreateStageInfo() = 0;
    virtual std::unique_ptr<LevelInfo> CreateLevelInfo() = 0;
    // Read one entry. They raise FileError for an entry that is cut short
    // or that the game cannot use.
    virtual void ReadStageInfo(StageInfo& stage, ZorvaneEngine::FileTextual& file);
    virtual void ReadLevelInfo(LevelInfo& level, ZorvaneEngine::FileTextual& file);

    // The last level of the last stage, the one that ends the game.
    bool IsLastLevel(uint32_t stage, uint32_t level) const;
    // The level is the last of its stage (false for a stage not in the
    // catalogue).
    bool IsLastLevelOfStage(uint32_t stage, uint32_t level) const;

    // By index; read directly by the game base, the level logic and the
    // screens.
    std::vector<std::unique_ptr<StageInfo>> stages;
    std::vector<std::vector<std::unique_ptr<LevelInfo>>> levels;

protected:
    // The next token or number of an entry; raise FileError when the file
    // ends first, so a short file never passes for empty entries.
    static std::string ReadEntryToken(ZorvaneEngine::FileTextual& file);
    static int32_t ReadEntryInt(ZorvaneEngine::FileTextual& file);

    ZorvaneEngine::Engine* engine = nullptr;  // null when made without one
    ZorvaneEngine::MessageManager* log;
    ZorvaneEngine::FileManager* fileManager;

private:
    // A count of stages or levels, checked against 1 and the maximum.
    static int32_t ReadCount(ZorvaneEngine::FileTextual& file, const char* what, int32_t maximum);
};

} // namespace GameFramework
