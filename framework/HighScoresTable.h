#pragma once
// The best scores of all players, at most ten per game mode, kept in table
// order (score descending, the older entry first on equal scores) in
// "<user folder>\high_scores.hsf" (header "GFHSF" 101). Saved after every
// added score.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace ZorvaneEngine {
class Engine;
class FileManager;
class MessageManager;
} // namespace ZorvaneEngine

namespace GameFramework {

class VersionedFile;

struct HighScoreEntry {
    std::u16string name;
    uint32_t mode = 0;
    uint32_t score = 0;
    // The order in which entries were added over the life of the file.
    uint32_t sequence = 0;
};

class HighScoresTable {
public:
    static constexpr const char* Magic = "GFHSF";
    static constexpr uint32_t Version = 101;

    // Loads the table; a file that cannot be read is replaced by an empty
    // one, after a damaged one has been kept beside it and logged.
    HighScoresTable(ZorvaneEngine::Engine* engine, const std::string& userFolder);
    HighScoresTable(ZorvaneEngine::MessageManager* log, ZorvaneEngine::FileManager* fileManager,
                    const std::string& userFolder);
    virtual ~HighScoresTable();

    HighScoresTable(const HighScoresTable&) = delete;
    HighScoresTable& operator=(const HighScoresTable&) = delete;

    // The new entry, or null when it did not make the top ten of its mode.
    // Entries of other modes are never pushed out. Saves.
    HighScoreEntry* AddScore(const std::u16string& name, uint32_t mode, uint32_t score);
    // Appends as given, without sorting or saving.
    HighScoreEntry* AddEntry(const std::u16string& name, uint32_t mode, uint32_t score, uint32_t sequence);
    // A failure keeps the last good file, unreported.
    void Save();

    // In table order; an entry stays valid until the next AddScore.
    const std::vector<std::unique_ptr<HighScoreEntry>>& GetEntries() const { return entries; }
    uint32_t GetNextSequence() const { return nextSequence; }
    std::string GetPath() const;

private:
    void Load();

    ZorvaneEngine::MessageManager* log;
    std::unique_ptr<VersionedFile> file;
    uint32_t maximumEntries = 10;  // per mode
    std::vector<std::unique_ptr<HighScoreEntry>> entries;
    std::string userFolder;
    uint32_t nextSequence = 0;
};

} // namespace GameFramework
