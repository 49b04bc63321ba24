#pragma once
// The editing logic of a single-line edit box, apart from its window: the
// text, the caret, the first drawn character, the limits by character count
// and drawn width, and the editing keys. Widths come from the box's font
// through EditBoxMeasure, so the logic runs with any font (or a stand-in).
#include <cstdint>
#include <string>

namespace ZorvaneEngine {

class EditBoxMeasure {
public:
    virtual ~EditBoxMeasure() = default;
    // Drawn width of the text in GUI units.
    virtual float MeasureText(const std::u16string& text) const = 0;
    virtual bool HasGlyph(char16_t character) const = 0;
};

// Virtual-key codes the edit box reacts to.
enum EditBoxKey : uint16_t {
    EditKeyBackspace = 0x08,
    EditKeyEnd = 0x23,
    EditKeyHome = 0x24,
    EditKeyLeft = 0x25,
    EditKeyRight = 0x27,
    EditKeyInsert = 0x2D,
    EditKeyDelete = 0x2E,
};

class EditBoxText {
public:
    // A limit below one character is taken as one: the caret rests at
    // maxCharacters - 1 and must stay an index.
    EditBoxText(const EditBoxMeasure* measure, int32_t maxCharacters, float maxWidth,
                float visibleWidth);

    // Replaces the text; the caret goes to its end (or the last place a
    // full box allows) with the end in view.
    void SetText(const std::u16string& newText);
    // Scrolls right until the text up to the caret, with the caret drawn
    // after it, fits the visible width. Stops at the caret when even the
    // caret alone is wider.
    void ScrollToCaret();
    // The character appended would keep both limits.
    bool CanInsert(char16_t character) const;
    // One key event: a typed UTF-16 unit when isCharacter, else a
    // virtual-key code. Returns whether the text changed; a character that
    // cannot be drawn or does not fit changes nothing.
    bool HandleKey(uint16_t code, bool isCharacter);

    // The longest run from the first visible character that fits the
    // visible width: what is drawn.
    std::u16string VisibleText() const;
    // Where the caret is drawn, from the start of the visible text.
    float CaretOffset() const;
    // The caret blinks 0.4 s on, 0.4 s off, on at time 0.
    static bool CaretShown(float seconds);

    const EditBoxMeasure* measure;
    char16_t caretCharacter = u'_';
    std::u16string caretText;
    int32_t maxCharacters;
    float maxWidth;
    float visibleWidth;
    // Typed characters replace the one at the caret instead of going in
    // before it.
    bool overwrite = false;
    int32_t caret = 0;
    int32_t firstVisible = 0;
    std::u16string text;

private:
    float Width(const std::u16string& s) const;
    // A substring that is empty, never an exception, out of range.
    std::u16string Slice(int32_t from, int32_t count) const;
    int32_t Length() const { return static_cast<int32_t>(text.size()); }
    // Where the caret rests at the end: after the text, or on the last
    // character of a full box.
    int32_t EndCaret() const;
    void MoveCaretLeft();
    void MoveCaretRight();
};

} // namespace ZorvaneEngine
