#include "framework/ProfileBase.h"

#include <algorithm>
#include <cmath>

#include "engine/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Paths.h"
#include "engine/core/Random.h"
#include "engine/core/TextUtils.h"
#include "framework/BinaryFields.h"
#include "framework/VersionedFile.h"
#include "platform/system/FileSystem.h"

namespace GameFramework {

using ZorvaneEngine::FileBinary;
using ZorvaneEngine::FileError;

namespace {

// Names whose letters are fewer get "_" and random digits up to this length.
constexpr size_t kPlainNameLength = 15;
constexpr size_t kDecoratedNameLength = 16;
// A name of kPlainNameLength letters or more whose plain file is taken gets
// this many digits instead.
constexpr size_t kLongNameDigits = 4;
constexpr int kFileNameAttempts = 1024;
// File systems take names of up to 255 bytes; the letters of a longer name
// are cut so that the decorated file name, and the temporary a save writes
// beside it (some twenty characters longer), still fit.
constexpr size_t kMaxBaseLength = 200;
constexpr uint32_t kNewGameCarriedValue = 3;
const char* const kExtension = ".prf";

std::u16string CleanName(const std::u16string& name)
{
    std::u16string trimmed = ZorvaneEngine::Trim(name);
    if (trimmed.size() > ProfileBase::MaxNameLength) trimmed.resize(ProfileBase::MaxNameLength);
    return trimmed;
}

// A volume read from a file: one that is not a number falls back to a new
// profile's level, and the rest is held to 0..1.
float SafeVolume(float volume)
{
    if (!std::isfinite(volume)) return 1.0f;
    return std::clamp(volume, 0.0f, 1.0f);
}

} // namespace

ProfileBase::ProfileBase(ZorvaneEngine::Engine* engine, const std::string& userFolder)
    : ProfileBase(engine->log.get(), engine->fileManager.get(), userFolder)
{
}

ProfileBase::ProfileBase(ZorvaneEngine::MessageManager* log, ZorvaneEngine::FileManager* fileManager,
                         const std::string& userFolder)
    : log(log), fileManager(fileManager),
      file(std::make_unique<VersionedFile>(fileManager, Magic, Version)), userFolder(userFolder)
{
}

ProfileBase::~ProfileBase() = default;

void ProfileBase::Reset()
{
    carriedValue = kNewGameCarriedValue;
    totalScore = 0;
}

std::string ProfileBase::GetFilePath(const std::string& fileName) const
{
    return userFolder + "\\profiles\\" + fileName;
}

std::string ProfileBase::MakeFileName(const std::string& base, bool withDigits) const
{
    std::string candidate = base;
    if (withDigits) {
        const size_t length = base.size() < kPlainNameLength ? kDecoratedNameLength
                                                              : base.size() + 1 + kLongNameDigits;
        candidate += '_';
        while (candidate.size() < length) {
            candidate += static_cast<char>('0' + ZorvaneEngine::RandomValue() % 10);
        }
    }
    return candidate + kExtension;
}

void ProfileBase::Create(const std::u16string& newName)
{
    const std::u16string cleaned = CleanName(newName);
    std::string base;
    for (char c : ZorvaneEngine::ToLowerCase(ZorvaneEngine::ToNarrow(cleaned))) {
        if (c >= 'a' && c <= 'z' && base.size() < kMaxBaseLength) base += c;
    }
    // A long name's plain file can be taken by another name with the same
    // letters ("Alexander the Great", "Alexander-the-Great"); it then gets
    // digits as a short name does, so that no profile ever writes over
    // another's file.
    std::string found;
    for (int attempt = 0; attempt < kFileNameAttempts && found.empty(); ++attempt) {
        const std::string candidate = MakeFileName(base, base.size() < kPlainNameLength || attempt > 0);
        if (!fileManager->FileExists(GetFilePath(candidate))) found = candidate;
    }
    if (found.empty()) {
        throw ZorvaneEngine::Error("No free profile file name for \"" + ZorvaneEngine::WideToUtf8(cleaned) +
                                   "\"");
    }

    name = cleaned;
    soundVolume = 1.0f;
    musicVolume = 1.0f;
    bestRecords.clear();
    bestTimeTotal = 0.0f;
    modeFlag = 0;
    stage = 0;
    level = 0;
    furthestStage = 0;
    furthestLevel = 0;
    endReached = false;
    inProgress = false;
    isNew = true;
    Reset();

    fileName = found;
    folderPath = GetFilePath(fileName);
    ZorvaneEngine::SetFileExtension(folderPath, "");
    Save();
}

void ProfileBase::Load(const std::string& loadedFileName)
{
    fileName = loadedFileName;
    folderPath = GetFilePath(fileName);
    ZorvaneEngine::SetFileExtension(folderPath, "");
    isNew = false;
    try {
        file->Open(VersionedFile::ModeRead, GetFilePath(fileName));
        ReadBody(*file->GetFile());
        file->Close();
    } catch (const FileError& error) {
        file->Abandon();
        log->Error(error.message);
        bestRecords.clear();
        bestTimeTotal = 0.0f;
        throw ZorvaneEngine::Error("");
    }
}

void ProfileBase::ReadBody(FileBinary& in)
{
    name = ReadWideText(in);
    modeFlag = ReadU32(in);
    carriedValue = ReadU32(in);
    totalScore = ReadU32(in);
    stage = ReadU32(in);
    level = ReadU32(in);
    furthestStage = ReadU32(in);
    furthestLevel = ReadU32(in);
    endReached = ReadU8(in) != 0;
    // The count is only as good as the file: nothing is reserved for it, and
    // a count past the end fails on the first record that is not there.
    const uint32_t count = ReadU32(in);
    bestRecords.clear();
    bestTimeTotal = 0.0f;
    for (uint32_t i = 0; i < count; ++i) {
        auto record = std::make_unique<ProfileBestRecord>();
        record->modeFlag = ReadU32(in);
        record->stage = ReadU32(in);
        record->level = ReadU32(in);
        record->bestTime = ReadF32(in);
        bestTimeTotal += record->bestTime;
        bestRecords.push_back(std::move(record));
    }
    inProgress = ReadU8(in) != 0;
    ReadVolumes(in);
}

void ProfileBase::WriteBody(FileBinary& out)
{
    out.WriteWideString(name);
    WriteU32(out, modeFlag);
    WriteU32(out, carriedValue);
    WriteU32(out, totalScore);
    WriteU32(out, stage);
    WriteU32(out, level);
    WriteU32(out, furthestStage);
    WriteU32(out, furthestLevel);
    WriteU8(out, endReached ? 1 : 0);
    WriteU32(out, static_cast<uint32_t>(bestRecords.size()));
    for (const std::unique_ptr<ProfileBestRecord>& record : bestRecords) {
        WriteU32(out, record->modeFlag);
        WriteU32(out, record->stage);
        WriteU32(out, record->level);
        WriteF32(out, record->bestTime);
    }
    WriteU8(out, inProgress ? 1 : 0);
    WriteVolumes(out);
}

// The file holds the music volume first.
void ProfileBase::WriteVolumes(FileBinary& out)
{
    WriteF32(out, musicVolume);
    WriteF32(out, soundVolume);
}

void ProfileBase::ReadVolumes(FileBinary& in)
{
    musicVolume = SafeVolume(ReadF32(in));
    soundVolume = SafeVolume(ReadF32(in));
}

void ProfileBase::Save()
{
    // Neither created nor loaded: there is no file of its own to write.
    if (fileName.empty()) return;
    try {
        file->Open(VersionedFile::ModeWrite, GetFilePath(fileName));
        WriteBody(*file->GetFile());
        file->Close();
    } catch (const FileError&) {
        file->Abandon();
    }
}

void ProfileBase::SetName(const std::u16string& newName)
{
    name = CleanName(newName);
    Save();
}

void ProfileBase::DeleteFiles()
{
    if (fileName.empty()) return;
    const std::string path = GetFilePath(fileName);
    if (!Platform::IsFolder(path)) ZorvaneEngine::DeleteFolder(path);
    // A file named only ".prf" has no folder of its own: its folder path
    // would be the profiles folder itself.
    std::string stem = fileName;
    ZorvaneEngine::SetFileExtension(stem, "");
    if (!stem.empty() && Platform::IsFolder(folderPath)) ZorvaneEngine::DeleteFolder(folderPath);
}

void ProfileBase::AddBestRecord(std::unique_ptr<ProfileBestRecord> record)
{
    bestTimeTotal += record->bestTime;
    const auto same = std::find_if(bestRecords.begin(), bestRecords.end(),
                                   [&](const std::unique_ptr<ProfileBestRecord>& kept) {
                                       return kept->modeFlag == record->modeFlag && kept->stage == record->stage &&
                                              kept->level == record->level;
                                   });
    if (same != bestRecords.end()) {
        (*same)->bestTime = std::min((*same)->bestTime, record->bestTime);
    } else {
        bestRecords.push_back(std::move(record));
    }
    Save();
}

bool ProfileBase::LimitProgress(const std::vector<uint32_t>& levelCounts)
{
    if (levelCounts.empty()) return false;
    const auto exists = [&](uint32_t s, uint32_t l) { return s < levelCounts.size() && l < levelCounts[s]; };
    bool changed = false;
    if (!exists(stage, level)) {
        stage = 0;
        level = 0;
        inProgress = false;
        changed = true;
    }
    if (!exists(furthestStage, furthestLevel)) {
        furthestStage = std::min<uint32_t>(furthestStage, static_cast<uint32_t>(levelCounts.size() - 1));
        const uint32_t count = levelCounts[furthestStage];
        furthestLevel = count > 0 ? count - 1 : 0;
        changed = true;
    }
    if (changed) {
        log->Warning("Profile \"" + fileName + "\": a stage or level the game does not have was reset");
        Save();
    }
    return changed;
}

bool ProfileBase::CompareNames(const ProfileBase* a, const ProfileBase* b)
{
    return ZorvaneEngine::ToLowerCase(a->name) < ZorvaneEngine::ToLowerCase(b->name);
}

} // namespace GameFramework
