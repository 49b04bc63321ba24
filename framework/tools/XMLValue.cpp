#include "framework/tools/XMLValue.h"

#include <cerrno>
#include <cstdlib>
#include <limits>

#include "engine/core/TextUtils.h"

namespace GameTools {

namespace {

bool IsBlank(uint32_t c)
{
    return c == ' ' || (c >= 0x09 && c <= 0x0D);
}

template <typename Text>
int32_t ReadInt(const Text& text)
{
    size_t i = 0;
    while (i < text.size() && IsBlank(static_cast<uint32_t>(text[i]))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Accumulated as a negative number so that the smallest int32 fits;
    // a longer run of digits stays at the limit.
    constexpr int64_t limit = -static_cast<int64_t>(std::numeric_limits<int32_t>::min());
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (value <= limit) value = value * 10 + (text[i] - '0');
    }
    if (negative) return value >= limit ? std::numeric_limits<int32_t>::min() : static_cast<int32_t>(-value);
    return value > std::numeric_limits<int32_t>::max() ? std::numeric_limits<int32_t>::max()
                                                        : static_cast<int32_t>(value);
}

// Letters and digits of the languages the game is written in: ASCII, the
// Latin-1 letters, and from U+0100 on every unit outside the blocks of
// punctuation, symbols and spaces. Decided here rather than by the process
// locale, so every machine splits a pair the same way.
bool IsLetterOrDigit(uint32_t c)
{
    if (c < 0x80) return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    if (c < 0x100) return c == 0xAA || c == 0xB5 || c == 0xBA || (c >= 0xC0 && c != 0xD7 && c != 0xF7);
    return !(c >= 0x2000 && c <= 0x2BFF) && !(c >= 0x3000 && c <= 0x303F) &&
           !(c >= 0xFE30 && c <= 0xFE4F) && !(c >= 0xFF00 && c <= 0xFF20) && c != 0xFEFF &&
           c != 0xFFFE && c != 0xFFFF;
}

template <typename Text>
void ReadIntPair(const Text& text, int32_t& first, int32_t& second)
{
    int32_t* slot = &first;
    Text token;
    // A slot takes the reading of its whole run, once the run ends; reading
    // after every character would give the same value at quadratic cost.
    for (const auto unit : text) {
        const uint32_t c = static_cast<uint32_t>(static_cast<std::make_unsigned_t<decltype(unit)>>(unit));
        if (IsLetterOrDigit(c) || c == '+' || c == '-' || c == '.') {
            token.push_back(unit);
            continue;
        }
        if (token.empty()) continue;
        *slot = ReadInt(token);
        token.clear();
        if (slot == &second) return;
        slot = &second;
    }
    if (!token.empty()) *slot = ReadInt(token);
}

} // namespace

XMLValue::XMLValue(std::u16string text) : kind(KindWide), wide(std::move(text)) {}

void XMLValue::SetWideText(std::u16string text)
{
    wide = std::move(text);
    kind = KindWide;
}

const std::string& XMLValue::AsString()
{
    if (kind == KindWide) {
        ZorvaneEngine::ConvertToNarrow(wide, narrow);
        kind = KindNarrow;
    }
    return narrow;
}

int32_t XMLValue::AsInt() const
{
    return kind == KindWide ? ReadInt(wide) : ReadInt(narrow);
}

float XMLValue::AsFloat() const
{
    // strtof reads the C locale's number form, which the program never
    // changes: the decimal separator is always a point.
    const std::string text = kind == KindWide ? ZorvaneEngine::ToNarrow(wide) : narrow;
    return std::strtof(text.c_str(), nullptr);
}

bool XMLValue::AsBool() const
{
    return AsInt() != 0;
}

void XMLValue::AsIntPair(int32_t& first, int32_t& second) const
{
    if (kind == KindWide)
        ReadIntPair(wide, first, second);
    else
        ReadIntPair(narrow, first, second);
}

} // namespace GameTools
