#include "framework/tools/XMLNode.h"

#include <algorithm>
#include <unordered_set>

namespace GameTools {

XMLNode::XMLNode() = default;

XMLNode::XMLNode(const std::string& name, XMLNode* parent) : name(name)
{
    if (parent != nullptr) parent->AddChild(this);
}

XMLNode::~XMLNode()
{
    if (parent != nullptr) parent->Unlink(this);
    // The subtree is taken apart with a list instead of by recursion: a
    // file of deeply nested elements would otherwise exhaust the stack.
    std::vector<XMLNode*> pending;
    pending.swap(children);
    childIndex.clear();
    while (!pending.empty()) {
        XMLNode* node = pending.back();
        pending.pop_back();
        node->parent = nullptr;
        pending.insert(pending.end(), node->children.begin(), node->children.end());
        node->children.clear();
        node->childIndex.clear();
        delete node;
    }
}

XMLValue* XMLNode::GetAttribute(const std::string& attributeName)
{
    const auto found = attributeIndex.find(attributeName);
    return found == attributeIndex.end() ? nullptr : &found->second->value;
}

void XMLNode::SetAttribute(const std::string& attributeName, const std::u16string& value)
{
    const auto found = attributeIndex.find(attributeName);
    if (found != attributeIndex.end()) {
        found->second->value.SetWideText(value);
        return;
    }
    attributes.push_back(std::make_unique<Attribute>(attributeName, value));
    attributeIndex.emplace(attributeName, attributes.back().get());
}

void XMLNode::AddChild(XMLNode* child)
{
    if (child == nullptr || child == this) return;
    // Only a node with children can be an ancestor of this one; new nodes,
    // the parser's, skip the walk up the tree.
    if (!child->children.empty())
        for (const XMLNode* node = parent; node != nullptr; node = node->parent)
            if (node == child) return;
    if (child->parent != nullptr) {
        // The link is cleared first so that Detach does not delete it.
        XMLNode* previous = child->parent;
        child->parent = nullptr;
        previous->Detach(child);
    }
    children.push_back(child);
    childIndex.emplace(child->name, child);
    child->parent = this;
}

void XMLNode::Detach(XMLNode* child)
{
    if (!Unlink(child)) return;
    if (child->parent == this) {
        child->parent = nullptr;
        delete child;
    }
}

bool XMLNode::Unlink(XMLNode* child)
{
    const auto place = std::find(children.begin(), children.end(), child);
    if (place == children.end()) return false;
    children.erase(place);
    auto [first, last] = childIndex.equal_range(child->name);
    for (auto entry = first; entry != last; ++entry) {
        if (entry->second == child) {
            childIndex.erase(entry);
            break;
        }
    }
    return true;
}

std::vector<XMLNode*> XMLNode::FindChildren(const std::string& childName) const
{
    std::unordered_set<const XMLNode*> named;
    auto [first, last] = childIndex.equal_range(childName);
    for (auto entry = first; entry != last; ++entry) named.insert(entry->second);
    std::vector<XMLNode*> found;
    for (XMLNode* child : children)
        if (named.count(child) != 0) found.push_back(child);
    return found;
}

} // namespace GameTools
