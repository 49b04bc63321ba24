#pragma once
// The texts the player reads, looked up by key. Text files hold key lines
// "[KEY]", each followed by its text on the next non-empty line; "//" starts a
// comment anywhere, so a text cannot hold "//". Keys are kept in upper case,
// and a key read again, from the same file or a later one, takes the newer
// text. Long texts are split into numbered keys ("HELP_TEXT_0",
// "HELP_TEXT_1", ...) fetched with a line number.
#include <cstdint>
#include <map>
#include <string>

namespace ZorvaneEngine {

class FileManager;
class MessageManager;

class GUITextManager {
public:
    GUITextManager(MessageManager* log, FileManager* files);

    GUITextManager(const GUITextManager&) = delete;
    GUITextManager& operator=(const GUITextManager&) = delete;

    // Adds the texts of "data\" + fileName (an absolute name is used as it
    // is), in ANSI, UTF-8 or UTF-16 by its byte-order mark. A file that cannot
    // be opened or read is logged as an error; the texts read before the
    // failure stay.
    void LoadFile(const std::string& fileName);
    void AddText(const std::string& key, const std::u16string& text);
    // The text of the key, with the line number appended unless it is -1;
    // "UNKNOWN" when no file defined it. Placeholders such as "%COMBO%" come
    // back as they are.
    std::u16string GetText(const std::string& key, int32_t number = -1) const;

private:
    MessageManager* log;
    FileManager* files;
    std::map<std::string, std::u16string> texts;
};

} // namespace ZorvaneEngine
