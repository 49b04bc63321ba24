#include "platform/system/FileSystem.h"

#include "platform/system/AsciiCase.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <fnmatch.h>
#include <stdio_ext.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Platform {

namespace {

bool IsSeparator(char c) {
    return c == '/' || c == '\\';
}

bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool EntryExists(const std::string& path) {
    struct stat info;
    return ::lstat(path.c_str(), &info) == 0;
}

// The name of an entry of folder that equals name ignoring case. When several
// do (a case-sensitive file system holding "Data" and "DATA"), the smallest
// in byte order, so the choice does not depend on the directory's order.
bool FindEntryIgnoringCase(const std::string& folder, std::string_view name, std::string& found) {
    DIR* directory = ::opendir(folder.empty() ? "." : folder.c_str());
    if (directory == nullptr) {
        return false;
    }
    bool any = false;
    while (const dirent* entry = ::readdir(directory)) {
        const std::string_view entryName(entry->d_name);
        if (EqualsIgnoringCase(entryName, name) && (!any || entryName < found)) {
            found = entryName;
            any = true;
        }
    }
    ::closedir(directory);
    return any;
}

std::string Join(const std::string& folder, std::string_view name) {
    std::string joined = folder;
    if (!joined.empty() && joined.back() != '/') {
        joined += '/';
    }
    joined += name;
    return joined;
}

FileStepHook fileStepHook = nullptr;

// Temporaries of different files and processes never share a name; the
// counter covers several saves of one file within a process.
std::atomic<unsigned> temporaryCounter{0};

// Creates a new file beside target for a safe save; -1 on failure.
int CreateTemporaryBeside(const std::string& target, std::string& temporary) {
    const size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = folder + "." + name + "." + std::to_string(::getpid()) + "." +
                    std::to_string(temporaryCounter.fetch_add(1)) + ".tmp";
        // 0666 so that the umask decides the permissions, as for a plain fopen.
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

} // namespace

void SetFileStepHook(FileStepHook hook) {
    fileStepHook = hook;
}

void File::Step(FileStep step) const {
    if (fileStepHook != nullptr && mode_ == Mode::Write) {
        fileStepHook(step, target_);
    }
}

bool IsAbsolutePath(std::string_view path) {
    if (path.size() >= 2 && IsAsciiLetter(path[0]) && path[1] == ':') {
        return true;
    }
    if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') {
        return true;
    }
    return !path.empty() && path[0] == '/';
}

std::string ToNativePath(std::string_view path) {
    std::string result;
    size_t position = 0;
    if (path.size() >= 2 && IsAsciiLetter(path[0]) && path[1] == ':') {
        // There are no drives here: a drive letter names the one root.
        result.assign(1, '/');
        position = 2;
    } else if (!path.empty() && IsSeparator(path[0])) {
        // "\\server\share" and "//x" end up below "/" as well.
        result.assign(1, '/');
    }

    // Once a component is missing, nothing below it can exist to be matched.
    bool resolving = true;
    while (position < path.size()) {
        while (position < path.size() && IsSeparator(path[position])) {
            ++position;
        }
        if (position == path.size()) {
            break;
        }
        size_t end = position;
        while (end < path.size() && !IsSeparator(path[end])) {
            ++end;
        }
        const std::string_view component = path.substr(position, end - position);
        position = end;

        std::string next = Join(result, component);
        if (resolving && !EntryExists(next)) {
            std::string found;
            if (FindEntryIgnoringCase(result, component, found)) {
                next = Join(result, found);
            } else {
                resolving = false;
            }
        }
        result = std::move(next);
    }
    return result;
}

