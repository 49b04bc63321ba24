#include "engine/core/FileManager.h"

#include <unordered_set>

#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Paths.h"
#include "engine/core/TextUtils.h"
#include "platform/system/FileSystem.h"

namespace ZorvaneEngine {

namespace {

std::string NormaliseEntryName(const std::string& name) {
    std::string normalised = ToLowerCase(name);
    ReplaceAll(normalised, "\\\\", "\\");
    return normalised;
}

} // namespace

FileManager::FileManager(const std::string& dataFolder, MessageManager* log, const std::string& baseFolder)
    : log(log), baseFolder(baseFolder) {
    log->Message("Initialization of File Manager...");
    if (this->baseFolder.empty()) {
        this->baseFolder = GetApplicationFolder();
    }
    const std::string archiveFolder = dataFolder.empty() ? this->baseFolder : this->baseFolder + "\\" + dataFolder;
    std::vector<std::string> archives;
    ListFolderFiles(archiveFolder, "*.pak", archives);
    for (const std::string& path : archives) {
        try {
            packs.push_back(std::make_unique<PackFile>(log, path));
        } catch (const Error&) {
            // Already logged by the archive; the others still serve.
        }
    }
}

FileManager::~FileManager() = default;

std::string FileManager::DiskPath(const std::string& name) const {
    return Platform::IsAbsolutePath(name) ? name : baseFolder + "\\" + name;
}

PackFile* FileManager::FindPack(const std::string& normalisedName, uint32_t& size) const {
    for (const std::unique_ptr<PackFile>& pack : packs) {
        if (pack->GetSize(normalisedName, size)) {
            return pack.get();
        }
    }
    return nullptr;
}

std::unique_ptr<FileBinary> FileManager::OpenFile(const std::string& name, bool write, bool loadWhole) {
    const std::string path = DiskPath(name);
    if (write) {
        CreateDirectories(path);
        return std::make_unique<FileBinary>(log, path, true, false);
    }
    if (!FileExistsOnDisk(path)) {
        const std::string entry = NormaliseEntryName(name);
        uint32_t size = 0;
        if (PackFile* pack = FindPack(entry, size)) {
            std::vector<uint8_t> bytes(size);
            pack->Read(entry, bytes.data());
            return std::make_unique<FileBinary>(log, path, std::move(bytes));
        }
    }
    return std::make_unique<FileBinary>(log, path, false, loadWhole);
}

std::unique_ptr<FileTextual> FileManager::OpenTextFile(const std::string& name, bool write) {
    auto text = std::make_unique<FileTextual>(log, write ? FileTextual::ModeWrite : FileTextual::ModeRead,
                                              FileTextual::EncodingAnsi, OpenFile(name, write, false));
    text->Init();
    return text;
}

bool FileManager::ReadFromPacks(uint32_t* size, uint8_t* destination, const std::string& name) {
    const std::string entry = NormaliseEntryName(name);
    uint32_t entrySize = 0;
    PackFile* pack = FindPack(entry, entrySize);
    if (!pack) {
        return false;
    }
    if (size) {
        *size = entrySize;
    }
    if (destination) {
        pack->Read(entry, destination);
    }
    return true;
}

bool FileManager::FileExists(const std::string& name) {
    return FileExistsOnDisk(DiskPath(name)) || ReadFromPacks(nullptr, nullptr, name);
}

void FileManager::ListFiles(const std::string& folder, const std::string& mask, std::vector<std::string>& out) {
    ListFolderFiles(DiskPath(folder), mask, out);
    for (const std::unique_ptr<PackFile>& pack : packs) {
        pack->ListFiles(out, mask, folder);
    }
    std::unordered_set<std::string> seen;
    std::vector<std::string> unique;
    unique.reserve(out.size());
    for (std::string& name : out) {
        if (seen.insert(ToLowerCase(name)).second) {
            unique.push_back(std::move(name));
        }
    }
    out = std::move(unique);
}

} // namespace ZorvaneEngine
