#pragma once
// One element of an XML tree: its name, its text, its attributes in the
// order they were first set, and its children in document order, each list
// indexed by name. A tree is owned by its root: deleting a node deletes
// everything below it.
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "framework/tools/XMLValue.h"

namespace GameTools {

class XMLNode {
public:
    struct Attribute {
        Attribute(std::string name, std::u16string text) : name(std::move(name)), value(std::move(text)) {}
        std::string name;
        XMLValue value;
    };

    // An empty root: no name, no parent.
    XMLNode();
    // A node appended to parent's children, when parent is not null.
    XMLNode(const std::string& name, XMLNode* parent);
    // Leaves the parent (without being deleted a second time), then deletes
    // every node below and every attribute.
    virtual ~XMLNode();

    XMLNode(const XMLNode&) = delete;
    XMLNode& operator=(const XMLNode&) = delete;

    // The attribute of exactly that name (case counts); null when absent.
    XMLValue* GetAttribute(const std::string& name);
    // An existing attribute takes the new text; a new one is appended.
    void SetAttribute(const std::string& name, const std::u16string& text);

    // Moves child here from wherever it was (it is not deleted on the
    // way) and appends it. A node cannot become its own descendant: such a
    // call, and a null child, change nothing.
    void AddChild(XMLNode* child);
    // Takes child out of this node's children, keeping the order of the
    // others, and deletes it when its parent link still names this node.
    // Nothing happens when child is not one of the children.
    void Detach(XMLNode* child);

    const std::string& GetName() const { return name; }
    XMLValue& GetText() { return text; }
    const XMLValue& GetText() const { return text; }
    XMLNode* GetParent() const { return parent; }
    const std::vector<XMLNode*>& GetChildren() const { return children; }
    // The children of that name, in document order.
    std::vector<XMLNode*> FindChildren(const std::string& childName) const;
    const std::vector<std::unique_ptr<Attribute>>& GetAttributes() const { return attributes; }

private:
    // Takes child out of the children and the index; deletes nothing.
    bool Unlink(XMLNode* child);

    std::string name;
    XMLValue text;
    std::vector<std::unique_ptr<Attribute>> attributes;
    std::unordered_map<std::string, Attribute*> attributeIndex;
    std::vector<XMLNode*> children;  // owned
    std::unordered_multimap<std::string, XMLNode*> childIndex;
    XMLNode* parent = nullptr;
};

} // namespace GameTools
