// Text tables, font lists and the registry's store: plain text in the
// encodings the readers detect.
#include <string>

#include "fuzz/seeds/Seeds.h"
#include "tools/common/FontListWriter.h"

namespace {

// UTF-16 of a text of ASCII and Latin-1 bytes, with its byte-order mark.
std::string Utf16(const std::string& text, bool bigEndian)
{
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char c : text) {
        out += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
    }
    return out;
}

} // namespace

TANGROVE_FUZZ_SEEDS(text)
{
    const std::string table =
        "// texts of the menus\r\n"
        "[TITLE]\r\n"
        "Tangrove\r\n"
        "\r\n"
        "[HELP_TEXT_0]\r\n"
        "   Drop the pieces  // not this\r\n"
        "[HELP_TEXT_1]\r\n"
        "[NOT_A_KEY]\r\n"
        "[]\r\n"
        "[last]\n"
        "%PROFILE_NAME% has %COMBO% points";
    seeds.Add("ansi.txt", table);
    seeds.Add("utf8.txt", "\xEF\xBB\xBF[TITLE]\n\xC3\x84pfel \xE2\x82\xAC\n");
    seeds.Add("utf16le.txt", Utf16(table, false));
    seeds.Add("utf16be.txt", Utf16(table, true));
}

TANGROVE_FUZZ_SEEDS(fontlist)
{
    Tools::FontListEntry existing{"ui\\fonts\\ge_00.fnt", "ui\\fonts\\ge_00.tga", "32bit", 12.0f, 0.3f, 1.0f,
                                  false, false};
    Tools::FontListEntry styled{"ui\\fonts\\ge_01.fnt", "ui\\fonts\\ge_01.tga", "ui\\fonts\\ge_01a.tga", 18.5f,
                                0.25f, 1.2f, true, true};
    seeds.Add("two.ini", "// fonts of the german texts\n" + Tools::BuildFontList(1, {existing, styled}));
    seeds.Add("short.ini", std::string("3 0\nui\\fonts\\ge_00.fnt x.tga\n"));
}

TANGROVE_FUZZ_SEEDS(registry)
{
    const std::string store =
        "[SOFTWARE\\Quobin Games\\Other]\n"
        "Version=1\n"
        "\n"
        "  [ software\\quobin games\\tangrove ]  \r\n"
        "Path = /opt/tangrove\r\n"
        "  version  =  103  \r\n";
    seeds.Add("store.ini", store);
    seeds.Add("no-line-end.ini", std::string("[SOFTWARE\\Quobin Games\\Tangrove]\nVersion=7"));
}
