#pragma once
// Turns a data file name into bytes: a loose file below the installation
// folder first, then the pack archives found at start-up in its data folder,
// the first archive in (sorted) listing order winning. Safe to use from the
// loading thread and the main thread at once: nothing changes after
// construction and every archive serialises its own reads.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/FileBinary.h"
#include "engine/core/FileTextual.h"
#include "engine/core/PackFile.h"

namespace ZorvaneEngine {

class MessageManager;

class FileManager {
public:
    // baseFolder empty: the application folder. The archives are the "*.pak"
    // files below baseFolder + "\" + dataFolder (the base when it is empty);
    // a damaged one is logged and skipped.
    FileManager(const std::string& dataFolder, MessageManager* log, const std::string& baseFolder);
    virtual ~FileManager();

    FileManager(const FileManager&) = delete;
    FileManager& operator=(const FileManager&) = delete;

    // A name that is not absolute is taken below the base folder; the file's
    // name is that full path, even for an archive entry. Raises FileError
    // when the file is neither on disk nor in an archive.
    std::unique_ptr<FileBinary> OpenFile(const std::string& name, bool write, bool loadWhole = false);
    // Text over OpenFile(name, write, false), ANSI unless a read file says
    // otherwise, Init already run.
    std::unique_ptr<FileTextual> OpenTextFile(const std::string& name, bool write);

    // Looks the name up in the archives (lower case, "\\" read as "\"; "/" is
    // not a separator there). Either out-parameter may be null.
    bool ReadFromPacks(uint32_t* size, uint8_t* destination, const std::string& name);
    bool FileExists(const std::string& name);
    // The loose files matching the mask below folder (full paths), then the
    // archive entries below it; names equal ignoring case appear once.
    void ListFiles(const std::string& folder, const std::string& mask, std::vector<std::string>& out);

    const std::string& GetBaseFolder() const { return baseFolder; }
    // Where a loose file of that name lies: the name when it is absolute,
    // else below the base folder.
    std::string DiskPath(const std::string& name) const;

private:
    PackFile* FindPack(const std::string& normalisedName, uint32_t& size) const;

    MessageManager* log;
    std::string baseFolder;
    std::vector<std::unique_ptr<PackFile>> packs;
};

} // namespace ZorvaneEngine
