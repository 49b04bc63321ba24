#include "engine/core/TextUtils.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "engine/core/CodePage.h"

namespace ZorvaneEngine {

namespace {

// Wide units below 256 fold through the byte table of the active page, as the
// single-byte tolower does; larger units (Cyrillic among them) stay.
char16_t WideToLower(char16_t unit)
{
    return unit < 256 ? static_cast<char16_t>(CodePageToLower(static_cast<uint8_t>(unit))) : unit;
}

bool IsNarrowSpace(char c)
{
    return CodePageIsSpace(static_cast<uint8_t>(c));
}

// The matches are found in source (text itself, or a copy of it with the
// same positions) and the result is built anew: replacing
// in place moves the whole rest of the text at every match, which made a
// long line of blanks cost time in the square of its length.
template <typename Text>
void ReplaceMatches(Text& text, const Text& source, const Text& pattern, const Text& replacement)
{
    size_t position = source.find(pattern);
    if (position == Text::npos) return;
    Text result;
    result.reserve(text.size());
    size_t kept = 0;
    while (position != Text::npos) {
        result.append(text, kept, position - kept);
        result += replacement;
        kept = position + pattern.size();
        position = source.find(pattern, kept);
    }
    result.append(text, kept, Text::npos);
    text = std::move(result);
}

template <typename Text>
void ReplaceAllImpl(Text& text, const Text& pattern, const Text& replacement)
{
    if (pattern.empty()) return;
    ReplaceMatches(text, text, pattern, replacement);
}

template <typename Text, typename IsSpace>
void TrimLeftImpl(Text& text, IsSpace isSpace)
{
    size_t count = 0;
    while (count < text.size() && isSpace(text[count])) ++count;
    text.erase(0, count);
}

template <typename Text, typename IsSpace>
void TrimRightImpl(Text& text, IsSpace isSpace)
{
    size_t end = text.size();
    while (end > 0 && isSpace(text[end - 1])) --end;
    text.erase(end);
}

// The results fit the 64-character buffer the formats were made for: a
// precision beyond it is clamped and a longer result is cut at 63 characters.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* format, ...)
{
    char buffer[64];
    va_list arguments;
    va_start(arguments, format);
    int length = std::vsnprintf(buffer, sizeof buffer, format, arguments);
    va_end(arguments);
    if (length < 0) return std::string();
    return std::string(buffer, std::min<size_t>(static_cast<size_t>(length), sizeof buffer - 1));
}

// Digits, signs and points are ASCII, so widening is unit by unit.
std::u16string WidenAscii(const std::string& text)
{
    return std::u16string(text.begin(), text.end());
}

int Precision(unsigned width)
{
    return width > 63 ? 63 : static_cast<int>(width);
}

} // namespace

void ToLowerCaseInPlace(std::string& text)
{
    for (char& c : text) c = static_cast<char>(CodePageToLower(static_cast<uint8_t>(c)));
}

void ToLowerCaseInPlace(std::u16string& text)
{
    for (char16_t& unit : text) unit = WideToLower(unit);
}

std::string ToLowerCase(const std::string& text)
{
    std::string result = text;
    ToLowerCaseInPlace(result);
    return result;
}

std::u16string ToLowerCase(const std::u16string& text)
{
    std::u16string result = text;
    ToLowerCaseInPlace(result);
    return result;
}

void ToUpperCaseInPlace(std::string& text)
{
    for (char& c : text) c = static_cast<char>(CodePageToUpper(static_cast<uint8_t>(c)));
}

std::string ToUpperCase(const std::string& text)
{
    std::string result = text;
    ToUpperCaseInPlace(result);
    return result;
}

void TrimLeft(std::string& text) { TrimLeftImpl(text, IsNarrowSpace); }
void TrimLeft(std::u16string& text) { TrimLeftImpl(text, IsWideSpace); }
void TrimRight(std::string& text) { TrimRightImpl(text, IsNarrowSpace); }
void TrimRight(std::u16string& text) { TrimRightImpl(text, IsWideSpace); }

std::string TrimRightCopy(const std::string& text)
{
    std::string result = text;
    TrimRight(result);
    return result;
}

std::u16string TrimRightCopy(const std::u16string& text)
{
    std::u16string result = text;
    TrimRight(result);
    return result;
}

std::u16string TrimLeftCopy(const std::u16string& text)
{
    std::u16string result = text;
    TrimLeft(result);
    return result;
}

std::u16string Trim(const std::u16string& text)
{
    return TrimLeftCopy(TrimRightCopy(text));
}

void StripLeadingBackslashes(std::string& text)
{
    size_t count = 0;
    while (count < text.size() && text[count] == '\\') ++count;
    text.erase(0, count);
}

void ReplaceAll(std::string& text, const std::string& pattern, const std::string& replacement)
{
    ReplaceAllImpl(text, pattern, replacement);
}

void ReplaceAll(std::u16string& text, const std::u16string& pattern, const std::u16string& replacement)
{
    ReplaceAllImpl(text, pattern, replacement);
}

std::u16string ReplaceAllInCopy(const std::u16string& text, const std::u16string& pattern,
                                const std::u16string& replacement)
{
    std::u16string result = text;
    ReplaceAll(result, pattern, replacement);
    return result;
}

std::u16string RemoveAllInCopy(const std::u16string& text, const std::u16string& pattern)
{
    return ReplaceAllInCopy(text, pattern, std::u16string());
}

void ReplaceAllNoCase(std::u16string& text, const std::u16string& pattern,
                      const std::u16string& replacement)
{
    if (pattern.empty()) return;
    // Folding is unit by unit, so positions in the folded copy are positions
    // in the text.
    ReplaceMatches(text, ToLowerCase(text), ToLowerCase(pattern), replacement);
}

std::string IntToText(int32_t value, unsigned width)
{
    if (width == 0) return Format("%i", value);
    return Format("%.*i", Precision(width), value);
}

std::u16string IntToWideText(int32_t value, unsigned width)
{
    return WidenAscii(IntToText(value, width));
}

std::string UIntToText(uint32_t value, unsigned width)
{
    if (width == 0) return Format("%u", value);
    return Format("%.*u", Precision(width), value);
}

std::u16string UIntToWideText(uint32_t value, unsigned width)
{
    return WidenAscii(UIntToText(value, width));
}

std::string FloatToText(float value, unsigned decimals)
{
    return Format("%.*f", Precision(decimals), static_cast<double>(value));
}

std::string HexToText(uint32_t value)
{
    return Format("%.8X", value);
}

std::string BoolToText(bool value)
{
    return value ? "1" : "0";
}

bool TextToBool(const std::string& text)
{
    return TextToInt(text) != 0;
}

int32_t TextToInt(const std::string& text)
{
    // strtoll saturates where atoi's overflow is undefined.
    const long long value = std::strtoll(text.c_str(), nullptr, 10);
    return static_cast<int32_t>(std::clamp<long long>(value, INT32_MIN, INT32_MAX));
}

float TextToFloat(const std::string& text)
{
    const float value = std::strtof(text.c_str(), nullptr);
    return std::isnan(value) ? value : std::clamp(value, -FLT_MAX, FLT_MAX);
}

std::string ToNarrow(const std::u16string& text)
{
    std::string result;
    ConvertToNarrow(text, result);
    return result;
}

void ConvertToNarrow(const std::u16string& text, std::string& out)
{
    out.clear();
    for (char16_t unit : text) {
        if (unit == 0) break;
        uint8_t byte = 0;
        if (CodePageFromWide(unit, byte)) out.push_back(static_cast<char>(byte));
    }
}

std::u16string ToWide(const std::string& text)
{
    std::u16string result;
    ConvertToWide(text, result);
    return result;
}

void ConvertToWide(const std::string& text, std::u16string& out)
{
    out.clear();
    for (char c : text) {
        if (c == 0) break;
        out.push_back(CodePageToWide(static_cast<uint8_t>(c)));
    }
}

std::string WideToUtf8(const std::u16string& text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        uint32_t code = text[i];
        if (code >= 0xD800 && code <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            code = 0x10000 + ((code - 0xD800) << 10) + (text[i + 1] - 0xDC00u);
            ++i;
        } else if (code >= 0xD800 && code <= 0xDFFF) {
            code = 0xFFFD;  // a lone surrogate has no UTF-8 form
        }
        if (code < 0x80) {
            out.push_back(static_cast<char>(code));
        } else if (code < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (code >> 6)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else if (code < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (code >> 12)));
            out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (code >> 18)));
            out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        }
    }
    return out;
}

std::u16string Utf8ToWide(const std::string& text)
{
    std::u16string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        const uint8_t lead = static_cast<uint8_t>(text[i]);
        size_t length = 0;
        uint32_t code = 0;
        uint32_t minimum = 0;
        if (lead < 0x80) {
            length = 1, code = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2, code = lead & 0x1F, minimum = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3, code = lead & 0x0F, minimum = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4, code = lead & 0x07, minimum = 0x10000;
        }
        bool valid = length > 0 && i + length <= text.size();
        for (size_t k = 1; valid && k < length; ++k) {
            const uint8_t next = static_cast<uint8_t>(text[i + k]);
            if ((next & 0xC0) != 0x80) valid = false;
            code = (code << 6) | (next & 0x3F);
        }
        if (valid && (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)))
            valid = false;
        if (!valid) {
            // One replacement character per bad byte; resynchronise on the next.
            out.push_back(u'\xFFFD');
            ++i;
            continue;
        }
        if (code >= 0x10000) {
            code -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(code));
        }
        i += length;
    }
    return out;
}

} // namespace ZorvaneEngine
