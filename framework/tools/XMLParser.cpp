#include "framework/tools/XMLParser.h"

#include "engine/core/Error.h"
#include "engine/core/FileManager.h"
#include "engine/core/FileTextual.h"
#include "engine/core/TextUtils.h"

namespace GameTools {

using ZorvaneEngine::FileError;

namespace {

bool IsBlank(char16_t c)
{
    return c == u' ' || (c >= 0x09 && c <= 0x0D);
}

// Letters, digits and punctuation: not white space and not a control
// character. Decided here rather than by the process locale, so that a
// file reads the same on every machine.
bool IsVisible(char16_t c)
{
    if (c <= 0x20 || c == 0x7F || (c >= 0x80 && c <= 0xA0)) return false;
    return c != 0x1680 && !(c >= 0x2000 && c <= 0x200A) && c != 0x2028 && c != 0x2029 &&
           c != 0x202F && c != 0x205F && c != 0x3000;
}

std::string Narrow(const std::u16string& text)
{
    return ZorvaneEngine::ToNarrow(text);
}

struct FormatError {
    uint32_t code;
};

// One parse: the state of the outer walk over the characters.
class Reader {
public:
    Reader(std::unique_ptr<XMLNode>& root, const std::u16string& text) : root(root), text(text)
    {
        current = root.get();
    }

    void Run();
    uint32_t Line() const { return line; }

private:
    void InsideTag(char16_t c, size_t& i);
    void OutsideTag(char16_t c);
    void OpeningTag();
    // Makes an element under the current one; with no root yet, it is the
    // root, so that an error later in the same tag still frees it.
    XMLNode* MakeElement(const std::u16string& name, XMLNode* parent);

