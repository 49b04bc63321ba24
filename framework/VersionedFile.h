#pragma once
// The 13-byte header every framework save and data file starts with
// (little-endian): u32 total file size with the header, five magic
// characters, u32 format version. The owner opens a file for reading or
// writing, reads or writes its body through GetFile(), and closes it;
// closing a written file puts the final size into the header and only then
// lets the file replace the one on disk, so a save that fails or is cut off
// leaves the last good file.
#include <cstdint>
#include <memory>
#include <string>

namespace ZorvaneEngine {
class Engine;
class FileBinary;
class FileManager;
class MessageManager;
} // namespace ZorvaneEngine

namespace GameFramework {

class VersionedFile {
public:
    static constexpr uint32_t HeaderSize = 13;
    static constexpr uint32_t ModeRead = 0;
    static constexpr uint32_t ModeWrite = 1;

    // The magic is the first five characters of the text (zeros fill a
    // shorter one).
    VersionedFile(ZorvaneEngine::FileManager* fileManager, const std::string& magic, uint32_t version);
    VersionedFile(ZorvaneEngine::Engine* engine, const std::string& magic, uint32_t version);
    // A file still open for writing is abandoned, not completed.
    ~VersionedFile();

    VersionedFile(const VersionedFile&) = delete;
    VersionedFile& operator=(const VersionedFile&) = delete;

    // Closes a file still open, then opens path (handed to the file manager
    // unchanged) for reading (checking the header) or writing (a header
    // placeholder is written). Raises FileError: "Failed to read 13 bytes
    // from "<path>" file" for a shorter file, "Incorrect + "<path>" file
    // format" for a wrong magic or a size field that is not the file's size,
    // "Incorrect "<path>" format version (<found>), current is <expected>"
    // for another version. Nothing stays open after a failure.
    void Open(uint32_t mode, const std::string& path);
    // Written file: the header gets the size and the file replaces its target
    // (FileError when any of it fails; the target is then untouched). Nothing
    // happens when no file is open.
    void Close();
    // Drops the open file without completing it: a file being written never
    // reaches its target. For owners that caught a failure half way.
    void Abandon();

    // For an owner about to replace the file last opened, which failed to
    // load with reason: a file that exists there is damaged and is kept
    // beside it first, as name + ".bad" (name + ".<n>.bad" when that is
    // taken), and one error line names it, where it went and the reason. A
    // missing file is no damage: nothing is logged.
    void KeepDamaged(ZorvaneEngine::MessageManager* log, const std::string& reason);

    // The open file, null when closed.
    ZorvaneEngine::FileBinary* GetFile() const { return file.get(); }
    bool IsOpen() const { return file != nullptr; }

private:
    ZorvaneEngine::FileManager* fileManager;
    char magic[5] = {};
    uint32_t version;
    std::unique_ptr<ZorvaneEngine::FileBinary> file;
    uint32_t mode = ModeRead;
    std::string path;  // as given to Open, for the messages
};

} // namespace GameFramework
