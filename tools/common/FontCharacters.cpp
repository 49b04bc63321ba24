#include "tools/common/FontCharacters.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

namespace Tools {

namespace {

// Bytes 0x80 to 0x9F of code page 1252 that are characters (the other five
// are undefined there).
constexpr char16_t Windows1252Extras[] = {
    0x20AC, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x017D, 0x2018,
    0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x017E, 0x0178,
};

bool ParseCodePoint(const std::string& text, uint32_t& value) {
    std::string digits = text;
    if (digits.size() > 2 && (digits[0] == 'U' || digits[0] == 'u') && digits[1] == '+') {
        digits = digits.substr(2);
    }
    if (digits.empty() || digits.size() > 6) {
        return false;
    }
    value = 0;
    for (const char c : digits) {
        if (!std::isxdigit(static_cast<unsigned char>(c))) {
            return false;
        }
        value = value * 16 + static_cast<uint32_t>(std::isdigit(static_cast<unsigned char>(c))
                                                       ? c - '0'
                                                       : std::tolower(static_cast<unsigned char>(c)) - 'a' + 10);
    }
    return true;
}

} // namespace

std::vector<char16_t> DefaultFontCharacters() {
    std::vector<char16_t> codes;
    for (char16_t code = 0x20; code <= 0x7E; ++code) {
        codes.push_back(code);
    }
    for (char16_t code = 0xA0; code <= 0xFF; ++code) {
        codes.push_back(code);
    }
    codes.insert(codes.end(), std::begin(Windows1252Extras), std::end(Windows1252Extras));
    std::sort(codes.begin(), codes.end());
    return codes;
}

bool ParseCodePointList(const std::string& text, std::vector<char16_t>& codes, std::string& error) {
    codes.clear();
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(',', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        const std::string item = text.substr(start, end - start);
        const size_t dash = item.find('-');
        uint32_t first = 0;
        uint32_t last = 0;
        const bool parsed = dash == std::string::npos
                                ? ParseCodePoint(item, first) && ParseCodePoint(item, last)
                                : ParseCodePoint(item.substr(0, dash), first) &&
                                      ParseCodePoint(item.substr(dash + 1), last);
        if (!parsed || first > last) {
            error = "not a code point or range: \"" + item + "\"";
            return false;
        }
        if (last > 0xFFFF) {
            error = "beyond U+FFFF: \"" + item + "\"";
            return false;
        }
        for (uint32_t code = first; code <= last; ++code) {
            codes.push_back(static_cast<char16_t>(code));
        }
        start = end + 1;
    }
    std::sort(codes.begin(), codes.end());
    codes.erase(std::unique(codes.begin(), codes.end()), codes.end());
    return true;
}

} // namespace Tools