std::unique_ptr<File> File::Open(std::string_view path, Mode mode) {
    const std::string native = ToNativePath(path);
    if (native.empty()) {
        return nullptr;
    }
    std::unique_ptr<File> file(new File());
    file->mode_ = mode;

    int fd = -1;
    const char* streamMode = "rb";
    switch (mode) {
    case Mode::Read:
        fd = ::open(native.c_str(), O_RDONLY | O_CLOEXEC);
        break;
    case Mode::Write:
        if (IsFolder(native)) {
            return nullptr;
        }
        file->target_ = native;
        file->Step(FileStep::Create);
        fd = CreateTemporaryBeside(native, file->temporary_);
        streamMode = "wb";
        break;
    case Mode::Overwrite:
        fd = ::open(native.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        streamMode = "wb";
        break;
    case Mode::Append:
        fd = ::open(native.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
        streamMode = "ab";
        break;
    }
    if (fd < 0) {
        return nullptr;
    }

    // Linux opens a folder for reading without complaint; Windows does not,
    // and callers rely on that to tell files from folders.
    struct stat info;
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    file->stream_ = ::fdopen(fd, streamMode);
    if (file->stream_ == nullptr) {
        ::close(fd);
        if (mode == Mode::Write) {
            ::unlink(file->temporary_.c_str());
        }
        return nullptr;
    }
    return file;
}

File::~File() {
    if (stream_ == nullptr) {
        return;
    }
    if (mode_ == Mode::Write) {
        Abandon();
    } else {
        Close();
    }
}

void File::Abandon() {
    Step(FileStep::Close);
    std::fclose(stream_);
    stream_ = nullptr;
    Step(FileStep::Remove);
    ::unlink(temporary_.c_str());
}

size_t File::Read(void* destination, size_t count) {
    if (stream_ == nullptr || count == 0) {
        return 0;
    }
    return std::fread(destination, 1, count, stream_);
}

size_t File::Write(const void* source, size_t count) {
    if (stream_ == nullptr || count == 0) {
        return 0;
    }
    Step(FileStep::Write);
    const size_t written = std::fwrite(source, 1, count, stream_);
    if (written != count) {
        failed_ = true;
    }
    return written;
}

bool File::Seek(int64_t offset, int origin) {
    if (stream_ == nullptr || (origin != SEEK_SET && origin != SEEK_CUR && origin != SEEK_END)) {
        return false;
    }
    Step(FileStep::Seek);
    return ::fseeko(stream_, static_cast<off_t>(offset), origin) == 0;
}

int64_t File::Tell() {
    if (stream_ == nullptr) {
        return -1;
    }
    return ::ftello(stream_);
}

int64_t File::Size() {
    if (stream_ == nullptr) {
        return -1;
    }
    // Through the stream, so that data still in its buffer is counted.
    Step(FileStep::Seek);
    const off_t position = ::ftello(stream_);
    if (position < 0 || ::fseeko(stream_, 0, SEEK_END) != 0) {
        return -1;
    }
    const off_t size = ::ftello(stream_);
    if (::fseeko(stream_, position, SEEK_SET) != 0) {
        return -1;
    }
    return size;
}

bool File::Flush() {
    if (stream_ == nullptr) {
        return false;
    }
    Step(FileStep::Flush);
    if (std::fflush(stream_) != 0) {
        if (mode_ != Mode::Read) {
            failed_ = true;
        }
        return false;
    }
    return true;
}

bool File::Truncate(int64_t size) {
    if (stream_ == nullptr || mode_ == Mode::Read || size < 0) {
        return false;
    }
    // Bytes still buffered are ones the disk refused or ones past the cut:
    // written later, they would land after the new end.
    ::__fpurge(stream_);
    std::clearerr(stream_);
    if (::ftruncate(::fileno(stream_), static_cast<off_t>(size)) != 0 ||
        ::fseeko(stream_, static_cast<off_t>(size), SEEK_SET) != 0) {
        return false;
    }
    failed_ = false;
    return true;
}

bool File::Close() {
    if (stream_ == nullptr) {
        return false;
    }
    bool succeeded = !failed_;
    if (mode_ != Mode::Read) {
        Step(FileStep::Flush);
        if (std::fflush(stream_) != 0 || std::ferror(stream_) != 0) {
            succeeded = false;
        }
        // The new file must be on the disk before it replaces the old one;
        // otherwise a crash right after the rename can leave an empty file.
        if (mode_ == Mode::Write && succeeded) {
            Step(FileStep::Sync);
            if (::fsync(::fileno(stream_)) != 0) {
                succeeded = false;
            }
        }
    }
    Step(FileStep::Close);
    if (std::fclose(stream_) != 0) {
        succeeded = false;
    }
    stream_ = nullptr;
    if (mode_ == Mode::Write) {
        if (succeeded) {
            Step(FileStep::Rename);
            if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
                succeeded = false;
            }
        }
        if (!succeeded) {
            Step(FileStep::Remove);
            ::unlink(temporary_.c_str());
        }
    }
    return succeeded;
}

bool PathExists(std::string_view path) {
    const std::string native = ToNativePath(path);
    struct stat info;
    return !native.empty() && ::stat(native.c_str(), &info) == 0;
}

bool IsFolder(std::string_view path) {
    const std::string native = ToNativePath(path);
    struct stat info;
    return !native.empty() && ::stat(native.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool CreateFolder(std::string_view path) {
    const std::string native = ToNativePath(path);
    return !native.empty() && ::mkdir(native.c_str(), 0777) == 0;
}

bool DeleteTree(std::string_view path) {
    const std::string native = ToNativePath(path);
    if (native.empty()) {
        return false;
    }
    std::error_code error;
    std::filesystem::remove_all(native, error);
    return !error && !EntryExists(native);
}

std::string RenameToFreeName(std::string_view path, std::string_view suffix) {
    const std::string native = ToNativePath(path);
    if (native.empty()) {
        return {};
    }
    for (int n = 0; n < 1000; ++n) {
        std::string name(path);
        if (n > 0) {
            name += '.';
            name += std::to_string(n);
        }
        name += suffix;
        // Looked up as every other open does, so that a name taken in
        // another letter case counts as taken.
        const std::string candidate = ToNativePath(name);
        if (EntryExists(candidate)) {
            continue;
        }
        if (::renameat2(AT_FDCWD, native.c_str(), AT_FDCWD, candidate.c_str(), RENAME_NOREPLACE) == 0) {
            return name;
        }
        if (errno == EEXIST) {
            continue;
        }
        // A file system without the no-replace rename: the check above
        // stands in for it.
        if ((errno != EINVAL && errno != ENOSYS) || ::rename(native.c_str(), candidate.c_str()) != 0) {
            return {};
        }
        return name;
    }
    return {};
}

std::vector<FoundFile> FindFiles(std::string_view folder, std::string_view mask) {
    std::vector<FoundFile> found;
    std::string native = ToNativePath(folder);
    if (native.empty()) {
        native.assign(1, '.');
    }
    DIR* directory = ::opendir(native.c_str());
    if (directory == nullptr) {
        return found;
    }
    // Windows masks have no escape character: "\" cannot occur in one.
    const std::string pattern(mask);
    while (const dirent* entry = ::readdir(directory)) {
        const std::string_view name(entry->d_name);
        if (name == "." || name == "..") {
            continue;
        }
        if (::fnmatch(pattern.c_str(), entry->d_name, FNM_CASEFOLD | FNM_NOESCAPE) != 0) {
            continue;
        }
        bool isFolder = entry->d_type == DT_DIR;
        if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
            struct stat info;
            isFolder = ::stat(Join(native, name).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
        }
        found.push_back(FoundFile{std::string(name), isFolder});
    }
    ::closedir(directory);
    std::sort(found.begin(), found.end(), [](const FoundFile& a, const FoundFile& b) {
        const int order = CompareIgnoringCase(a.name, b.name);
        return order != 0 ? order < 0 : a.name < b.name;
    });
    return found;
}

} // namespace Platform
