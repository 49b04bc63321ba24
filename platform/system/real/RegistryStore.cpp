#include "platform/system/real/RegistryStore.h"

#include "platform/system/AsciiCase.h"
#include "platform/system/FileSystem.h"

#include <cstdlib>
#include <string_view>
#include <vector>

namespace Platform {

namespace {

std::string_view Trim(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// Follows the sections of a file line by line; true once the value is found.
class Reader {
public:
    Reader(const std::string& key, const std::string& valueName) : key_(key), valueName_(valueName) {}

    bool Line(std::string_view line, std::string& value) {
        line = Trim(line);
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            inKey_ = EqualsIgnoringCase(Trim(line.substr(1, line.size() - 2)), key_);
            return false;
        }
        const size_t equals = line.find('=');
        if (!inKey_ || equals == std::string_view::npos ||
            !EqualsIgnoringCase(Trim(line.substr(0, equals)), valueName_)) {
            return false;
        }
        value = Trim(line.substr(equals + 1));
        return true;
    }

private:
    std::string_view key_;
    std::string_view valueName_;
    bool inKey_ = false;
};

} // namespace

bool ReadRegistryFile(const std::string& path, const std::string& key,
                      const std::string& valueName, std::string& value) {
    std::unique_ptr<File> file = File::Open(path, File::Mode::Read);
    if (!file) {
        return false;
    }
    Reader reader(key, valueName);
    // Read in pieces: only the line being looked at is kept. Only the bytes
    // of the last piece are searched for a line end, so a long line costs
    // its length rather than its length times the number of pieces.
    std::string pending;
    char buffer[4096];
    for (;;) {
        const size_t count = file->Read(buffer, sizeof buffer);
        if (count == 0) {
            break;
        }
        size_t searched = pending.size();
        pending.append(buffer, count);
        size_t start = 0;
        for (size_t end; (end = pending.find('\n', searched)) != std::string::npos; start = searched = end + 1) {
            if (reader.Line(std::string_view(pending).substr(start, end - start), value)) {
                return true;
            }
        }
        pending.erase(0, start);
    }
    return reader.Line(pending, value);
}

std::string UserRegistryFile(const std::string& key) {
    std::vector<std::string_view> components;
    std::string_view rest(key);
    while (!rest.empty()) {
        const size_t slash = rest.find('\\');
        const std::string_view component = rest.substr(0, slash);
        if (!component.empty()) {
            components.push_back(component);
        }
        rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
    }
    if (components.empty()) {
        return {};
    }

    std::string folder;
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && *config != '\0') {
        folder = config;
    } else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        folder = std::string(home) + "/.config";
    } else {
        return {};
    }
    const size_t first = components.size() >= 2 ? components.size() - 2 : 0;
    for (size_t i = first; i < components.size(); ++i) {
        folder += '/';
        folder += components[i];
    }
    return folder + "/registry.ini";
}

} // namespace Platform
