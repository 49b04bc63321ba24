#pragma once
// One text of an XML file (an attribute's value or an element's text) that
// reads itself as a string, an integer, a float, a boolean or a pair of
// integers on demand. The wide text is what the file said; the narrow copy
// is made the first time it is asked for, and from then on the numbers are
// read from it.
#include <cstdint>
#include <string>

namespace GameTools {

class XMLValue {
public:
    // The wide text is current and the narrow copy is stale.
    static constexpr uint32_t KindWide = 1;
    // The narrow copy is current (also the state of an empty value).
    static constexpr uint32_t KindNarrow = 2;

    XMLValue() = default;
    explicit XMLValue(std::u16string text);
    virtual ~XMLValue() = default;

    // Replaces the text; the narrow copy becomes stale.
    void SetWideText(std::u16string text);

    // The narrow copy, rebuilt from the wide text (in the code page) when
    // stale.
    const std::string& AsString();
    // Leading white space, an optional sign and the digits up to the first
    // other character; no digits give 0, a number out of range the nearest
    // 32-bit value.
    int32_t AsInt() const;
    // A decimal number with a point, whatever the process locale.
    float AsFloat() const;
    // AsInt is not 0: "1" and "2" are true, "0" and "true" false.
    bool AsBool() const;
    // The first two runs of letters, digits, "+", "-" and "." read as
    // integers; a slot without a run keeps the caller's value. "3, 5"
    // gives 3 and 5; in "4x4" the letter belongs to the run, so only the
    // first slot is set.
    void AsIntPair(int32_t& first, int32_t& second) const;

    uint32_t GetKind() const { return kind; }
    const std::u16string& GetWideText() const { return wide; }

private:
    uint32_t kind = KindNarrow;
    std::string narrow;
    std::u16string wide;
};

} // namespace GameTools
