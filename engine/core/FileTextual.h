#pragma once
// Buffered text over a FileBinary: detects the byte-order mark, decodes ANSI
// (the active code page), UTF-16 in either byte order and UTF-8, and reads
// lines or white-space separated tokens with "//" comments cut off.
//
// Tokens are separated by exactly one white-space character, so a run of
// blanks or a line end yields empty tokens (ReadInt and ReadFloat skip them).
// A line ends at CR, at LF, or at CR LF taken as one.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/FileBinary.h"

namespace ZorvaneEngine {

class MessageManager;

class FileTextual {
public:
    static constexpr int32_t ModeRead = 0;
    static constexpr int32_t ModeWrite = 1;

    static constexpr int32_t EncodingAnsi = 0;
    static constexpr int32_t EncodingUtf16BigEndian = 1;
    static constexpr int32_t EncodingUtf16LittleEndian = 2;
    static constexpr int32_t EncodingUtf8 = 3;

    // Takes the file over. Init must run before the first read or write.
    FileTextual(MessageManager* log, int32_t mode, int32_t encoding, std::unique_ptr<FileBinary> file);
    // Writes what is still buffered; a failure there is swallowed, so callers
    // that must know call Flush first.
    virtual ~FileTextual();

    FileTextual(const FileTextual&) = delete;
    FileTextual& operator=(const FileTextual&) = delete;

    // Write mode: writes the byte-order mark of the encoding. Read mode:
    // detects the encoding from the mark, or reads ANSI from the first byte.
    void Init();
    // Back to the first byte of the file.
    void Rewind();

    // The next line (token false) or token, comments removed, as narrow text.
    // False only when the end was already reached before the call.
    bool ReadString(std::string& out, bool token);
    // The next line as UTF-16.
    bool ReadWideString(std::u16string& out, bool stripComments);
    // The rest of the file, lines joined by CR LF, comments kept.
    void ReadAllText(std::u16string& out);
    // The next non-empty token; false at the end of the file. Readers of
    // names use it, since a run of blanks or a line end yields empty tokens.
    bool ReadToken(std::string& out);
    // The next non-empty token as a number (text that is no number reads 0,
    // an overflow is clamped); 0 at the end of the file.
    int32_t ReadInt();
    // The same, telling the end of the file apart: false there, with out
    // left as it was.
    bool ReadInt(int32_t& out);
    float ReadFloat();

    void WriteString(const std::string& text);
    void WriteNewLine();
    // Writes the buffered bytes to the file; raises FileError on failure.
    void Flush();
    // Write mode: Flush, then FileBinary::Close; raises FileError when the
    // file could not be completed, in which case its target stays as it was.
    void Close();

    // The most characters a line or token read keeps: the rest of a longer
    // one is read past and dropped, so that a damaged file of one endless
    // line costs no more memory than that. No limit unless set.
    void SetLengthLimit(size_t characters) { lengthLimit = characters; }

    int32_t GetEncoding() const { return encoding; }
    // The name of the file beneath, for messages.
    const std::string& GetName() const { return file->GetName(); }
    // Whether a character the code page cannot represent was replaced.
    bool IsLossy() const { return lossy; }

private:
    static constexpr int32_t BufferSize = 1024;

    uint8_t TakeByte();
    char16_t TakeCharacter();
    bool IsSpace(char16_t character) const;
    // Reads one line or token as characters of the file's encoding: bytes for
    // ANSI, UTF-16 units otherwise.
    bool ReadUnits(std::u16string& out, bool token, bool stripComments);
    bool ReadNarrowString(std::string& out, bool token, bool stripComments);
    void PutByte(uint8_t byte);
    void PutCharacter(char16_t character);

    MessageManager* log;
    int32_t mode;
    int32_t encoding;
    std::unique_ptr<FileBinary> file;
    bool endOfFile = false;
    std::vector<uint8_t> buffer;
    int32_t index = -1;
    int32_t count = 0;
    char substitute = '?';
    bool lossy = false;
    bool fresh = true;
    bool hasPushedBack = false;
    char16_t pushedBack = 0;
    size_t lengthLimit = SIZE_MAX;
};

} // namespace ZorvaneEngine
