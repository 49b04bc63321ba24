#include "tools/common/PackWriter.h"

#include <limits>
#include <stdexcept>

#include "engine/core/TextUtils.h"
#include "platform/system/FileSystem.h"
#include "tools/common/BinaryWriter.h"

namespace Tools {

namespace {

constexpr char Magic[5] = {'Z', 'V', 'P', 'A', 'K'};
constexpr uint32_t Version = 100;

bool AddFolder(PackWriter& writer, const std::string& folder, const std::string& prefix, std::string& error) {
    for (const Platform::FoundFile& found : Platform::FindFiles(folder, "*")) {
        const std::string path = folder + "/" + found.name;
        const std::string name = prefix + found.name;
        if (found.folder) {
            if (!AddFolder(writer, path, name + "\\", error)) {
                return false;
            }
            continue;
        }
        std::vector<uint8_t> bytes;
        if (!LoadFile(path, bytes)) {
            error = "cannot read " + path;
            return false;
        }
        writer.Add(name, std::move(bytes));
    }
    return true;
}

} // namespace

void PackWriter::Add(const std::string& name, std::vector<uint8_t> bytes) {
    if (name.size() > 255) {
        throw std::length_error("entry name longer than 255 bytes: " + name);
    }
    entries[ZorvaneEngine::ToLowerCase(name)] = std::move(bytes);
}

void PackWriter::Add(const std::string& name, const std::string& bytes) {
    Add(name, std::vector<uint8_t>(bytes.begin(), bytes.end()));
}

std::vector<uint8_t> PackWriter::Build() const {
    BinaryWriter writer;
    BeginEngineFile(writer, Magic, Version);
    writer.U32(static_cast<uint32_t>(entries.size()));
    uint64_t offset = writer.Size();
    for (const auto& [name, bytes] : entries) {
        writer.NarrowString(name);
        offset += 1 + name.size();
    }
    offset += 8 * entries.size();
    for (const auto& [name, bytes] : entries) {
        if (offset + bytes.size() > std::numeric_limits<uint32_t>::max()) {
            throw std::length_error("archive larger than 4 GiB");
        }
        writer.U32(static_cast<uint32_t>(offset));
        writer.U32(static_cast<uint32_t>(bytes.size()));
        offset += bytes.size();
    }
    for (const auto& [name, bytes] : entries) {
        writer.Bytes(bytes.data(), bytes.size());
    }
    EndEngineFile(writer);
    return std::move(writer.Data());
}

bool PackWriter::Save(const std::string& path) const {
    return SaveFile(path, Build());
}

bool AddFolderTree(PackWriter& writer, const std::string& root, std::string& error) {
    if (!Platform::IsFolder(root)) {
        error = root + " is not a folder";
        return false;
    }
    return AddFolder(writer, root, "", error);
}

} // namespace Tools
