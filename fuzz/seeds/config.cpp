#include <string>

#include "fuzz/seeds/Seeds.h"

namespace {

// UTF-16 of an ASCII text, with its byte-order mark.
std::string Utf16(const std::string& text, bool bigEndian)
{
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char c : text) {
        out += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
    }
    return out;
}

} // namespace

TANGROVE_FUZZ_SEEDS(config)
{
    const std::string lines =
        "v_mode 1024x768x32\r\n"
        "v_fullscreen 0\r\n"
        "v_gamma 1.250000\r\n"
        "f_int -42\r\n"
        "f_float 3.5e2\r\n"
        "f_bool 1\r\n"
        "f_string some  spaced   text\\\\ cut here\r\n"
        "f_late 9\r\n"
        "f_command\r\n"
        "\\\\f_int 5 // a comment\r\n"
        "unknown_name 1\r\n"
        "\r\n"
        "reset_config\r\n";
    seeds.Add("plain.ini", lines);
    seeds.Add("utf8.ini", "\xEF\xBB\xBF" + lines);
    seeds.Add("utf16le.ini", Utf16(lines, false));
    seeds.Add("utf16be.ini", Utf16(lines, true));
    seeds.Add("modes.ini", "v_mode desktop\nv_mode 640X480\nv_mode 99999999999x1x\n");
}
