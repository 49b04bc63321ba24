#include "engine/core/FileBinary.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <exception>
#include <limits>

#include "engine/core/Error.h"
#include "engine/core/TextUtils.h"
#include "platform/system/FileSystem.h"

namespace ZorvaneEngine {

namespace {

std::string DiskPath(const std::string& name) {
    if (Platform::IsAbsolutePath(name)) {
        return name;
    }
    return GetApplicationFolder() + "\\" + name;
}

[[noreturn]] void RaiseOpenError(const std::string& name) {
    throw FileError("Failed to open \"" + name + "\" file");
}

} // namespace

FileBinary::FileBinary(MessageManager* log, const std::string& name, bool writing, bool loadWhole)
    : log(log), name(name), writing(writing), uncaughtAtOpening(std::uncaught_exceptions()) {
    const std::string path = DiskPath(name);
    if (writing) {
        file = Platform::File::Open(path, Platform::File::Mode::Write);
        if (!file) {
            RaiseOpenError(name);
        }
        return;
    }
    file = Platform::File::Open(path, Platform::File::Mode::Read);
    if (!file) {
        RaiseOpenError(name);
    }
    // Positions and sizes are 32-bit in every format, so a larger file (or
    // one whose size cannot be read) cannot be served.
    const int64_t diskSize = file->Size();
    if (diskSize < 0 || diskSize > std::numeric_limits<uint32_t>::max() || !file->Seek(0, SEEK_SET)) {
        RaiseOpenError(name);
    }
    size = static_cast<uint32_t>(diskSize);
    if (loadWhole || size <= WholeFileLimit) {
        std::vector<uint8_t> bytes(size);
        if (file->Read(bytes.data(), size) != size) {
            RaiseReadError(size);
        }
        data = std::move(bytes);
        file.reset();
    }
}

FileBinary::FileBinary(MessageManager* log, const std::string& name, std::vector<uint8_t> bytes)
    : log(log), name(name), size(static_cast<uint32_t>(bytes.size())), data(std::move(bytes)) {}

FileBinary::~FileBinary() {
    if (writing && file && std::uncaught_exceptions() <= uncaughtAtOpening) {
        file->Close();
    }
}

void FileBinary::RaiseReadError(uint32_t count) const {
    throw FileError("Failed to read " + UIntToText(count) + " bytes from \"" + name + "\" file");
}

void FileBinary::Read(void* destination, uint32_t count, uint32_t* bytesRead) {
    // The position can sit past the size only through a seek on an empty
    // file; nothing remains then rather than a wrapped-around count.
    const uint32_t remaining = position < size ? size - position : 0;
    uint32_t taken = std::min(count, remaining);
    if (taken > 0) {
        if (file) {
            if (writing) {
                taken = 0;
            } else {
                // A failed or short stream read reports only what arrived.
                taken = static_cast<uint32_t>(file->Read(destination, taken));
            }
        } else {
            std::memcpy(destination, data.data() + position, taken);
        }
        position += taken;
    }
    if (bytesRead) {
        *bytesRead = taken;
    } else if (taken < count) {
        RaiseReadError(count);
    }
}

void FileBinary::ReadString(std::string& out) {
    uint8_t count = 0;
    Read(&count, 1);
    char bytes[255];
    Read(bytes, count);
    const char* end = std::find(bytes, bytes + count, '\0');
    out.assign(bytes, static_cast<size_t>(end - bytes));
}

void FileBinary::ReadWideString(std::u16string& out) {
    uint8_t count = 0;
    Read(&count, 1);
    uint8_t bytes[2 * 255];
    Read(bytes, 2u * count);
    out.clear();
    for (uint32_t i = 0; i < count; ++i) {
        const char16_t unit = static_cast<char16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
        if (unit == 0) {
            break;
        }
        out.push_back(unit);
    }
}

void FileBinary::Write(const void* source, uint32_t count) {
    size_t written = 0;
    if (writing && file && count > 0) {
        written = file->Write(source, count);
    }
    position += static_cast<uint32_t>(written);
    size = std::max(size, position);
    if (written < count) {
        throw FileError("Failed to write " + UIntToText(count) + " bytes from \"" + name + "\" file");
    }
}

void FileBinary::Close() {
    if (!writing || !file) {
        return;
    }
    const bool completed = file->Close();
    file.reset();
    if (!completed) {
        throw FileError("Failed to write " + UIntToText(size) + " bytes from \"" + name + "\" file");
    }
}

void FileBinary::Abandon() {
    if (writing) {
        // The platform file removes its temporary when destroyed unclosed.
        file.reset();
    }
}

void FileBinary::WriteWideString(const std::u16string& text) {
    const size_t length = std::min<size_t>(text.size(), 254);
    std::vector<uint8_t> bytes;
    bytes.reserve(1 + 2 * (length + 1));
    bytes.push_back(static_cast<uint8_t>(length + 1));
    for (size_t i = 0; i < length; ++i) {
        bytes.push_back(static_cast<uint8_t>(text[i] & 0xFF));
        bytes.push_back(static_cast<uint8_t>(text[i] >> 8));
    }
    bytes.push_back(0);
    bytes.push_back(0);
    Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
}

bool FileBinary::Seek(int64_t offset, int32_t origin) {
    // 64-bit signed: a skip read from a damaged file as a huge unsigned value
    // must not wrap round into a step backwards. An offset beyond 2^33 either
    // way leaves a 32-bit file from every origin, so it is clamped to that
    // before the sums below, which could overflow otherwise.
    constexpr int64_t Reach = int64_t{1} << 33;
    offset = std::clamp(offset, -Reach, Reach);
    int64_t target = 0;
    switch (origin) {
    case SeekStart:
        target = offset;
        break;
    case SeekEnd:
        target = static_cast<int64_t>(size) - offset;
        break;
    case SeekCurrent:
        target = static_cast<int64_t>(position) + offset;
        break;
    default:
        return false;
    }
    bool inside = true;
    const int64_t last = size > 0 ? static_cast<int64_t>(size) - 1 : 0;
    if (target < 0) {
        target = 0;
        inside = false;
    } else if (target > last) {
        target = last;
        inside = false;
    }
    position = static_cast<uint32_t>(target);
    if (file && !file->Seek(target, SEEK_SET)) {
        return false;
    }
    return inside;
}

} // namespace ZorvaneEngine
