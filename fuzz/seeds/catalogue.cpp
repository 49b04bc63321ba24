// Level catalogues as the fuzz program takes them: the stage list and the
// stage files one after another, each ended by a line "=====".
#include <string>
#include <vector>

#include "fuzz/seeds/Seeds.h"

namespace {

std::string Catalogue(const std::vector<std::string>& files)
{
    std::string input;
    for (size_t i = 0; i < files.size(); ++i) {
        if (i > 0)
            input += "\n=====\n";
        input += files[i];
    }
    return input;
}

// UTF-16 little-endian of an ASCII text, with its byte-order mark.
std::string Utf16(const std::string& text)
{
    std::string out = "\xFF\xFE";
    for (const char c : text)
        out += std::string{c, '\0'};
    return out;
}

} // namespace

TANGROVE_FUZZ_SEEDS(catalogue)
{
    // As written by hand: comments, line ends and runs of blanks.
    seeds.Add("two-stages.txt", Catalogue({
                                    "// stages\r\n2        // stages\r\n3  // 3 x 3 totem\r\n4\r\n",
                                    "2\r\nmeadow_01   120  90\r\n\r\nmeadow_02 150 110 // last\r\n",
                                    "3\nforest_01 70 46\nforest_02 75 50\nforest_03 80 54",
                                }));
    seeds.Add("encodings.txt", Catalogue({
                                   "\xEF\xBB\xBF" "2 2 2\n",
                                   Utf16("1\r\ns0_l0 70 46\r\n"),
                                   "\xEF\xBB\xBF" "2\ns1_l0 10 5\n\xC3\xA4pfel 12 6\n",
                               }));
    seeds.Add("one-level.txt", Catalogue({"1 1", "1 a 0 0"}));
    seeds.Add("short.txt", Catalogue({"2 3 3", "3 a 1 1 b 2"}));
}
