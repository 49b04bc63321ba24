// The XML reader over arbitrary bytes: the text reader's byte-order mark
// detection and line joining, then the parse without and with a root of the
// caller's, then every value read in every form. A format error is the
// expected outcome of most inputs; anything else (a crash, a sanitizer
// report, a hang) is a fault.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/FileTextual.h"
#include "framework/tools/XMLParser.h"

namespace {

void ReadValues(GameTools::XMLNode& node)
{
    std::vector<GameTools::XMLNode*> pending{&node};
    while (!pending.empty()) {
        GameTools::XMLNode* current = pending.back();
        pending.pop_back();
        for (const auto& attribute : current->GetAttributes()) {
            GameTools::XMLValue& value = attribute->value;
            int32_t first = 0;
            int32_t second = 0;
            value.AsIntPair(first, second);
            (void)value.AsInt();
            (void)value.AsFloat();
            (void)value.AsBool();
            (void)value.AsString();
            (void)value.AsInt();
            if (current->GetAttribute(attribute->name) != &value) __builtin_trap();
        }
        (void)current->GetText().AsFloat();
        (void)current->FindChildren(current->GetName());
        pending.insert(pending.end(), current->GetChildren().begin(), current->GetChildren().end());
    }
}

void ParseInto(std::unique_ptr<GameTools::XMLNode>& root, const std::u16string& text)
{
    try {
        GameTools::XMLParser::ParseText(root, text);
    } catch (const ZorvaneEngine::FileError&) {
        // A format error must leave no tree behind.
        if (root) __builtin_trap();
        return;
    }
    if (!root) __builtin_trap();
    ReadValues(*root);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::u16string text;
    {
        auto file = std::make_unique<ZorvaneEngine::FileBinary>(
            nullptr, "fuzz.xml", std::vector<uint8_t>(data, data + size));
        ZorvaneEngine::FileTextual reader(nullptr, ZorvaneEngine::FileTextual::ModeRead,
                                          ZorvaneEngine::FileTextual::EncodingAnsi, std::move(file));
        reader.Init();
        reader.ReadAllText(text);
    }
    std::unique_ptr<GameTools::XMLNode> root;
    ParseInto(root, text);
    root = std::make_unique<GameTools::XMLNode>();
    new GameTools::XMLNode("given", root.get());
    ParseInto(root, text);
    return 0;
}
