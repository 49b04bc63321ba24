// Resource description files: elements, attributes in both quotes, texts,
// a declaration and a comment, in the encodings the text reader detects.
#include <string>

#include "fuzz/seeds/Seeds.h"

namespace {

std::string Utf16LittleEndian(const std::string& text)
{
    std::string out = "\xFF\xFE";
    for (const char c : text) {
        out += c;
        out += '\0';
    }
    return out;
}

} // namespace

TANGROVE_FUZZ_SEEDS(xml)
{
    const std::string resources =
        "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n"
        "<resources>\r\n"
        "  <!-- one model per level -->\r\n"
        "  <loop counter=\"i\" start=\"0\" count=\"3\">\r\n"
        "    <model name=\"piece%i2%\" file_name=\"piece%i2%.mlf\" color_verticies=\"1\" animation_speed=\"1.5\"/>\r\n"
        "  </loop>\r\n"
        "  <shader name='board' diffuse_file_name='board.jpg' opacity_file_name='32bit' clamp='0'\r\n"
        "          animation_type=\"net\" net_size=\"4 4\" frame_count='16' language=\"en\"/>\r\n"
        "  <group name=\"menu\">text &amp; more<item/>last text</group>\r\n"
        "</resources>\r\n";
    seeds.Add("resources.xml", resources);
    seeds.Add("utf16.xml", Utf16LittleEndian(resources));
    seeds.Add("utf8.xml", "\xEF\xBB\xBF<r a='\xC3\xA4' b=\"x>y\">\xE2\x82\xAC</r>");
    seeds.Add("open.xml", "<r><c k='it\"s'>t1<d />t2</c><e/>");
}
