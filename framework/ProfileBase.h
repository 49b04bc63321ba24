#pragma once
// One player's saved state: name, volumes, the game in progress (mode,
// stage, level, score, the value carried from level to level), the furthest
// point reached and the best time of every finished level. Each profile is
// one file "<user folder>\profiles\<file name>" (header "APPRF" 104),
// written whenever something that matters changes. A game derives its own
// profile to store more after these fields.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace ZorvaneEngine {
class Engine;
class FileBinary;
class FileManager;
class MessageManager;
} // namespace ZorvaneEngine

namespace GameFramework {

class VersionedFile;

struct ProfileBestRecord {
    uint32_t modeFlag = 0;
    uint32_t stage = 0;
    uint32_t level = 0;
    float bestTime = 0.0f;  // seconds
};

class ProfileBase {
public:
    static constexpr const char* Magic = "APPRF";
    static constexpr uint32_t Version = 104;
    // The longest name the file's string form holds.
    static constexpr size_t MaxNameLength = 254;

    ProfileBase(ZorvaneEngine::Engine* engine, const std::string& userFolder);
    // The same over the two services a profile uses.
    ProfileBase(ZorvaneEngine::MessageManager* log, ZorvaneEngine::FileManager* fileManager,
                const std::string& userFolder);
    virtual ~ProfileBase();

    ProfileBase(const ProfileBase&) = delete;
    ProfileBase& operator=(const ProfileBase&) = delete;

    // Start of a new game: carried value 3, total score 0.
    virtual void Reset();
    // Reads "<user folder>\profiles\<file name>". A file that cannot be read
    // is logged at the error level and raises an Error with an empty text.
    virtual void Load(const std::string& fileName);
    // A new profile of the (trimmed) name, saved under a file name made from
    // its letters that no file has yet. Raises Error when no such name is
    // found, rather than take another profile's file.
    virtual void Create(const std::u16string& name);
    virtual void WriteBody(ZorvaneEngine::FileBinary& file);
    virtual void ReadBody(ZorvaneEngine::FileBinary& file);
    virtual void WriteVolumes(ZorvaneEngine::FileBinary& file);
    virtual void ReadVolumes(ZorvaneEngine::FileBinary& file);

    // Writes the file. A failure keeps the last good file and is not
    // reported: the profile in memory stays as it is.
    void Save();
    // Trimmed (and cut to MaxNameLength), then saved.
    void SetName(const std::u16string& name);
    // Deletes the profile's file and its folder, and nothing else.
    void DeleteFiles();
    // Keeps the smaller time of one mode, stage and level; the total grows
    // by the new time either way. Saves.
    void AddBestRecord(std::unique_ptr<ProfileBestRecord> record);
    // A stage and level the level catalogue does not hold (a hand-edited
    // file, a smaller catalogue) cannot be played: the game in progress
    // restarts at stage 0 level 0, and the furthest point is cut back to the
    // last level that exists. levelCounts holds the level count of each
    // stage. Saves when something changed; false when nothing did.
    bool LimitProgress(const std::vector<uint32_t>& levelCounts);
    std::string GetFilePath(const std::string& fileName) const;
    // The profile list's order: names compared ignoring case.
    static bool CompareNames(const ProfileBase* a, const ProfileBase* b);

    const std::u16string& GetName() const { return name; }
    const std::string& GetFileName() const { return fileName; }
    const std::string& GetFolderPath() const { return folderPath; }
    const std::vector<std::unique_ptr<ProfileBestRecord>>& GetBestRecords() const { return bestRecords; }
    float GetBestTimeTotal() const { return bestTimeTotal; }
    bool IsNew() const { return isNew; }
    uint32_t GetKind() const { return kind; }

    // Read and written directly by the game; call Save after a change.
    float soundVolume = 1.0f;  // 0 to 1
    float musicVolume = 1.0f;  // 0 to 1
    uint32_t modeFlag = 0;     // the game mode of the game in progress (1 relax)
    uint32_t carriedValue = 0;
    uint32_t totalScore = 0;
    uint32_t stage = 0;
    uint32_t level = 0;
    uint32_t furthestStage = 0;
    uint32_t furthestLevel = 0;
    bool endReached = false;
    bool inProgress = false;

protected:
    ZorvaneEngine::MessageManager* log;
    ZorvaneEngine::FileManager* fileManager;
    std::unique_ptr<VersionedFile> file;
    std::string userFolder;
    std::u16string name;
    std::string fileName;
    std::string folderPath;  // the file's path without its extension
    uint32_t kind = 1;       // not stored; the game's profile sets its own
    std::vector<std::unique_ptr<ProfileBestRecord>> bestRecords;
    float bestTimeTotal = 0.0f;  // not stored: the sum of the times since loading
    bool isNew = false;          // created in this run

private:
    std::string MakeFileName(const std::string& base, bool withDigits) const;
};

} // namespace GameFramework
