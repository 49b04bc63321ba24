#pragma once
// A text table of data/texts read by the tools through the engine's own
// reader, so that the art shows a text exactly as the game would.
#include <memory>
#include <string>

namespace ZorvaneEngine {
class FileManager;
class GUITextManager;
class MessageManager;
} // namespace ZorvaneEngine

namespace Tools {

class TextTable {
public:
    // A relative path is taken from the current folder. Throws
    // std::runtime_error when the file cannot be read.
    explicit TextTable(const std::string& path);
    ~TextTable();
    TextTable(const TextTable&) = delete;
    TextTable& operator=(const TextTable&) = delete;

    // The key's text as UTF-32 for the lettering; throws std::runtime_error
    // when the table lacks the key, so that no art says "UNKNOWN".
    std::u32string Text(const std::string& key) const;

private:
    std::string path;
    std::unique_ptr<ZorvaneEngine::MessageManager> log;
    std::unique_ptr<ZorvaneEngine::FileManager> files;
    std::unique_ptr<ZorvaneEngine::GUITextManager> texts;
};

} // namespace Tools
