#include "engine/core/MessageManager.h"

#include <cstdio>
#include <ctime>

#include "engine/core/Error.h"
#include "engine/core/MathTypes.h"
#include "engine/core/Paths.h"
#include "engine/core/TextUtils.h"
#include "platform/system/FileSystem.h"

namespace ZorvaneEngine {

namespace {

const float kWhite[3] = {1.0f, 1.0f, 1.0f};
const float kGrey[3] = {0.5f, 0.5f, 0.5f};
const float kRed[3] = {1.0f, 0.0f, 0.0f};

std::string OpenFont(const float* color)
{
    return "<FONT color=\"" + MessageManager::ColorToHtml(color[0], color[1], color[2]) + "\">";
}

// The ctime form with a zero-padded day, in local time.
std::string CurrentDate()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char buffer[64];
    const size_t length = std::strftime(buffer, sizeof buffer, "%a %b %d %H:%M:%S %Y", &local);
    return std::string(buffer, length);
}

} // namespace

MessageManager::MessageManager(const std::string& folder, const std::string& name, const std::string& title,
                               bool logToFile, bool reopen)
    : title(title), logToFile(logToFile), reopen(reopen)
{
    if (!logToFile) return;

    const std::string fileName = (name.empty() ? title : name) + ".html";
    if (folder.empty())
        path = GetApplicationFolder() + "\\" + fileName;
    else if (Platform::IsAbsolutePath(folder))
        path = folder + "\\" + fileName;
    else
        path = GetApplicationFolder() + "\\" + folder + "\\" + fileName;

    // The folder is not created: on the very first run the user folder does
    // not exist yet and that run has no log file.
    file = Platform::File::Open(path, Platform::File::Mode::Overwrite);
    if (!file) {
        // Any other failure (a folder that may not be written) would leave
        // no trace at all: it is told where a person starting the program
        // sees it.
        if (Platform::IsFolder(GetFileFolder(path))) {
            std::fprintf(stderr, "%s: the log cannot be written to \"%s\"\n", title.c_str(),
                         Platform::ToNativePath(path).c_str());
            std::fflush(stderr);
        }
        return;
    }

    const float black[3] = {0.0f, 0.0f, 0.0f};
    const float green[3] = {0.0f, 1.0f, 0.0f};
    // The first white element stays open until the footer closes it.
    WriteHtml("<HTML><HEAD><TITLE>" + title + " Log</TITLE></HEAD><BODY bgcolor=\"" +
              ColorToHtml(black[0], black[1], black[2]) + "\">" + OpenFont(kWhite) + OpenFont(kWhite) +
              "======== </FONT>" + OpenFont(green) + title + " Log: " + CurrentDate() + "</FONT>" +
              OpenFont(kWhite) + " ========\n\n</FONT>");
    file->Flush();
    if (reopen) CloseFile();
}

MessageManager::~MessageManager()
{
    std::lock_guard<std::mutex> lock(mutex);
    if (!logToFile) return;
    if (reopen) OpenFile(true);
    if (!file) return;
    const float green[3] = {0.0f, 1.0f, 0.0f};
    WriteHtml(OpenFont(kWhite) + "\n======== </FONT>" + OpenFont(green) + title + " Log end: " + CurrentDate() +
              "</FONT>" + OpenFont(kWhite) + " ========\n</FONT></FONT></BODY></HTML>");
    CloseFile();
}

void MessageManager::Message(const std::string& text)
{
    Write(0, spacing ? text + "\n" : text);
}

void MessageManager::Warning(const std::string& text)
{
    Write(1, (spacing ? "\nWarning: " : "Warning: ") + text + (spacing ? "!\n\n" : "!\n"));
}

void MessageManager::Error(const std::string& text)
{
    Write(2, (spacing ? "\nError: " : "Error: ") + text + (spacing ? "!\n\n" : "!\n"));
}

void MessageManager::Fatal(const std::string& text)
{
    Write(3, "PROGRAM ABORTING: " + text + "\n");
    throw FatalError(text);
}

void MessageManager::Write(int32_t level, const std::string& text)
{
    std::lock_guard<std::mutex> lock(mutex);
    if (logToFile) {
        const float* color = kWhite;
        if (level == 1) color = kGrey;
        else if (level == 2 || level == 3) color = kRed;

        if (reopen) OpenFile(true);
        if (file) {
            if (RGBColorsDiffer(color, kWhite))
                WriteHtml(OpenFont(color) + text + "</FONT>");
            else
                WriteHtml(text);
            // Flushed every time so that a crash keeps the lines before it.
            file->Flush();
        }
        if (reopen) CloseFile();
    }
    frameMessages.push_back(LogMessage{level, text});
}

std::vector<LogMessage> MessageManager::GetFrameMessages() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return frameMessages;
}

void MessageManager::ClearFrameMessages()
{
    std::lock_guard<std::mutex> lock(mutex);
    frameMessages.clear();
}

std::string MessageManager::ColorToHtml(float r, float g, float b)
{
    // Each channel in as few hex digits as it takes: black is "#000".
    std::string result = "#";
    for (float channel : {r, g, b}) {
        char digits[16];
        // Truncated toward zero; out of range (never met in use) prints 0.
        const double scaled = channel * 255.0;
        const int value = (scaled > -2147483648.0 && scaled < 2147483648.0) ? static_cast<int>(scaled) : 0;
        std::snprintf(digits, sizeof digits, "%X", static_cast<unsigned>(value));
        result += digits;
    }
    return result;
}

void MessageManager::WriteHtml(const std::string& text)
{
    if (!file) return;
    std::string html;
    html.reserve(text.size());
    for (char c : text) {
        if (c == '\n')
            html += "<BR>";
        else
            html += c;
    }
    file->Write(html.data(), html.size());
}

void MessageManager::OpenFile(bool append)
{
    file = Platform::File::Open(path, append ? Platform::File::Mode::Append : Platform::File::Mode::Overwrite);
}

void MessageManager::CloseFile()
{
    if (!file) return;
    file->Close();
    file.reset();
}

} // namespace ZorvaneEngine
