#include "engine/core/PackFile.h"

#include "engine/core/EngineFileHeader.h"
#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/MessageManager.h"
#include "engine/core/TextUtils.h"

namespace ZorvaneEngine {

namespace {

constexpr char Magic[5] = {'Z', 'V', 'P', 'A', 'K'};
// Header and entry count.
constexpr uint32_t DirectoryStart = EngineFileHeader::Size + 4;
// The least an entry takes in the directory: an empty name's count byte and
// its offset and size.
constexpr uint32_t SmallestEntry = 1 + 8;

uint32_t ReadU32(const uint8_t* bytes) {
    return static_cast<uint32_t>(bytes[0] | bytes[1] << 8 | bytes[2] << 16) | static_cast<uint32_t>(bytes[3]) << 24;
}

[[noreturn]] void RaiseFormatError() {
    throw FileError("Incorrect pack file format");
}

} // namespace

PackFile::PackFile(MessageManager* log, const std::string& path) : log(log) {
    log->Message("...Pack file " + path + " found...");
    try {
        Load(path);
    } catch (const Error& error) {
        log->spacing = false;
        log->Message("......");
        log->Error(error.message);
        log->spacing = true;
        file.reset();
        directory.clear();
        throw Error("");
    }
}

PackFile::~PackFile() = default;

void PackFile::Load(const std::string& path) {
    file = std::make_unique<FileBinary>(log, path, false, false);
    const EngineFileHeader header = EngineFileHeader::Read(*file);
    const uint32_t archiveSize = file->GetSize();
    if (!header.HasMagic(Magic) || header.fileSize != archiveSize) {
        RaiseFormatError();
    }
    if (header.version != Version) {
        throw FileError("Incorrect pack file version, current is " + UIntToText(Version));
    }

    uint8_t countBytes[4];
    file->Read(countBytes, 4);
    const uint32_t count = ReadU32(countBytes);
    // Every entry takes at least 9 bytes of directory, so a larger count
    // cannot be true; checked before anything is sized from it.
    if (count > (archiveSize - DirectoryStart) / SmallestEntry) {
        RaiseFormatError();
    }
    log->Message("......It contains " + UIntToText(count) + " files...");

    std::vector<std::string> names(count);
    for (std::string& name : names) {
        file->ReadString(name);
        ToLowerCaseInPlace(name);
    }
    std::vector<uint8_t> records(static_cast<size_t>(count) * 8);
    file->Read(records.data(), static_cast<uint32_t>(records.size()));

    for (uint32_t i = 0; i < count; ++i) {
        Entry entry;
        entry.offset = ReadU32(&records[8 * i]);
        entry.size = ReadU32(&records[8 * i + 4]);
        // 64-bit, so offset + size cannot wrap past the check.
        if (static_cast<uint64_t>(entry.offset) + entry.size > archiveSize) {
            RaiseFormatError();
        }
        directory.emplace(std::move(names[i]), entry);
    }
}

bool PackFile::GetSize(const std::string& name, uint32_t& size) const {
    const auto found = directory.find(ToLowerCase(name));
    if (found == directory.end()) {
        return false;
    }
    size = found->second.size;
    return true;
}

bool PackFile::Read(const std::string& name, uint8_t* destination) {
    const auto found = directory.find(ToLowerCase(name));
    if (found == directory.end()) {
        return false;
    }
    const Entry& entry = found->second;
    std::lock_guard<std::mutex> lock(mutex);
    file->Seek(entry.offset, FileBinary::SeekStart);
    file->Read(destination, entry.size);
    return true;
}

void PackFile::ListFiles(std::vector<std::string>& out, const std::string& mask, const std::string& folder) const {
    std::string prefix = ToLowerCase(folder);
    if (prefix.empty() || prefix.back() != '\\') {
        prefix += "\\";
    }
    std::string pattern = ToLowerCase(mask);
    const size_t star = pattern.find('*');
    if (star != std::string::npos) {
        pattern.erase(star, 1);
    }
    for (const auto& [name, entry] : directory) {
        if (name.compare(0, prefix.size(), prefix) == 0 &&
            name.find(pattern, prefix.size()) != std::string::npos) {
            out.push_back(name);
        }
    }
}

} // namespace ZorvaneEngine