    std::unique_ptr<XMLNode>& root;
    const std::u16string& text;
    XMLNode* current = nullptr;
    uint32_t line = 1;
    bool inTag = false;
    bool closingTag = false;
    bool inQuotes = false;
    char16_t quote = 0;
    std::u16string tag;
    std::u16string content;
    // Whether the content holds anything but white space: what trimming it
    // would tell, without going over it again at every tag.
    bool contentHasText = false;
};

void Reader::Run()
{
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\n') ++line;
        if (inTag)
            InsideTag(c, i);
        else
            OutsideTag(c);
    }
    if (inTag || closingTag) throw FormatError{14};
    if (!root) throw FormatError{15};
}

void Reader::InsideTag(char16_t c, size_t& i)
{
    if (c == u'/' && tag.empty() && !inQuotes) {
        if (current == nullptr) throw FormatError{0};
        closingTag = true;
        return;
    }
    if ((c == u'"' || c == u'\'') && !tag.empty()) {
        if (!inQuotes) {
            inQuotes = true;
            quote = c;
        } else if (c == quote) {
            inQuotes = false;
        }
        tag.push_back(c);
        return;
    }
    if (inQuotes) {
        tag.push_back(c);
        return;
    }
    if (c == u'?' && tag.empty()) {
        // A declaration runs to the next ">"; without one the text ends
        // inside the tag.
        for (++i; i < text.size() && text[i] != u'>'; ++i)
            if (text[i] == u'\n') ++line;
        if (i < text.size()) {
            inTag = false;
            closingTag = false;
        }
        return;
    }
    if (c == u'>') {
        if (tag.empty()) throw FormatError{1};
        if (!closingTag) {
            OpeningTag();
            return;
        }
        std::string name = Narrow(tag);
        ZorvaneEngine::TrimLeft(name);
        ZorvaneEngine::TrimRight(name);
        if (name != current->GetName()) throw FormatError{2};
        current = current->GetParent();
        tag.clear();
        inTag = false;
        closingTag = false;
        return;
    }
    // White space right after "<" is dropped.
    if (IsVisible(c) || !tag.empty()) tag.push_back(c);
}

void Reader::OutsideTag(char16_t c)
{
    if (c == u'<') {
        inTag = true;
        if (current != nullptr) {
            // A run of white space is no text: it stays in front of a
            // later run.
            if (contentHasText) {
                current->GetText().SetWideText(content);
                content.clear();
                contentHasText = false;
            }
        } else if (root) {
            throw FormatError{12};
        }
        return;
    }
    if (current != nullptr) {
        content.push_back(c);
        if (!IsBlank(c)) contentHasText = true;
    } else if (IsVisible(c)) {
        throw FormatError{13};
    }
}

XMLNode* Reader::MakeElement(const std::u16string& name, XMLNode* parent)
{
    auto* element = new XMLNode(Narrow(name), parent);
    if (!root) root.reset(element);
    return element;
}

void Reader::OpeningTag()
{
    XMLNode* const parent = current;
    XMLNode* element = nullptr;
    std::u16string name;
    std::u16string attributeName;
    std::u16string value;
    bool nameDone = false;
    bool attributePhase = false;
    bool valueQuoted = false;
    char16_t valueQuote = 0;
    bool hadEquals = false;
    bool selfClosing = false;
    bool comment = false;

    for (size_t k = 0; k < tag.size() && !comment; ++k) {
        const char16_t c = tag[k];
        const bool visible = IsVisible(c);
        if (!nameDone) {
            if (visible) {
                name.push_back(c);
            } else if (!name.empty()) {
                if (name == u"!--") {
                    comment = true;
                } else {
                    element = MakeElement(name, parent);
                    current = element;
                    nameDone = true;
                    attributePhase = true;
                }
            }
            continue;
        }
        if (attributePhase) {
            if (!visible) continue;
            if (c == u'=') {
                if (attributeName.empty()) throw FormatError{4};
                attributePhase = false;
                hadEquals = true;
            } else if (c == u'/') {
                if (!attributeName.empty()) throw FormatError{6};
                if (k + 1 != tag.size()) throw FormatError{5};
                selfClosing = true;
            } else {
                attributeName.push_back(c);
            }
            continue;
        }
        if (!valueQuoted) {
            if (c == u'"' || c == u'\'') {
                valueQuoted = true;
                valueQuote = c;
            } else if (visible) {
                throw FormatError{8};
            }
            continue;
        }
        if (c != valueQuote) {
            value.push_back(c);
            continue;
        }
        const std::string narrowName = Narrow(attributeName);
        if (element->GetAttribute(narrowName) != nullptr) throw FormatError{7};
        element->SetAttribute(narrowName, value);
        attributeName.clear();
        value.clear();
        valueQuoted = false;
        hadEquals = false;
        attributePhase = true;
    }

    if (!comment) {
        if (name.empty()) throw FormatError{9};
        if (attributePhase && !attributeName.empty()) throw FormatError{10};
        if (hadEquals) throw FormatError{11};
        if (element == nullptr) {
            element = MakeElement(name, parent);
            current = element;
        }
        if (selfClosing) current = element->GetParent();
    }
    tag.clear();
    content.clear();
    contentHasText = false;
    inTag = false;
}

} // namespace

XMLParser::XMLParser(ZorvaneEngine::FileManager* files) : files(files) {}

XMLParser::~XMLParser() = default;

void XMLParser::Parse(std::unique_ptr<XMLNode>& root, const std::string& fileName)
{
    std::u16string text;
    {
        std::unique_ptr<ZorvaneEngine::FileTextual> file = files->OpenTextFile(fileName, false);
        file->ReadAllText(text);
    }
    ParseText(root, text);
}

void XMLParser::ParseText(std::unique_ptr<XMLNode>& root, const std::u16string& text)
{
    Reader reader(root, text);
    try {
        reader.Run();
    } catch (const FormatError& error) {
        root.reset();
        throw FileError("XML format error at line " + ZorvaneEngine::UIntToText(reader.Line()) +
                        ": code " + ZorvaneEngine::UIntToText(error.code));
    }
}

} // namespace GameTools
