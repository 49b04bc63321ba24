#pragma once
// The only code that touches the file system. Paths arrive as the program
// writes them ("data\ui\fonts\ge.ini", "/home/u/.local/share\Quobin Games"):
// both "\" and "/" separate components, and every component is looked up
// ignoring case when the exact spelling does not exist, as on Windows.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace Platform {

// The one test of whether a path is absolute: a drive letter ("C:"), a "\\"
// or "//" prefix, or a leading "/". Every check for ":" goes through here.
bool IsAbsolutePath(std::string_view path);

// The Linux path of a program path: separators become "/", and each existing
// component is matched ignoring case. Missing components keep their spelling.
std::string ToNativePath(std::string_view path);

// The steps by which a file opened in Write mode changes what is on the
// disk, in the order a save takes them (Seek flushes what is buffered).
enum class FileStep { Create, Write, Seek, Flush, Sync, Close, Rename, Remove };
// For tests that stop a process at every point of a save: hook is called
// just before each step of every Write-mode file, with the path the file
// replaces. Null (the default, and all the program ever has) calls nothing.
// Set it only while no other thread writes files.
using FileStepHook = void (*)(FileStep step, const std::string& target);
void SetFileStepHook(FileStepHook hook);

// An open file: the fopen family. Opening a folder fails, as on Windows.
class File {
public:
    enum class Mode {
        Read,   // "rb"
        Write,  // "wb": written to a temporary file beside the target and
                // renamed over it by Close, so a failed save keeps the old file
        Overwrite,  // "wb" in place: for files written as they go (the log)
        Append      // "ab"
    };
    // Null when the file cannot be opened in that mode or is a folder.
    static std::unique_ptr<File> Open(std::string_view path, Mode mode);
    // Closes as Close() does, except that a Write-mode file still open is
    // abandoned: its temporary is removed and the target stays as it was, so
    // a save cut short by an exception never replaces the last good file.
    ~File();

    size_t Read(void* destination, size_t count);
    size_t Write(const void* source, size_t count);
    // origin is SEEK_SET, SEEK_CUR or SEEK_END.
    bool Seek(int64_t offset, int origin);
    int64_t Tell();
    int64_t Size();
    bool Flush();
    // Write modes: cuts the file to size bytes, forgets an earlier failed
    // write and puts the position at the new end, so that a file whose tail
    // the disk refused can be cut back to its last sound part and completed.
    // Bytes not yet flushed are dropped: cut only back to a flushed point.
    // False when the file could not be cut.
    bool Truncate(int64_t size);
    // Flushes and closes. A write-mode file replaces its target only when
    // every write succeeded and the data reached the disk; returns false when
    // anything failed (or the file was already closed).
    bool Close();

    File(const File&) = delete;
    File& operator=(const File&) = delete;

private:
    File() = default;
    void Abandon();
    void Step(FileStep step) const;

    std::FILE* stream_ = nullptr;
    Mode mode_ = Mode::Read;
    bool failed_ = false;
    std::string target_;     // write mode: the path Close renames onto
    std::string temporary_;  // write mode: the path being written
};

// _access(path, 0) == 0: a file or a folder exists.
bool PathExists(std::string_view path);
bool IsFolder(std::string_view path);
// CreateDirectory of one level; false when it failed or already existed.
bool CreateFolder(std::string_view path);
// Deletes a file or a whole folder tree; false when something remained.
bool DeleteTree(std::string_view path);
// Renames the file or folder at path to path + suffix or, when that name is
// taken, to path + "." + n + suffix for the first free n from 1 to 999;
// never replaces anything. The new name in the form path was given, or
// empty when nothing was renamed.
std::string RenameToFreeName(std::string_view path, std::string_view suffix);

struct FoundFile {
    std::string name;  // the entry's own name, no folder
    bool folder = false;
};
// _findfirst/_findnext over one folder with a wildcard mask ("*.pak"),
// matched ignoring case; "." and ".." are left out. Sorted by name ignoring
// case, so the order is the same on every machine.
std::vector<FoundFile> FindFiles(std::string_view folder, std::string_view mask);

} // namespace Platform
