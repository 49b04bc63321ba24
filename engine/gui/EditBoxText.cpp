#include "engine/gui/EditBoxText.h"

#include <algorithm>
#include <cmath>

namespace ZorvaneEngine {

namespace {

// Characters the view jumps by when the caret runs off either side.
constexpr int32_t kScrollJump = 5;
constexpr float kBlinkPeriod = 0.4f;
constexpr char16_t kSpace = u' ';

} // namespace

EditBoxText::EditBoxText(const EditBoxMeasure* measure, int32_t maxCharacters, float maxWidth,
                         float visibleWidth)
    : measure(measure),
      caretText(1, caretCharacter),
      maxCharacters(std::max(maxCharacters, 1)),
      maxWidth(maxWidth),
      visibleWidth(visibleWidth)
{
}

float EditBoxText::Width(const std::u16string& s) const
{
    return measure ? measure->MeasureText(s) : 0.0f;
}

std::u16string EditBoxText::Slice(int32_t from, int32_t count) const
{
    const int32_t start = std::clamp(from, 0, Length());
    return text.substr(start, std::max(count, 0));
}

int32_t EditBoxText::EndCaret() const
{
    return std::min(Length(), maxCharacters - 1);
}

void EditBoxText::SetText(const std::u16string& newText)
{
    text = newText;
    caret = EndCaret();
    firstVisible = 0;
    ScrollToCaret();
}

void EditBoxText::ScrollToCaret()
{
    while (firstVisible < caret &&
           Width(Slice(firstVisible, caret - firstVisible) + caretText) > visibleWidth) {
        ++firstVisible;
    }
}

bool EditBoxText::CanInsert(char16_t character) const
{
    const std::u16string longer = text + character;
    return static_cast<int32_t>(longer.size()) <= maxCharacters && Width(longer) <= maxWidth;
}

void EditBoxText::MoveCaretLeft()
{
    --caret;
    // Reaching the first visible character scrolls back; so does passing
    // it, which a view narrower than a few characters allows.
    if (caret <= firstVisible) {
        firstVisible -= std::min(firstVisible, kScrollJump);
        ScrollToCaret();
    }
}

void EditBoxText::MoveCaretRight()
{
    const int32_t oldCaret = caret;
    const int32_t oldFirst = firstVisible;
    // The scroll position that shows the end bounds the jump below.
    caret = EndCaret();
    firstVisible = 0;
    ScrollToCaret();
    const int32_t endFirst = firstVisible;

    caret = std::min(oldCaret + 1, maxCharacters - 1);
    // Here the character under the caret counts too.
    const std::u16string shown = Slice(oldFirst, caret - oldFirst + 1) + caretText;
    // The jump never passes the caret either: in a view narrower than the
    // jump the caret would be left out of sight.
    firstVisible = Width(shown) <= visibleWidth
                       ? oldFirst
                       : std::min({oldFirst + kScrollJump, endFirst, caret});
}

bool EditBoxText::HandleKey(uint16_t code, bool isCharacter)
{
    if (isCharacter) {
        const char16_t character = static_cast<char16_t>(code);
        if (character != kSpace && !(measure && measure->HasGlyph(character))) return false;
        if (overwrite && caret < Length()) {
            text[caret] = character;
        } else {
            if (!CanInsert(character)) return false;
            text.insert(text.begin() + std::min(caret, Length()), character);
        }
        MoveCaretRight();
        return true;
    }

    switch (code) {
    case EditKeyInsert:
        overwrite = !overwrite;
        return false;
    case EditKeyDelete:
        if (caret >= Length()) return false;
        text.erase(caret, 1);
        return true;
    case EditKeyBackspace:
        if (caret <= 0) return false;
        if (caret == Length() - 1) {
            // Where the caret rests in a full box: the character under it
            // goes and the caret stays, now at the end.
            text.erase(caret, 1);
        } else {
            text.erase(caret - 1, 1);
            MoveCaretLeft();
        }
        return true;
    case EditKeyLeft:
        if (caret > 0) MoveCaretLeft();
        return false;
    case EditKeyRight:
        if (caret < Length()) MoveCaretRight();
        return false;
    case EditKeyHome:
        caret = 0;
        firstVisible = 0;
        return false;
    case EditKeyEnd:
        caret = EndCaret();
        ScrollToCaret();
        return false;
    default:
        return false;
    }
}

std::u16string EditBoxText::VisibleText() const
{
    const int32_t first = std::min(firstVisible, Length());
    int32_t count = 0;
    while (first + count < Length() &&
           Width(Slice(first, count + 1)) <= visibleWidth) {
        ++count;
    }
    return Slice(first, count);
}

float EditBoxText::CaretOffset() const
{
    const int32_t first = std::min(firstVisible, Length());
    const int32_t end = std::clamp(caret, first, Length());
    return Width(Slice(first, end - first));
}

bool EditBoxText::CaretShown(float seconds)
{
    return static_cast<int64_t>(std::floor(seconds / kBlinkPeriod)) % 2 == 0;
}

} // namespace ZorvaneEngine
