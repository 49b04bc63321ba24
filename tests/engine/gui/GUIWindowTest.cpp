// GUI window trees: depth by group and layer, visibility down the tree,
// hit tests against the mouse, the per-frame text queue, the models the
// windows own, and ending a window that has children.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/graphics/Camera.h"
#include "engine/graphics/ModelFlags.h"
#include "tests/engine/gui/GUIFixture.h"

namespace ZorvaneEngine {
namespace {

using GUIWindowTest = GUIFixture;

TEST_F(GUIWindowTest, DepthFollowsGroupParentAndLayer)
{
    struct Case {
        uint32_t flags;
        float z;
    };
    const Case topLevel[] = {
        {0, -15.0f},
        {GUIWindowFlags::DepthBack, -10.0f},
        {GUIWindowFlags::DepthRaised, -20.0f},
        {GUIWindowFlags::DepthTop, -30.0f},
        {GUIWindowFlags::DepthBack | GUIWindowFlags::DepthTop, -10.0f},
        {Shown | GUIWindowFlags::DepthTop, -30.0f},
    };
    for (const Case& c : topLevel) {
        GUIWindow* w = Quad(c.flags, {}, {10, 10});
        EXPECT_EQ(w->GetZ(), c.z) << "flags " << c.flags;
        EXPECT_EQ(w->model->depthKey, c.z) << "flags " << c.flags;
    }

    // A child loses its own depth bits and lies 0.01 per layer in front.
    GUIWindow* dialog = Quad(Shown | GUIWindowFlags::DepthRaised, {}, {10, 10});
    GUIWindow* panel = Quad(Shown | GUIWindowFlags::DepthBack, {}, {10, 10}, dialog);
    GUIWindow* label = Quad(Shown, {}, {10, 10}, panel);
    EXPECT_EQ(panel->GetFlags() & GUIWindowFlags::DepthBits, 0u);
    EXPECT_FLOAT_EQ(panel->GetZ(), -20.01f);
    EXPECT_FLOAT_EQ(label->GetZ(), -20.02f);
    panel->SetLayer(3);
    EXPECT_FLOAT_EQ(panel->GetZ(), -20.03f);
    EXPECT_FLOAT_EQ(label->GetZ(), -20.04f);
    EXPECT_EQ(label->model->depthKey, label->GetZ());

    // Moved to the top level, a window and its subtree take the default depth.
    panel->SetParent(nullptr);
    EXPECT_EQ(panel->GetZ(), -15.0f);
    EXPECT_FLOAT_EQ(label->GetZ(), -15.01f);
    EXPECT_TRUE(dialog->GetChildren().empty());

    // Bits are added only when none of them is set yet.
    GUIWindow* colored = Quad(GUIWindowFlags::VertexColor, {}, {10, 10});
    colored->SetFlags(Shown | GUIWindowFlags::VertexColor);
    EXPECT_EQ(colored->GetFlags(), GUIWindowFlags::VertexColor);
    EXPECT_FALSE(colored->effectivelyVisible);
    colored->SetFlags(Shown | GUIWindowFlags::DepthTop);
    EXPECT_TRUE(colored->effectivelyVisible);
    EXPECT_EQ(colored->GetZ(), -30.0f);
}

TEST_F(GUIWindowTest, HitTestsFollowTheMouseStrictlyInsideShownWindows)
{
    // Client pixels map one to one onto GUI units, y upwards: y = 599 - pixel y.
    window->width = 800;
    window->height = 600;
    GUIWindow* a = Quad(Shown, {10, 10}, {100, 50});
    GUIWindow* b = Quad(Shown, {20, 20}, {30, 10}, a);  // (30, 30) to (60, 40)
    GUIWindow* hidden = Quad(0, {0, 0}, {800, 600});
    GUIWindow* underHidden = Quad(Shown, {0, 0}, {800, 600}, hidden);
    GUIWindow* e = Quad(Shown, {200, 200}, {100, 100});
    e->hitAreaOn = true;
    e->hitAreaOffset = {10, 10};
    e->hitAreaSize = {20, 20};
    const std::vector<GUIWindow*> all = {a, b, hidden, underHidden, e};

    struct Case {
        float x, y;
        std::vector<GUIWindow*> hovered;
    };
    const Case cases[] = {
        {10, 30, {}},  // on the left border
        {11, 30, {a}},
        {109, 30, {a}},
        {110, 30, {}},
        {50, 10, {}},
        {50, 59, {a}},
        {50, 60, {}},
        {40, 35, {a, b}},  // overlapping windows are all hovered
        {30, 35, {a}},
        {220, 220, {e}},
        {205, 205, {}},  // inside the window, outside its hit area
        {400, 400, {}},
    };
    for (const Case& c : cases) {
        Frame(static_cast<int32_t>(c.x), static_cast<int32_t>(599 - c.y));
        EXPECT_EQ(gui->GetDefaultCursor()->position.x, c.x);
        EXPECT_EQ(gui->GetDefaultCursor()->position.y, c.y);
        for (GUIWindow* w : all) {
            const bool expected = std::find(c.hovered.begin(), c.hovered.end(), w) != c.hovered.end();
            EXPECT_EQ(w->hovered, expected) << "at (" << c.x << ", " << c.y << ") window "
                                            << (std::find(all.begin(), all.end(), w) - all.begin());
        }
    }

    // Hiding the parent hides the child; shown again, it starts unhovered.
    Frame(40, 599 - 35);
    a->SetVisible(false);
    EXPECT_FALSE(b->effectivelyVisible);
    EXPECT_EQ(b->model->flags & ModelFlags::Visible, 0u);
    a->SetVisible(true);
    EXPECT_TRUE(b->effectivelyVisible);
    EXPECT_NE(b->model->flags & ModelFlags::Visible, 0u);
    EXPECT_FALSE(a->hovered);
    EXPECT_FALSE(b->hovered);
    a->SetVisible(false);
    Frame(40, 599 - 35);
    EXPECT_FALSE(a->hovered);
    EXPECT_FALSE(b->hovered);
}

TEST_F(GUIWindowTest, TheCursorMapsClientPixelsOntoTheGUICamera)
{
    const Camera* camera = gui->GetCamera();
    EXPECT_TRUE(camera->IsOrthographic());
    EXPECT_EQ(camera->nearPlane, 500.0f);
    EXPECT_EQ(camera->farPlane, -500.0f);

    // 1024 by 768 client pixels onto 800 by 600 GUI units.
    Frame(0, 0);
    EXPECT_EQ(gui->GetDefaultCursor()->position.x, 0.0f);
    EXPECT_EQ(gui->GetDefaultCursor()->position.y, 599.21875f);
    Frame(1023, 767);
    EXPECT_EQ(gui->GetDefaultCursor()->position.x, 799.21875f);
    EXPECT_EQ(gui->GetDefaultCursor()->position.y, 0.0f);

    // A picture cursor hangs below and right of the hot spot, in front of
    // every window.
    GUICursor* cursor = gui->CreateCursor(nullptr, 32);
    cursor->visible = true;
    Frame(512, 384);
    ASSERT_NE(cursor->model, nullptr);
    EXPECT_EQ(cursor->model->flags, 0x48C11u);
    EXPECT_EQ(cursor->model->depthKey, -30.1f);
    EXPECT_EQ(cursor->model->currentTransform[3], 400.0f);
    EXPECT_EQ(cursor->model->currentTransform[7], 299.21875f);
    ExpectVector(Position(*cursor->model, 0), {32, -32, 0});
    ExpectVector(Position(*cursor->model, 3), {0, 0, 0});
    cursor->visible = false;
    Frame(512, 384);
    EXPECT_EQ(cursor->model->flags & ModelFlags::Visible, 0u);

    const uint32_t registered = models->models.GetCount();
    ASSERT_TRUE(gui->cursors.Remove(cursor));
    delete cursor;
    EXPECT_EQ(models->models.GetCount(), registered - 1);
}

TEST_F(GUIWindowTest, TextsQueuedInAFrameAreDrawnOnceAndTheirItemsReused)
{
    gui->GetTextManager()->AddText("OK", u"Fine");
    GUIWindow* w = Quad(Shown, {0, 0}, {100, 100});
    const ColorRGBA red(1, 0, 0, 1);

    w->AddText(1, 2, u"first", 0.5f, 12, {3, 4}, red);
    w->AddText(0, 0, u"", 0, -1, {}, red);  // empty: not queued
    w->AddTextByKey(0, 1, "OK", -1, 0, -1, {}, red);
    w->AddTextByKey(0, 1, "", -1, 0, -1, {}, red);  // queued all the same
    ASSERT_EQ(w->GetTextCount(), 3u);
    const GUITextItem& first = *w->GetTextItems()[0];
    EXPECT_EQ(first.align, 1u);
    EXPECT_EQ(first.font, 2);
    EXPECT_EQ(first.angle, 0.5f);
    EXPECT_EQ(first.size, 12.0f);
    EXPECT_EQ(first.offset.x, 3.0f);
    EXPECT_EQ(first.text, u"first");
    EXPECT_FALSE(first.isKey);

    EXPECT_TRUE(w->Draw());
    EXPECT_EQ(w->GetTextCount(), 0u);
    EXPECT_EQ(w->GetTextItems()[1]->text, u"Fine");  // looked up when drawn
    EXPECT_EQ(w->GetTextItems()[2]->text, u"UNKNOWN");

    // The next frame reuses the items: no more than ever queued at once.
    const GUITextItem* reused = w->GetTextItems()[0].get();
    w->AddText(0, 0, u"again", 0, -1, {}, red);
    w->AddTextByKey(0, 0, "OK", -1, 0, -1, {}, red);
    EXPECT_EQ(w->GetTextItems().size(), 3u);
    EXPECT_EQ(w->GetTextItems()[0].get(), reused);
    EXPECT_FALSE(w->GetTextItems()[0]->isKey);
    EXPECT_EQ(w->GetTextCount(), 2u);
    EXPECT_TRUE(w->Draw());

    // A window not shown drops its texts.
    GUIWindow* child = Quad(Shown, {0, 0}, {10, 10}, w);
    w->SetVisible(false);
    child->AddText(0, 0, u"lost", 0, -1, {}, red);
    EXPECT_FALSE(child->Draw());
    EXPECT_EQ(child->GetTextCount(), 0u);
}

TEST_F(GUIWindowTest, WindowsOwnTheirModels)
{
    GUIWindow* parent = Quad(Shown, {5, 5}, {1, 1});
    GUIWindow* quad = gui->CreateQuadWindow(Shown | GUIWindowFlags::VertexColor, {10, 20}, {100, 50},
                                            nullptr, parent, {2, 3});
    ASSERT_NE(quad->model, nullptr);
    EXPECT_EQ(quad->model->flags, 0xC31u | ModelFlags::Visible);
    const Vector3 positions[] = {{1, 0, 0}, {1, 1, 0}, {0, 0, 0}, {0, 1, 0}};
    const Vector2 uvs[] = {{2, 0}, {2, 3}, {0, 0}, {0, 3}};
    for (uint32_t i = 0; i < 4; ++i) {
        ExpectVector(Position(*quad->model, i), positions[i]);
        EXPECT_EQ(TexCoords(*quad->model, i).x, uvs[i].x);
        EXPECT_EQ(TexCoords(*quad->model, i).y, uvs[i].y);
        EXPECT_EQ(quad->model->GetIndexBuffer()->GetIndex(i), i);
    }
    EXPECT_EQ(quad->GetColor().r, 1.0f);
    quad->SetColor(ColorRGBA(0, 1, 0, 1));
    EXPECT_EQ(quad->GetColor().r, 0.0f);
    EXPECT_EQ(quad->GetColor().g, 1.0f);

    // Each draw stretches the unit quad over the window's absolute rectangle.
    quad->Draw();
    const Matrix4& m = quad->model->currentTransform;
    EXPECT_EQ(m[0], 100.0f);
    EXPECT_EQ(m[5], 50.0f);
    EXPECT_EQ(m[3], 15.0f);
    EXPECT_EQ(m[7], 25.0f);
    quad->position = {0, 0};
    quad->Draw();
    EXPECT_EQ(quad->model->currentTransform[3], 5.0f);

    // Copies and loaded models become GUI models: no lighting, no depth
    // test, drawn back to front by a fixed key, hidden with their window.
    Model* box = models->CreateBox({0, 0, 0}, {1, 1, 1}, nullptr, 0);
    GUIWindow* copy = gui->CreateWindow(0, {}, {10, 10}, box, nullptr);
    delete box;
    ASSERT_NE(copy->model, nullptr);
    EXPECT_EQ(copy->model->flags & (ModelFlags::Lighting | ModelFlags::DepthTest |
                                    ModelFlags::GroupFirst | ModelFlags::Visible | ModelFlags::VertexColor),
              0u);
    EXPECT_EQ(copy->model->flags & 0xC00u, 0xC00u);
    EXPECT_EQ(copy->model->camera, gui->GetCamera());
    EXPECT_EQ(copy->GetColor().b, 1.0f);  // no vertex colours: white

    GUIWindow* loaded = gui->CreateWindowFromFile(Shown, {}, {10, 10}, "ui\\missing.mlf", nullptr);
    ASSERT_NE(loaded->model, nullptr);
    EXPECT_EQ(loaded->model->name, "ui\\missing.mlf");
    EXPECT_EQ(loaded->model->flags & (ModelFlags::Visible | 0xC00u), ModelFlags::Visible | 0xC00u);

    // Without a model nothing is placed or coloured.
    GUIWindow* bare = gui->CreateWindow(Shown, {}, {10, 10}, nullptr, nullptr);
    EXPECT_EQ(bare->model, nullptr);
    bare->SetColor(ColorRGBA(0, 0, 0, 1));
    EXPECT_TRUE(bare->Draw());
    EXPECT_EQ(bare->GetColor().r, 1.0f);

    // A check box starts hidden, with vertex colours.
    GUICheckBox* check = gui->CreateCheckBox({}, {10, 10}, nullptr, nullptr);
    EXPECT_EQ(check->GetFlags(), GUIWindowFlags::VertexColor);
    EXPECT_FALSE(check->effectivelyVisible);
    EXPECT_EQ(gui->checkBoxes.GetCount(), 1u);

    // Ending a window ends its model.
    const uint32_t registered = models->models.GetCount();
    Destroy(quad);
    EXPECT_EQ(models->models.GetCount(), registered - 1);
}

TEST_F(GUIWindowTest, EndingAWindowLeavesItsChildrenAsTopLevelWindows)
{
    GUIWindow* dialog = Quad(Shown | GUIWindowFlags::DepthRaised, {100, 100}, {400, 300});
    std::vector<GUIWindow*> children;
    for (int i = 0; i < 4; ++i) {
        // Every other child wants to be seen.
        children.push_back(Quad(i % 2 == 0 ? Shown : 0, {10.0f * i, 0}, {10, 10}, dialog));
    }
    GUIWindow* grandchild = Quad(Shown, {1, 1}, {5, 5}, children[0]);
    children[0]->SetLayer(2);
    GUIWindow* sibling = Quad(Shown, {0, 0}, {10, 10});

    // Ending a child only takes it out of its parent's list.
    Destroy(children[3]);
    children.pop_back();
    ASSERT_EQ(dialog->GetChildren(), children);

    dialog->SetVisible(false);
    Destroy(dialog);
    for (size_t i = 0; i < children.size(); ++i) {
        SCOPED_TRACE("child " + std::to_string(i));
        EXPECT_EQ(children[i]->GetParent(), nullptr);
        EXPECT_EQ(children[i]->GetZ(), -15.0f);
        EXPECT_EQ(children[i]->model->depthKey, -15.0f);
        // Visible on their own when their own bit says so.
        EXPECT_EQ(children[i]->effectivelyVisible, i % 2 == 0);
        EXPECT_EQ(children[i]->GetAbsolutePosition().x, 10.0f * i);
    }
    // The orphan's own subtree stays just in front of it.
    EXPECT_EQ(grandchild->GetParent(), children[0]);
    EXPECT_FLOAT_EQ(grandchild->GetZ(), -15.01f);
    EXPECT_TRUE(grandchild->effectivelyVisible);
    EXPECT_EQ(sibling->GetZ(), -15.0f);

    // Ending the parent first or the child first leaves no dangling link
    // when the manager ends the rest; a button under a window is among them.
    gui->CreateButton(Shown, {}, {5, 5}, nullptr, children[0]);
    Frame(10, 10);
}

} // namespace
} // namespace ZorvaneEngine
