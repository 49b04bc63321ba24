#pragma once
// One "ZVPAK" archive: a directory of lower-cased entry names, read whole at
// opening, and the entries' bytes read on demand.
//
// Layout after the 13-byte header (version 100): u32 N; N names as narrow
// binary strings; N records of u32 offset and u32 size in the order of the
// names; the entries' bytes, offsets counted from the start of the archive.
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace ZorvaneEngine {

class FileBinary;
class MessageManager;

class PackFile {
public:
    static constexpr uint32_t Version = 100;

    // Opens the archive and reads its directory. A damaged or unreadable
    // archive is logged and raises Error with an empty message.
    PackFile(MessageManager* log, const std::string& path);
    virtual ~PackFile();

    PackFile(const PackFile&) = delete;
    PackFile& operator=(const PackFile&) = delete;

    // Both look the name up in lower case; false when it is absent.
    bool GetSize(const std::string& name, uint32_t& size) const;
    // Copies the whole entry into destination, which holds GetSize bytes.
    // Safe to call from several threads.
    bool Read(const std::string& name, uint8_t* destination);

    // Appends the entries below folder whose remaining name contains the mask
    // without its first "*", both compared in lower case.
    void ListFiles(std::vector<std::string>& out, const std::string& mask, const std::string& folder) const;

private:
    struct Entry {
        uint32_t offset = 0;
        uint32_t size = 0;
    };

    void Load(const std::string& path);

    MessageManager* log;
    std::unique_ptr<FileBinary> file;
    std::map<std::string, Entry> directory;
    // The loading thread and the main thread share the archive's position.
    std::mutex mutex;
};

} // namespace ZorvaneEngine
