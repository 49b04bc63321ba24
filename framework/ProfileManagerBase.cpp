#include "framework/ProfileManagerBase.h"

#include <algorithm>

#include "engine/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/MessageManager.h"
#include "engine/core/TextUtils.h"
#include "framework/BinaryFields.h"
#include "framework/ProfileBase.h"
#include "framework/SoundPlayer.h"
#include "framework/VersionedFile.h"
#include "platform/system/FileSystem.h"

namespace GameFramework {

using ZorvaneEngine::FileBinary;
using ZorvaneEngine::FileError;

ProfileManagerBase::ProfileManagerBase(ZorvaneEngine::Engine* engine, SoundPlayer* soundPlayer,
                                       const std::string& userFolder)
    : ProfileManagerBase(engine->log.get(), engine->fileManager.get(), soundPlayer, userFolder)
{
}

ProfileManagerBase::ProfileManagerBase(ZorvaneEngine::MessageManager* log, ZorvaneEngine::FileManager* fileManager,
                                       SoundPlayer* soundPlayer, const std::string& userFolder)
    : log(log), fileManager(fileManager), soundPlayer(soundPlayer),
      listFile(std::make_unique<VersionedFile>(fileManager, ListMagic, ListVersion)), userFolder(userFolder)
{
}

ProfileManagerBase::~ProfileManagerBase()
{
    currentProfile = nullptr;
    profiles.clear();
    listRecords.clear();
}

std::string ProfileManagerBase::GetListPath() const
{
    return userFolder + "\\profiles.pmf";
}

void ProfileManagerBase::ApplyCurrentVolumes()
{
    if (!currentProfile || !soundPlayer) return;
    soundPlayer->SetMusicVolume(currentProfile->musicVolume);
    soundPlayer->SetSoundVolume(currentProfile->soundVolume);
}

void ProfileManagerBase::LoadProfiles()
{
    // Only files directly in the folder: a sub-folder whose name ends in
    // ".prf" must not bring in a second copy of a profile's file.
    const std::string folder = userFolder + "\\profiles";
    for (const Platform::FoundFile& found : Platform::FindFiles(folder, "*.prf")) {
        if (found.folder) {
            log->Error("\"" + folder + "\\" + found.name + "\" is a folder, not a profile");
            continue;
        }
        try {
            profiles.push_back(LoadProfile(found.name));
        } catch (const ZorvaneEngine::FatalError&) {
            throw;
        } catch (const ZorvaneEngine::Error&) {
            // Logged by the profile; the file is skipped.
        }
    }
    SortProfiles();

    try {
        listFile->Open(VersionedFile::ModeRead, GetListPath());
        ReadListBody(*listFile->GetFile());
        listFile->Close();
    } catch (const FileError& error) {
        listFile->Abandon();
        listFile->KeepDamaged(log, error.message);
        currentProfile = nullptr;
        DeleteListRecords();
        SaveProfileList();
    }

    if (!currentProfile && !profiles.empty()) {
        currentProfile = profiles.front().get();
        SaveProfileList();
    }
}

void ProfileManagerBase::ReadListBody(FileBinary& in)
{
    const std::u16string name = ReadWideText(in);
    if (!name.empty()) currentProfile = FindProfile(name);
    // Nothing is reserved for the count: a count past the end fails on the
    // first record that is not there.
    const uint32_t count = ReadU32(in);
    for (uint32_t i = 0; i < count; ++i) {
        auto record = std::make_unique<ProfileListRecord>();
        record->number0 = ReadI32(in);
        record->number1 = ReadI32(in);
        record->text = ReadWideText(in);
        record->number2 = ReadI32(in);
        listRecords.push_back(std::move(record));
    }
}

void ProfileManagerBase::WriteListBody(FileBinary& out)
{
    out.WriteWideString(currentProfile ? currentProfile->GetName() : std::u16string());
    WriteU32(out, static_cast<uint32_t>(listRecords.size()));
    for (const std::unique_ptr<ProfileListRecord>& record : listRecords) {
        WriteI32(out, record->number0);
        WriteI32(out, record->number1);
        out.WriteWideString(record->text);
        WriteI32(out, record->number2);
    }
}

void ProfileManagerBase::InitNewProfile(ProfileBase* profile)
{
    if (soundPlayer) {
        profile->musicVolume = soundPlayer->GetMusicVolume();
        profile->soundVolume = soundPlayer->GetSoundVolume();
    }
    profile->Save();
}

ProfileBase* ProfileManagerBase::AddProfile(const std::u16string& name)
{
    const std::u16string trimmed = ZorvaneEngine::Trim(name);
    if (ProfileBase* existing = FindProfile(trimmed)) return existing;
    std::unique_ptr<ProfileBase> profile;
    try {
        profile = CreateProfile(trimmed);
    } catch (const ZorvaneEngine::FatalError&) {
        throw;
    } catch (const ZorvaneEngine::Error& error) {
        log->Error(error.message);
        return nullptr;
    }
    InitNewProfile(profile.get());
    ProfileBase* added = profile.get();
    profiles.push_back(std::move(profile));
    SortProfiles();
    SaveProfileList();
    return added;
}

void ProfileManagerBase::DeleteProfile(const std::u16string& name)
{
    ProfileBase* profile = FindProfile(name);
    if (!profile) return;
    profile->DeleteFiles();
    const auto position = std::find_if(profiles.begin(), profiles.end(),
                                       [&](const std::unique_ptr<ProfileBase>& p) { return p.get() == profile; });
    std::unique_ptr<ProfileBase> removed = std::move(*position);
    profiles.erase(position);
    if (currentProfile == profile) currentProfile = profiles.empty() ? nullptr : profiles.front().get();
    removed.reset();
    SaveProfileList();
}

void ProfileManagerBase::RenameProfile(const std::u16string& newName, const std::u16string& oldName)
{
    const std::u16string trimmed = ZorvaneEngine::Trim(newName);
    if (FindProfile(trimmed)) return;
    ProfileBase* profile = FindProfile(oldName);
    if (!profile) return;
    profile->SetName(trimmed);
    SortProfiles();
    SaveProfileList();
}

ProfileBase* ProfileManagerBase::FindProfile(const std::u16string& name) const
{
    const std::u16string wanted = ZorvaneEngine::ToLowerCase(name);
    for (const std::unique_ptr<ProfileBase>& profile : profiles) {
        if (ZorvaneEngine::ToLowerCase(profile->GetName()) == wanted) return profile.get();
    }
    return nullptr;
}

void ProfileManagerBase::SaveProfileList()
{
    try {
        listFile->Open(VersionedFile::ModeWrite, GetListPath());
        WriteListBody(*listFile->GetFile());
        listFile->Close();
    } catch (const FileError&) {
        listFile->Abandon();
    }
}

void ProfileManagerBase::DeleteListRecords()
{
    listRecords.clear();
}

void ProfileManagerBase::LimitProgress(const std::vector<uint32_t>& levelCounts)
{
    for (const std::unique_ptr<ProfileBase>& profile : profiles) {
        profile->LimitProgress(levelCounts);
    }
}

void ProfileManagerBase::SortProfiles()
{
    std::stable_sort(profiles.begin(), profiles.end(),
                     [](const std::unique_ptr<ProfileBase>& a, const std::unique_ptr<ProfileBase>& b) {
                         return ProfileBase::CompareNames(a.get(), b.get());
                     });
}

} // namespace GameFramework
