#include "framework/tools/XMLNode.h"

#include <gtest/gtest.h>

#include <clocale>
#include <limits>

namespace GameTools {
namespace {

TEST(XMLValue, ReadsNumbersFromTheCurrentText)
{
    struct Case {
        const char16_t* text;
        int32_t asInt;
        float asFloat;
        bool asBool;
    };
    const Case cases[] = {
        {u"42", 42, 42.0f, true},
        {u"  -7x", -7, -7.0f, true},
        {u"+3", 3, 3.0f, true},
        {u"", 0, 0.0f, false},
        {u"true", 0, 0.0f, false},
        {u"2", 2, 2.0f, true},
        {u"1.5", 1, 1.5f, true},
        {u"-2.25e1", -2, -22.5f, true},
        {u"99999999999", std::numeric_limits<int32_t>::max(), 99999999999.0f, true},
        {u"-2147483648", std::numeric_limits<int32_t>::min(), -2147483648.0f, true},
        {u"-99999999999", std::numeric_limits<int32_t>::min(), -99999999999.0f, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text, c.text + std::char_traits<char16_t>::length(c.text)));
        XMLValue value(c.text);
        EXPECT_EQ(value.AsInt(), c.asInt);
        EXPECT_FLOAT_EQ(value.AsFloat(), c.asFloat);
        EXPECT_EQ(value.AsBool(), c.asBool);
        // Read again from the narrow copy once it exists.
        value.AsString();
        EXPECT_EQ(value.GetKind(), XMLValue::KindNarrow);
        EXPECT_EQ(value.AsInt(), c.asInt);
        EXPECT_FLOAT_EQ(value.AsFloat(), c.asFloat);
    }

    // A decimal comma locale for numbers does not change the point.
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string kept = previous != nullptr ? previous : "C";
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr) {
        EXPECT_FLOAT_EQ(XMLValue(u"1.5").AsFloat(), 1.5f);
    }
    std::setlocale(LC_NUMERIC, kept.c_str());
}

TEST(XMLValue, PairTakesTheFirstTwoRuns)
{
    struct Case {
        const char16_t* text;
        int32_t first, second;
    };
    const Case cases[] = {
        {u"3, 5", 3, 5},
        {u"4x4", 4, 7},
        {u"8", 8, 7},
        {u"", 7, 7},
        {u"1 2 3", 1, 2},
        {u" -1;+2", -1, 2},
        {u"1.9 x2", 1, 0},
        {u"\u00C9 9", 0, 9},
    };
    for (const Case& c : cases) {
        int32_t first = 7;
        int32_t second = 7;
        XMLValue(c.text).AsIntPair(first, second);
        EXPECT_EQ(first, c.first) << std::u16string(c.text).size();
        EXPECT_EQ(second, c.second);
    }
}

TEST(XMLNode, AttributesKeepTheirFirstPlace)
{
    XMLNode node("n", nullptr);
    node.SetAttribute("b", u"1");
    node.SetAttribute("a", u"2");
    node.GetAttribute("b")->AsString();
    node.SetAttribute("b", u"3");
    ASSERT_EQ(node.GetAttributes().size(), 2u);
    EXPECT_EQ(node.GetAttributes()[0]->name, "b");
    EXPECT_EQ(node.GetAttribute("b")->GetKind(), XMLValue::KindWide);
    EXPECT_EQ(node.GetAttribute("b")->AsString(), "3");
    EXPECT_EQ(node.GetAttribute("B"), nullptr);
}

TEST(XMLNode, ChildrenMoveDetachAndLeaveTheirParent)
{
    auto root = std::make_unique<XMLNode>();
    auto* a1 = new XMLNode("a", root.get());
    auto* b = new XMLNode("b", root.get());
    auto* a2 = new XMLNode("a", root.get());
    auto* leaf = new XMLNode("leaf", b);
    EXPECT_EQ(root->FindChildren("a"), (std::vector<XMLNode*>{a1, a2}));

    // Moving keeps the node alive; the old parent's list and index forget it.
    a2->AddChild(leaf);
    EXPECT_TRUE(b->GetChildren().empty());
    EXPECT_EQ(leaf->GetParent(), a2);
    // A node cannot go below itself.
    leaf->AddChild(root.get());
    a2->AddChild(a2);
    EXPECT_EQ(root->GetParent(), nullptr);
    EXPECT_EQ(a2->GetParent(), root.get());

    // Detach removes the very child named, keeping the others in order.
    root->Detach(a1);
    EXPECT_EQ(root->FindChildren("a"), (std::vector<XMLNode*>{a2}));
    EXPECT_EQ(root->GetChildren(), (std::vector<XMLNode*>{b, a2}));
    root->Detach(leaf);  // not a child of root: nothing happens
    EXPECT_EQ(a2->GetChildren().size(), 1u);

    // A node deleted on its own leaves its parent's lists.
    delete b;
    EXPECT_EQ(root->GetChildren(), (std::vector<XMLNode*>{a2}));
    EXPECT_TRUE(root->FindChildren("b").empty());
    root.reset();  // a2 and leaf go with it (the sanitizer checks)
}

} // namespace
} // namespace GameTools
