#pragma once
// Reads the framework's resource description files: a small XML subset of
// elements, attributes in single or double quotes, element text, "<?...>"
// declarations and comments (a tag named "!--" followed by white space).
// Entities, CDATA and namespaces are not understood: "&" is an ordinary
// character. One pass over the characters, no recursion, so neither deep
// nesting nor long texts can exhaust the stack.
//
// A format error is a FileError with the text "XML format error at line
// <line>: code <code>":
//   0  "</" outside every element          8  a value not in quotes
//   1  "<>"                                9  a tag without a name
//   2  a closing tag of another element   10  an attribute name without "="
//   4  "=" without an attribute name      11  "=" without a complete value
//   5  "/" inside a tag, not at its end   12  a second top-level element
//   6  "/" right after an attribute name  13  text outside every element
//   7  an attribute set twice             14  the file ends inside a tag
//                                         15  no element at all
// Codes 0, 12, 13 and 15 arise only when the caller gives no root.
#include <memory>
#include <string>

#include "framework/tools/XMLNode.h"

namespace ZorvaneEngine {
class FileManager;
}

namespace GameTools {

class XMLParser {
public:
    explicit XMLParser(ZorvaneEngine::FileManager* files);
    virtual ~XMLParser();

    // Parses the file into root. A null root becomes the file's first
    // element; a given root receives the file's top-level elements as its
    // children and the text around them as its text. On a format error the
    // whole tree (a given root included) is deleted, root is left null and
    // the FileError is raised. A FileError of opening or reading the file
    // passes through with the tree untouched.
    void Parse(std::unique_ptr<XMLNode>& root, const std::string& fileName);
    // The same over a text already read, its lines joined by CR LF.
    static void ParseText(std::unique_ptr<XMLNode>& root, const std::u16string& text);

private:
    ZorvaneEngine::FileManager* files;
};

} // namespace GameTools
