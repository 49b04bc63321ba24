#include "engine/core/CodePage.h"

#include <atomic>

#include "engine/core/CodePageTables.h"

namespace ZorvaneEngine {

namespace {

std::atomic<CodePageId> activePage{CodePageId::Identity};

// Null for the identity page.
const CodePageTables::Table* ActiveTable()
{
    switch (activePage.load(std::memory_order_relaxed)) {
    case CodePageId::Windows1250: return &CodePageTables::kWindows1250;
    case CodePageId::Windows1251: return &CodePageTables::kWindows1251;
    case CodePageId::Windows1252: return &CodePageTables::kWindows1252;
    default: return nullptr;
    }
}

} // namespace

void SetActiveCodePage(CodePageId page)
{
    activePage.store(page, std::memory_order_relaxed);
}

CodePageId GetActiveCodePage()
{
    return activePage.load(std::memory_order_relaxed);
}

char16_t CodePageToWide(uint8_t byte)
{
    const CodePageTables::Table* table = ActiveTable();
    return table ? table->wide[byte] : static_cast<char16_t>(byte);
}

bool CodePageFromWide(char16_t unit, uint8_t& byte)
{
    const CodePageTables::Table* table = ActiveTable();
    if (!table) {
        if (unit > 0xFF) return false;
        byte = static_cast<uint8_t>(unit);
        return true;
    }
    // Every page keeps ASCII in place; only the upper half needs a search.
    if (unit < 0x80) {
        byte = static_cast<uint8_t>(unit);
        return true;
    }
    for (int i = 0x80; i < 0x100; ++i) {
        if (table->wide[i] == unit) {
            byte = static_cast<uint8_t>(i);
            return true;
        }
    }
    return false;
}

// The identity page is the "C" locale: only A-Z and a-z have a case there.
uint8_t CodePageToLower(uint8_t byte)
{
    const CodePageTables::Table* table = ActiveTable();
    if (table) return table->lower[byte];
    return (byte >= 'A' && byte <= 'Z') ? static_cast<uint8_t>(byte + 32) : byte;
}

uint8_t CodePageToUpper(uint8_t byte)
{
    const CodePageTables::Table* table = ActiveTable();
    if (table) return table->upper[byte];
    return (byte >= 'a' && byte <= 'z') ? static_cast<uint8_t>(byte - 32) : byte;
}

// No page has a space character outside ASCII except the no-break space,
// which is left out (see IsWideSpace), so one rule serves every page.
bool CodePageIsSpace(uint8_t byte)
{
    return byte == ' ' || (byte >= 0x09 && byte <= 0x0D);
}

// The no-break space (U+00A0) is not white space: texts use it on purpose to
// hold words together, and trimming must keep it, in wide and narrow text
// alike.
bool IsWideSpace(char16_t unit)
{
    return unit == u' ' || (unit >= 0x09 && unit <= 0x0D);
}

} // namespace ZorvaneEngine
