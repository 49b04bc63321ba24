#include "framework/tools/XMLParser.h"

#include <gtest/gtest.h>

#include <limits>

#include "engine/core/Error.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/TextUtils.h"
#include "platform/system/TemporaryFolder.h"

namespace GameTools {
namespace {

using ZorvaneEngine::FileError;
using ZorvaneEngine::Utf8ToWide;
using ZorvaneEngine::WideToUtf8;

// A tree as one line: name(attribute=value,...)'text'[children].
std::string Dump(const XMLNode& node)
{
    std::string out = node.GetName();
    if (!node.GetAttributes().empty()) {
        out += "(";
        for (const auto& attribute : node.GetAttributes()) {
            if (out.back() != '(') out += ",";
            out += attribute->name + "=" + WideToUtf8(attribute->value.GetWideText());
        }
        out += ")";
    }
    if (!node.GetText().GetWideText().empty()) out += "'" + WideToUtf8(node.GetText().GetWideText()) + "'";
    if (!node.GetChildren().empty()) {
        out += "[";
        for (const XMLNode* child : node.GetChildren()) {
            if (out.back() != '[') out += " ";
            out += Dump(*child);
        }
        out += "]";
    }
    return out;
}

// The tree's dump, or the error's text.
std::string Parse(std::unique_ptr<XMLNode>& root, const std::string& text)
{
    try {
        XMLParser::ParseText(root, Utf8ToWide(text));
    } catch (const FileError& error) {
        return error.message;
    }
    return root ? Dump(*root) : "(no root)";
}

struct Case {
    const char* text;
    const char* expected;
};

TEST(XMLParser, TextWithoutRootBecomesTreeOrError)
{
    const Case cases[] = {
        // Trees.
        {"<?xml version=\"1.0\"?>\r\n<r a = \"1\" b='2'>text</r>", "r(a=1,b=2)'text'"},
        {"<r><c k='it\"s'>t1<d />t2</c></r>", "r[c(k=it\"s)'t2'[d]]"},
        {"<r v=\"a>b'c\"/>", "r(v=a>b'c)"},
        {"<r a=\"1\"b='2' cd e='3'/>", "r(a=1,b=2,cde=3)"},
        {"<r>&amp;<c a=\"&lt;\"/></r>", "r'&amp;'[c(a=&lt;)]"},
        {"<r>\r\n a \r\n</r>", "r'\r\n a \r\n'"},
        // White space never replaces a text, and stays in front of a later one.
        {"<r>t1<c />   </r>", "r't1'[c]"},
        {"<r><c>  </c>x</r>", "r'  x'[c]"},
        {"<r></r  >", "r"},
        // "/" right after a name belongs to it: the element stays open.
        {"<r><d/>", "r[d/]"},
        // Open elements at the end are no error; their last text is lost.
        {"<r><c>text", "r[c]"},
        {"<r><!-- a comment --><c /></r>", "r[c]"},
        {"<r><!--x--></!--x--></r>", "r[!--x--]"},
        {"  \r\n<r />\r\n  ", "r"},
        // Errors, with the line where they were found.
        {"<a x=\"1\" x=\"2\"/>", "XML format error at line 1: code 7"},
        {"<r>\r\n\r\n</x>", "XML format error at line 3: code 2"},
        {"<>", "XML format error at line 1: code 1"},
        {"<a ='1'>", "XML format error at line 1: code 4"},
        {"<a b=\"1\"/ >", "XML format error at line 1: code 5"},
        {"<a b/>", "XML format error at line 1: code 6"},
        {"<a b=1>", "XML format error at line 1: code 8"},
        {"<a b>", "XML format error at line 1: code 10"},
        {"<a b=>", "XML format error at line 1: code 11"},
        {"<a b='1>", "XML format error at line 1: code 14"},
        {"<a></a><b/>", "XML format error at line 1: code 12"},
        {"<a></a>\r\n<!-- late -->", "XML format error at line 2: code 12"},
        {"<a></a>x", "XML format error at line 1: code 13"},
        {"</a>", "XML format error at line 1: code 0"},
        {"<a", "XML format error at line 1: code 14"},
        {"<r><!-- it's --></r>", "XML format error at line 1: code 14"},
        {"<?xml\r\n", "XML format error at line 2: code 14"},
        {"<?x\r\n\r\n?>\r\n<a></b>", "XML format error at line 4: code 2"},
        {"", "XML format error at line 1: code 15"},
        {" \r\n<?xml?>", "XML format error at line 2: code 15"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::unique_ptr<XMLNode> root;
        EXPECT_EQ(Parse(root, c.text), c.expected);
        if (std::string(c.expected).rfind("XML format error", 0) == 0) {
            EXPECT_EQ(root, nullptr);
        }
    }
}

TEST(XMLParser, GivenRootTakesEveryTopLevelElementAndTheTextAround)
{
    const Case cases[] = {
        {"lead<a /><b x='1'></b>trail", "'lead'[a b(x=1)]"},
        {"", ""},
        {"x", ""},  // text without a tag after it is never stored
        {"<a />\r\n<a />", "[a a]"},
        {"</x>", "XML format error at line 1: code 2"},
        {"<a b/>", "XML format error at line 1: code 6"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        auto root = std::make_unique<XMLNode>();
        EXPECT_EQ(Parse(root, c.text), c.expected);
    }
    // The caller's own tree goes with a failed parse.
    auto root = std::make_unique<XMLNode>();
    new XMLNode("kept", root.get());
    EXPECT_EQ(Parse(root, "<a><b c='1' c='2'/></a>"), "XML format error at line 1: code 7");
    EXPECT_EQ(root, nullptr);
}

TEST(XMLParser, DeepNestingAndLongRunsStayLinear)
{
    // A hundred thousand nested elements are built and freed without
    // recursion.
    constexpr int depth = 100000;
    std::u16string text;
    for (int i = 0; i < depth; ++i) text += u"<e>";
    for (int i = 0; i < depth; ++i) text += u"</e>";
    std::unique_ptr<XMLNode> root;
    XMLParser::ParseText(root, text);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->GetChildren().size(), 1u);
    root.reset();

    // Declarations keep the blanks before them, so the content grows to
    // megabytes; each "<" must not go over it again.
    text = u"<r>";
    for (int i = 0; i < 1000000; ++i) text += u"  <?p?>";
    XMLParser::ParseText(root, text + u"x</r>");
    EXPECT_EQ(root->GetText().GetWideText().size(), 2000001u);
    root.reset();

    // A huge attribute, read as a pair.
    const std::u16string digits(2000000, u'7');
    XMLParser::ParseText(root, u"<r v='" + digits + u" 12'/>");
    int32_t first = 0;
    int32_t second = 0;
    root->GetAttribute("v")->AsIntPair(first, second);
    EXPECT_EQ(first, std::numeric_limits<int32_t>::max());
    EXPECT_EQ(second, 12);
}

TEST(XMLParser, ReadsFilesThroughTheFileManager)
{
    TestSupport::TemporaryFolder folder;
    ZorvaneEngine::MessageManager log("", "", "test", false, false);
    ZorvaneEngine::FileManager files("", &log, folder.Path());
    // UTF-16 little endian with its mark, lines ending in LF only.
    const auto utf16 = [](const std::u16string& text) {
        std::string bytes = "\xFF\xFE";
        for (char16_t unit : text) {
            bytes += static_cast<char>(unit & 0xFF);
            bytes += static_cast<char>(unit >> 8);
        }
        return bytes;
    };
    TestSupport::WriteWholeFile(folder / "res.xml", utf16(u"<r>\n<c name='\u20AC'/>\n\n</x>"));

    XMLParser parser(&files);
    std::unique_ptr<XMLNode> root;
    try {
        parser.Parse(root, "res.xml");
        ADD_FAILURE() << "parsed";
    } catch (const FileError& error) {
        // The lines were joined by CR LF and counted by their LF.
        EXPECT_EQ(error.message, "XML format error at line 4: code 2");
    }

    TestSupport::WriteWholeFile(folder / "res.xml", utf16(u"<r>\n<c name='\u20AC'/>\n</r>"));
    parser.Parse(root, "res.xml");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->GetChildren()[0]->GetAttribute("name")->GetWideText(), u"\u20AC");

    // A file that cannot be opened leaves the tree alone.
    EXPECT_THROW(parser.Parse(root, "missing.xml"), FileError);
    EXPECT_NE(root, nullptr);
}

} // namespace
} // namespace GameTools
