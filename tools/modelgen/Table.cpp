#include "tools/modelgen/Table.h"

#include <cctype>
#include <cstdlib>
#include <sstream>

namespace ModelGen {

namespace {

std::vector<std::string> Words(const std::string& line) {
    std::vector<std::string> words;
    std::istringstream in(line);
    std::string word;
    while (in >> word) {
        if (word[0] == '#') break;
        words.push_back(word);
    }
    return words;
}

bool ParseFloat(const std::string& text, float& out) {
    if (text.empty()) return false;
    char* end = nullptr;
    out = std::strtof(text.c_str(), &end);
    return end != nullptr && *end == '\0';
}

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

} // namespace

std::string Entry::Where() const {
    return "line " + std::to_string(line) + " (" + name + ")";
}

std::string Entry::Text(const std::string& key) const {
    const auto found = options.find(key);
    if (found == options.end()) throw TableError(Where() + ": needs " + key + "=...");
    return found->second;
}

std::string Entry::Text(const std::string& key, const std::string& fallback) const {
    const auto found = options.find(key);
    return found == options.end() ? fallback : found->second;
}

float Entry::Number(const std::string& key, float fallback) const {
    const auto found = options.find(key);
    if (found == options.end()) return fallback;
    float value = 0.0f;
    if (!ParseFloat(found->second, value)) throw TableError(Where() + ": " + key + " is not a number");
    return value;
}

int Entry::Integer(const std::string& key, int fallback) const {
    const float value = Number(key, static_cast<float>(fallback));
    if (value != static_cast<float>(static_cast<int>(value))) throw TableError(Where() + ": " + key + " is not a whole number");
    return static_cast<int>(value);
}

std::vector<Entry> ParseTable(std::string_view text) {
    std::vector<Entry> entries;
    std::string folder;
    std::istringstream in{std::string(text)};
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        const std::vector<std::string> words = Words(line);
        if (words.empty()) continue;
        const std::string where = "line " + std::to_string(number);
        if (words[0] == "folder") {
            if (words.size() != 2) throw TableError(where + ": folder takes one path");
            folder = Lower(words[1]);
            continue;
        }
        Entry entry;
        entry.line = number;
        entry.folder = folder;
        size_t next = 2;
        if (words[0] == "model") {
            entry.kind = Entry::Kind::Model;
            if (words.size() < 6) throw TableError(where + ": model NAME X0 Y0 X1 Y1 [options]");
            float v[4];
            for (int i = 0; i < 4; ++i) {
                if (!ParseFloat(words[2 + i], v[i])) throw TableError(where + ": the box is four numbers");
            }
            entry.box = {v[0], v[1], v[2], v[3]};
            if (!(entry.box.x1 > entry.box.x0 && entry.box.y1 > entry.box.y0)) {
                throw TableError(where + ": the box is empty");
            }
            next = 6;
        } else if (words[0] == "particles") {
            entry.kind = Entry::Kind::Particles;
            if (words.size() < 2) throw TableError(where + ": particles NAME [options]");
        } else {
            throw TableError(where + ": unknown statement " + words[0]);
        }
        if (folder.empty()) throw TableError(where + ": no folder given yet");
        entry.name = Lower(words[1]);
        for (size_t i = next; i < words.size(); ++i) {
            const size_t equals = words[i].find('=');
            if (equals == std::string::npos || equals == 0) {
                throw TableError(where + ": options are name=value, not " + words[i]);
            }
            entry.options[words[i].substr(0, equals)] = words[i].substr(equals + 1);
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

} // namespace ModelGen
