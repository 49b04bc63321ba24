#include "engine/core/FileTextual.h"

#include <cstdint>
#include <cstdlib>

#include "engine/core/CodePage.h"
#include "engine/core/TextUtils.h"

namespace ZorvaneEngine {

namespace {
constexpr char16_t CarriageReturn = 13;
constexpr char16_t LineFeed = 10;
constexpr char16_t ReplacementCharacter = 0xFFFD;
} // namespace

FileTextual::FileTextual(MessageManager* log, int32_t mode, int32_t encoding, std::unique_ptr<FileBinary> file)
    : log(log), mode(mode), encoding(encoding), file(std::move(file)) {}

FileTextual::~FileTextual() {
    try {
        Flush();
    } catch (...) {
        // A destructor must not throw; savers that care call Flush themselves.
    }
}

void FileTextual::Init() {
    buffer.assign(BufferSize, 0);
    index = -1;
    count = 0;
    endOfFile = false;
    substitute = '?';
    lossy = false;
    fresh = true;
    hasPushedBack = false;
    if (mode == ModeWrite) {
        switch (encoding) {
        case EncodingUtf16BigEndian:
            PutByte(0xFE);
            PutByte(0xFF);
            break;
        case EncodingUtf16LittleEndian:
            PutByte(0xFF);
            PutByte(0xFE);
            break;
        case EncodingUtf8:
            PutByte(0xEF);
            PutByte(0xBB);
            PutByte(0xBF);
            break;
        default:
            break;
        }
        return;
    }
    const uint8_t first = TakeByte();
    const uint8_t second = TakeByte();
    if (first == 0xFF && second == 0xFE) {
        encoding = EncodingUtf16LittleEndian;
    } else if (first == 0xFE && second == 0xFF) {
        encoding = EncodingUtf16BigEndian;
    } else if (first == 0xEF && second == 0xBB && TakeByte() == 0xBF) {
        encoding = EncodingUtf8;
    } else {
        encoding = EncodingAnsi;
        Rewind();
    }
}

void FileTextual::Rewind() {
    file->Seek(0, FileBinary::SeekStart);
    index = -1;
    count = 0;
    fresh = true;
    hasPushedBack = false;
    endOfFile = false;
}

uint8_t FileTextual::TakeByte() {
    if (index + 1 >= count) {
        uint32_t got = 0;
        file->Read(buffer.data(), BufferSize, &got);
        count = static_cast<int32_t>(got);
        index = -1;
        if (got == 0) {
            endOfFile = true;
            return 0;
        }
    }
    return buffer[++index];
}

char16_t FileTextual::TakeCharacter() {
    if (hasPushedBack) {
        hasPushedBack = false;
        return pushedBack;
    }
    switch (encoding) {
    case EncodingUtf16BigEndian: {
        const uint8_t high = TakeByte();
        const uint8_t low = TakeByte();
        return static_cast<char16_t>(high << 8 | low);
    }
    case EncodingUtf16LittleEndian: {
        const uint8_t low = TakeByte();
        const uint8_t high = TakeByte();
        return static_cast<char16_t>(high << 8 | low);
    }
    case EncodingUtf8: {
        const uint8_t lead = TakeByte();
        if (lead < 0x80) {
            return lead;
        }
        if ((lead & 0xE0) == 0xC0) {
            const uint8_t next = TakeByte();
            return static_cast<char16_t>((lead << 6 & 0x7FF) | (next & 0x3F));
        }
        if ((lead & 0xF0) == 0xE0) {
            const uint8_t next1 = TakeByte();
            const uint8_t next2 = TakeByte();
            return static_cast<char16_t>(lead << 12 | (next1 & 0x3F) << 6 | (next2 & 0x3F));
        }
        // A stray continuation byte, or a sequence beyond 16 bits.
        return ReplacementCharacter;
    }
    default:
        return TakeByte();
    }
}

bool FileTextual::IsSpace(char16_t character) const {
    if (encoding == EncodingAnsi) {
        return CodePageIsSpace(static_cast<uint8_t>(character));
    }
    return IsWideSpace(character);
}

bool FileTextual::ReadUnits(std::u16string& out, bool token, bool stripComments) {
    out.clear();
    if (endOfFile) {
        return false;
    }
    // The previous read stopped on its delimiter and pushed it back; skip it,
    // except at the very start where even a delimiter is data.
    char16_t c = TakeCharacter();
    if (fresh) {
        fresh = false;
    } else if (token) {
        if (IsSpace(c)) {
            c = TakeCharacter();
        }
    } else {
        if (c == CarriageReturn) {
            c = TakeCharacter();
        }
        if (c == LineFeed) {
            c = TakeCharacter();
        }
    }
    bool lineMode = !token;
    if (c != CarriageReturn) {
        while (c != LineFeed && !endOfFile && (lineMode || !IsSpace(c))) {
            if (out.size() < lengthLimit) {
                out.push_back(c);
            }
            // A comment swallows the rest of its line, blanks included.
            if (!lineMode && stripComments && out == u"//") {
                lineMode = true;
            }
            c = TakeCharacter();
            if (c == CarriageReturn) {
                break;
            }
        }
    }
    hasPushedBack = true;
    pushedBack = c;
    if (stripComments) {
        const size_t comment = out.find(u"//");
        if (comment != std::u16string::npos) {
            out.resize(comment);
        }
    }
    return true;
}

bool FileTextual::ReadNarrowString(std::string& out, bool token, bool stripComments) {
    std::u16string units;
    const bool result = ReadUnits(units, token, stripComments);
    out.clear();
    out.reserve(units.size());
    for (const char16_t unit : units) {
        if (encoding == EncodingAnsi) {
            out.push_back(static_cast<char>(unit));
            continue;
        }
        uint8_t byte = 0;
        if (CodePageFromWide(unit, byte)) {
            out.push_back(static_cast<char>(byte));
        } else {
            out.push_back(substitute);
            lossy = true;
        }
    }
    return result;
}

bool FileTextual::ReadString(std::string& out, bool token) {
    return ReadNarrowString(out, token, true);
}

bool FileTextual::ReadWideString(std::u16string& out, bool stripComments) {
    if (encoding != EncodingAnsi) {
        return ReadUnits(out, false, stripComments);
    }
    std::string narrow;
    const bool result = ReadNarrowString(narrow, false, stripComments);
    ConvertToWide(narrow, out);
    return result;
}

void FileTextual::ReadAllText(std::u16string& out) {
    out.clear();
    const uint32_t size = file->GetSize();
    const bool twoBytes = encoding == EncodingUtf16BigEndian || encoding == EncodingUtf16LittleEndian;
    out.reserve((twoBytes ? size / 2 : size) + 2);
    std::u16string line;
    bool first = true;
    while (ReadWideString(line, false)) {
        if (!first) {
            out += u"\r\n";
        }
        out += line;
        first = false;
    }
}

bool FileTextual::ReadToken(std::string& out) {
    while (ReadString(out, true)) {
        if (!out.empty()) {
            return true;
        }
    }
    return false;
}

int32_t FileTextual::ReadInt() {
    int32_t value = 0;
    ReadInt(value);
    return value;
}

bool FileTextual::ReadInt(int32_t& out) {
    std::string text;
    if (!ReadToken(text)) {
        return false;
    }
    out = TextToInt(text);
    return true;
}

float FileTextual::ReadFloat() {
    std::string text;
    return ReadToken(text) ? std::strtof(text.c_str(), nullptr) : 0.0f;
}

void FileTextual::PutByte(uint8_t byte) {
    if (index + 1 >= BufferSize) {
        Flush();
    }
    buffer[++index] = byte;
}

void FileTextual::PutCharacter(char16_t c) {
    switch (encoding) {
    case EncodingUtf16BigEndian:
        PutByte(static_cast<uint8_t>(c >> 8));
        PutByte(static_cast<uint8_t>(c & 0xFF));
        break;
    case EncodingUtf16LittleEndian:
        PutByte(static_cast<uint8_t>(c & 0xFF));
        PutByte(static_cast<uint8_t>(c >> 8));
        break;
    case EncodingUtf8:
        if (c < 0x80) {
            PutByte(static_cast<uint8_t>(c));
        } else if (c < 0x800) {
            PutByte(static_cast<uint8_t>(0xC0 | c >> 6));
            PutByte(static_cast<uint8_t>(0x80 | (c & 0x3F)));
        } else {
            PutByte(static_cast<uint8_t>(0xE0 | (c >> 12 & 0x0F)));
            PutByte(static_cast<uint8_t>(0x80 | (c >> 6 & 0x3F)));
            PutByte(static_cast<uint8_t>(0x80 | (c & 0x3F)));
        }
        break;
    default:
        PutByte(static_cast<uint8_t>(c));
        break;
    }
}

void FileTextual::WriteString(const std::string& text) {
    if (encoding == EncodingAnsi) {
        for (const char byte : text) {
            PutByte(static_cast<uint8_t>(byte));
        }
        return;
    }
    std::u16string wide;
    ConvertToWide(text, wide);
    for (const char16_t c : wide) {
        PutCharacter(c);
    }
}

void FileTextual::WriteNewLine() {
    PutCharacter(CarriageReturn);
    PutCharacter(LineFeed);
}

void FileTextual::Flush() {
    if (mode != ModeWrite || index < 0) {
        return;
    }
    const uint32_t pending = static_cast<uint32_t>(index + 1);
    index = -1;
    file->Write(buffer.data(), pending);
}

void FileTextual::Close() {
    if (mode != ModeWrite) {
        return;
    }
    Flush();
    file->Close();
}

} // namespace ZorvaneEngine
