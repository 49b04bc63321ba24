#include "tools/common/BinaryWriter.h"

#include <cstring>
#include <limits>
#include <stdexcept>

#include "platform/system/FileSystem.h"

namespace Tools {

void BinaryWriter::U8(uint8_t value) {
    bytes.push_back(value);
}

void BinaryWriter::U16(uint16_t value) {
    bytes.push_back(static_cast<uint8_t>(value));
    bytes.push_back(static_cast<uint8_t>(value >> 8));
}

void BinaryWriter::U32(uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        bytes.push_back(static_cast<uint8_t>(value >> shift));
    }
}

void BinaryWriter::I32(int32_t value) {
    U32(static_cast<uint32_t>(value));
}

void BinaryWriter::F32(float value) {
    uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    U32(bits);
}

void BinaryWriter::Bytes(const void* source, size_t count) {
    const uint8_t* first = static_cast<const uint8_t*>(source);
    bytes.insert(bytes.end(), first, first + count);
}

void BinaryWriter::Chars(std::string_view text) {
    Bytes(text.data(), text.size());
}

void BinaryWriter::NarrowString(std::string_view text) {
    if (text.size() > 255) {
        throw std::length_error("string longer than 255 bytes: " + std::string(text.substr(0, 40)) + "...");
    }
    U8(static_cast<uint8_t>(text.size()));
    Chars(text);
}

void BinaryWriter::WideString(std::u16string_view text) {
    if (text.size() > 254) {
        throw std::length_error("wide string longer than 254 units");
    }
    U8(static_cast<uint8_t>(text.size() + 1));
    for (const char16_t unit : text) {
        U16(unit);
    }
    U16(0);
}

void BinaryWriter::PatchU32(size_t offset, uint32_t value) {
    if (offset + 4 > bytes.size()) {
        throw std::out_of_range("patch past the end of the data");
    }
    for (int i = 0; i < 4; ++i) {
        bytes[offset + i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

bool SaveFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    auto file = Platform::File::Open(path, Platform::File::Mode::Write);
    if (!file) {
        return false;
    }
    const bool written = file->Write(bytes.data(), bytes.size()) == bytes.size();
    return file->Close() && written;
}

bool LoadFile(const std::string& path, std::vector<uint8_t>& bytes) {
    auto file = Platform::File::Open(path, Platform::File::Mode::Read);
    if (!file) {
        return false;
    }
    const int64_t size = file->Size();
    if (size < 0 || !file->Seek(0, SEEK_SET)) {
        return false;
    }
    bytes.resize(static_cast<size_t>(size));
    return file->Read(bytes.data(), bytes.size()) == bytes.size();
}

void BeginEngineFile(BinaryWriter& writer, const char magic[5], uint32_t version) {
    if (writer.Size() != 0) {
        throw std::logic_error("the engine file header must come first");
    }
    writer.U32(0);
    writer.Bytes(magic, 5);
    writer.U32(version);
}

void EndEngineFile(BinaryWriter& writer) {
    if (writer.Size() > std::numeric_limits<uint32_t>::max()) {
        throw std::length_error("engine file larger than 4 GiB");
    }
    writer.PatchU32(0, static_cast<uint32_t>(writer.Size()));
}

} // namespace Tools
