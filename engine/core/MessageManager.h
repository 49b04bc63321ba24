#pragma once
// The program's log: an HTML file written as messages arrive, plus the list of
// the messages of the current frame for the console. Safe to call from the
// loading thread and the main thread at once.
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace Platform { class File; }

namespace ZorvaneEngine {

struct LogMessage {
    int32_t level = 0;  // 0 message, 1 warning, 2 error, 3 fatal
    std::string text;   // as written, before "\n" becomes "<BR>"
};

class MessageManager {
public:
    MessageManager(const std::string& folder, const std::string& name, const std::string& title,
                   bool logToFile, bool reopen);
    virtual ~MessageManager();

    void Message(const std::string& text);
    void Warning(const std::string& text);
    void Error(const std::string& text);
    [[noreturn]] void Fatal(const std::string& text);
    void Write(int32_t level, const std::string& text);

    // The messages written since the last ClearFrameMessages.
    std::vector<LogMessage> GetFrameMessages() const;
    void ClearFrameMessages();

    const std::string& GetPath() const { return path; }

    // Cleared by callers around a group of lines that must not get the extra
    // line breaks (the pack reader's "......" and the error after it).
    bool spacing = true;

    static std::string ColorToHtml(float r, float g, float b);

private:
    void WriteHtml(const std::string& text);
    void OpenFile(bool append);
    void CloseFile();

    std::string title;
    bool logToFile;
    bool reopen;
    std::string path;
    std::unique_ptr<Platform::File> file;
    std::vector<LogMessage> frameMessages;
    mutable std::mutex mutex;
};

} // namespace ZorvaneEngine
