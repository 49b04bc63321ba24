#pragma once
// Every player profile, sorted by name, and the current one. All profiles
// are loaded from "<user folder>\profiles" at start-up; the current
// profile's name is kept across runs in "<user folder>\profiles.pmf"
// (header "FLPMF" 100). A game derives it to make profiles of its own class.
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

class ProfileBase;
class SoundPlayer;
class VersionedFile;

// A record of the list file. The program never makes one: records read from
// a file are kept and written back unchanged.
struct ProfileListRecord {
    int32_t number0 = 0;
    int32_t number1 = 0;
    std::u16string text;
    int32_t number2 = 0;
};

class ProfileManagerBase {
public:
    static constexpr const char* ListMagic = "FLPMF";
    static constexpr uint32_t ListVersion = 100;

    // The sound player gives a new profile its volumes; without one a new
    // profile keeps its own.
    ProfileManagerBase(ZorvaneEngine::Engine* engine, SoundPlayer* soundPlayer, const std::string& userFolder);
    ProfileManagerBase(ZorvaneEngine::MessageManager* log, ZorvaneEngine::FileManager* fileManager,
                       SoundPlayer* soundPlayer, const std::string& userFolder);
    virtual ~ProfileManagerBase();

    ProfileManagerBase(const ProfileManagerBase&) = delete;
    ProfileManagerBase& operator=(const ProfileManagerBase&) = delete;

    // The current profile's volumes to the sound player.
    virtual void ApplyCurrentVolumes();
    // Start-up: every readable "*.prf" file directly in the profiles folder
    // (an unreadable one is skipped), sorted, then the current profile from
    // the list file. A list file that cannot be read is written afresh; with
    // no current profile the first one becomes current.
    virtual void LoadProfiles();
    // A loaded profile of the game's class; Error when its file is unreadable.
    virtual std::unique_ptr<ProfileBase> LoadProfile(const std::string& fileName) = 0;
    // A created (and saved) profile of the game's class; Error when refused.
    virtual std::unique_ptr<ProfileBase> CreateProfile(const std::u16string& name) = 0;
    virtual void WriteListBody(ZorvaneEngine::FileBinary& file);
    virtual void ReadListBody(ZorvaneEngine::FileBinary& file);
    // The sound player's volumes become the new profile's; saves it.
    virtual void InitNewProfile(ProfileBase* profile);

    // The profile of that name (trimmed; letter case ignored), made when
    // there is none. The current profile does not change. Null when the
    // profile could not be made (logged).
    ProfileBase* AddProfile(const std::u16string& name);
    // Deletes the profile and its files; when it was current, the first
    // remaining profile becomes current.
    void DeleteProfile(const std::u16string& name);
    // Nothing when the new name (trimmed) is taken by any profile, itself
    // included in another letter case, or when no profile has the old name.
    // The file name stays.
    void RenameProfile(const std::u16string& newName, const std::u16string& oldName);
    // The first profile whose name equals this one ignoring case, or null.
    ProfileBase* FindProfile(const std::u16string& name) const;
    // Writes the list file; a failure keeps the last good one, unreported.
    void SaveProfileList();
    void DeleteListRecords();
    // Every profile's progress held to the level catalogue (levelCounts:
    // the level count of each stage); see ProfileBase::LimitProgress.
    void LimitProgress(const std::vector<uint32_t>& levelCounts);

    const std::vector<std::unique_ptr<ProfileBase>>& GetProfiles() const { return profiles; }
    const std::vector<std::unique_ptr<ProfileListRecord>>& GetListRecords() const { return listRecords; }
    std::string GetListPath() const;

    // One of the profiles or null; the profile screens set it directly.
    ProfileBase* currentProfile = nullptr;

protected:
    void SortProfiles();

    ZorvaneEngine::MessageManager* log;
    ZorvaneEngine::FileManager* fileManager;
    SoundPlayer* soundPlayer;
    std::unique_ptr<VersionedFile> listFile;
    std::vector<std::unique_ptr<ProfileBase>> profiles;
    std::vector<std::unique_ptr<ProfileListRecord>> listRecords;
    std::string userFolder;
};

} // namespace GameFramework
