// Background layer lists as written by hand: layers the background builds
// itself (a = 1), layers the catalogue loads with and without particles,
// stage layers and the unicorn, in the encodings the text reader knows.
#include <string>

#include "fuzz/seeds/Seeds.h"

namespace {

// UTF-16 little-endian of an ASCII text, with its byte-order mark.
std::string Utf16(const std::string& text)
{
    std::string out = "\xFF\xFE";
    for (const char c : text)
        out += std::string{c, '\0'};
    return out;
}

} // namespace

TANGROVE_FUZZ_SEEDS(background_list)
{
    seeds.Add("shipped.ini", "10\nsky _none_ 1 0\nclouds _none_ 1 0\nhills _none_ 0 0\nmeadow _none_ 0 0\n"
                             "pollen pollen 0 0\ntrees _none_ 0 2\nriver _none_ 0 4\ncastle _none_ 0 6\n"
                             "rainbow _none_ 0 8\nunicorn_animated _none_ 0 0\n");
    seeds.Add("comments.ini", "// layers\r\n3   // three\r\nsky  _NONE_ 1 0\r\n\r\nhills\tdust 0 0 // pollen\r\n"
                              "unicorn_animated _None_ 0 3\r\n");
    seeds.Add("utf8.ini", "\xEF\xBB\xBF" "2\nsky _none_ 1 0\nwiese pollen 0 1\n");
    seeds.Add("utf16.ini", Utf16("1\r\nsky _none_ 1 0\r\n"));
    seeds.Add("empty.ini", "0\n");
    seeds.Add("short.ini", "2\nsky _none_ 1 0\nhills dust 0\n");
}
