#pragma once
// Writes "ZVPAK" version 100 archives: entry names lower-cased as the engine
// looks them up (backslashes kept), the directory in name order, then the
// entries' bytes.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace Tools {

class PackWriter {
public:
    // Adds or replaces an entry. Throws std::length_error for a name longer
    // than 255 bytes.
    void Add(const std::string& name, std::vector<uint8_t> bytes);
    void Add(const std::string& name, const std::string& bytes);
    size_t Count() const { return entries.size(); }

    // The whole archive. Throws std::length_error past 4 GiB.
    std::vector<uint8_t> Build() const;
    bool Save(const std::string& path) const;

private:
    std::map<std::string, std::vector<uint8_t>> entries;
};

// Adds every file below root, named by its path relative to root with "\"
// separators ("data\ui\fonts\ge.ini" for root/data/ui/fonts/ge.ini).
// False when a file cannot be read; error then names it.
bool AddFolderTree(PackWriter& writer, const std::string& root, std::string& error);

} // namespace Tools
