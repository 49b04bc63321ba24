#pragma once
// A rectangle of the 2D interface in GUI units (origin at the lower-left
// corner of the screen, y upwards) that owns one model drawn through the
// orthographic GUI camera, sits in a parent/child tree and collects the texts
// to be drawn on it in the current frame. Every widget is one.
//
// Position is the lower-left corner relative to the parent's absolute
// position (the screen's for a top-level window). Depth: a smaller z is in
// front; a top-level window takes its z from its depth bits, a child lies
// 0.01 × its layer in front of its parent.
//
// No focus and no event dispatch: each frame GUIManager::Update hit-tests
// every window against the mouse and the screens read the results
// (hovered, and the fields of the derived widgets). Create windows through
// the GUIManager factories; destroy them by removing them from their pool
// and deleting them when Remove returned true.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/MathTypes.h"
#include "engine/gui/GUITextItem.h"
#include "engine/gui/GUIWindowFlags.h"

namespace ZorvaneEngine {

class GUIFontManager;
class GUIManager;
class GUITextManager;
class MessageManager;
class Model;
class ModelManager;
class ShaderDescriptor;
class ShaderManager;

class GUIWindow {
public:
    // On a generated unit quad with the given material (null: the default
    // one); uvSize is the texture coordinate of the quad's far corner.
    GUIWindow(const GUIManager& manager, uint32_t flags, const Vector2& position,
              const Vector2& size, const ShaderDescriptor* material, GUIWindow* parent,
              const Vector2& uvSize);
    // On a copy of model; without one the window has no model.
    GUIWindow(const GUIManager& manager, uint32_t flags, const Vector2& position,
              const Vector2& size, const Model* model, GUIWindow* parent);
    // On a model read from a model file (a box when it cannot be read).
    GUIWindow(const GUIManager& manager, uint32_t flags, const Vector2& position,
              const Vector2& size, const std::string& modelFile, GUIWindow* parent);
    // Leaves the parent; the children become top-level windows.
    virtual ~GUIWindow();

    GUIWindow(const GUIWindow&) = delete;
    GUIWindow& operator=(const GUIWindow&) = delete;

    // The hit test of the frame: hovered when the cursor lies strictly
    // inside the window (or its hit area). False when not shown.
    virtual bool Update(const Vector2& cursor, bool mouseDown, bool mousePressed);
    // Places the model over the window, draws the queued texts and empties
    // the queue. A window not shown drops its texts and returns false.
    virtual bool Draw();
    // Moves the window and its whole subtree to the depth of the layer.
    virtual void SetLayer(int32_t layer);
    // Every vertex of the model; nothing without per-vertex colour.
    virtual void SetColor(const ColorRGBA& color);
    // Effective visibility from the visible bit and the parent, down the
    // subtree.
    virtual void UpdateVisibility();

    // Sets or clears the visible bit; no effect when it already is so.
    void SetVisible(bool show);
    // Adds the bits, but only when none of them is set yet. A top-level
    // window then takes the depth of its depth bits.
    void SetFlags(uint32_t bits);
    // Null makes the window top-level. A window under a parent loses its
    // depth bits.
    void SetParent(GUIWindow* parent);
    void AddChild(GUIWindow* child);
    void RemoveChild(GUIWindow* child);
    Vector2 GetAbsolutePosition() const;
    Vector2 GetParentAbsolutePosition() const;
    // The first vertex's colour; white without a model or vertex colours.
    ColorRGBA GetColor() const;

    // Queues a text for this frame; an empty text is not queued.
    void AddText(uint32_t align, int32_t font, const std::u16string& text, float angle, float size,
                 const Vector2& offset, const ColorRGBA& color);
    // Queues a text looked up in the text table when drawn (line number -1:
    // none); queued even for an empty key.
    void AddTextByKey(uint32_t align, int32_t font, const std::string& key, int32_t number,
                      float angle, float size, const Vector2& offset, const ColorRGBA& color);
    // The next item of this frame's queue for the caller to fill; it may
    // hold an earlier frame's values.
    GUITextItem* NewTextItem();
    // The same with the fields every text item has filled in.
    GUITextItem* NewTextItem(uint32_t align, int32_t font, float angle, float size,
                             const Vector2& offset, const ColorRGBA& color);

    uint32_t GetFlags() const { return flags; }
    GUIWindow* GetParent() const { return parent; }
    const std::vector<GUIWindow*>& GetChildren() const { return children; }
    float GetZ() const { return z; }
    uint32_t GetTextCount() const { return textCount; }
    const std::vector<std::unique_ptr<GUITextItem>>& GetTextItems() const { return textItems; }

    // Read and written by the screens directly.
    bool effectivelyVisible = false;  // visible bit set, parent (if any) shown
    Vector2 position;
    Vector2 size;
    int32_t layer = 1;
    bool hitAreaOn = false;  // hit-test the hit area instead of the window
    Vector2 hitAreaOffset;   // from the absolute position
    Vector2 hitAreaSize;
    bool textAreaOn = false;  // align texts in the text area instead
    Vector2 textAreaOffset;
    Vector2 textAreaSize;
    bool hovered = false;
    // Each Draw scales and moves the model over the window; owners that
    // place the model themselves clear it.
    bool placeModel = true;
    Model* model = nullptr;  // owned, registered with the model manager

protected:
    MessageManager* log;
    ShaderManager* materials;
    ModelManager* models;
    GUIFontManager* fonts;
    GUITextManager* texts;

private:
    GUIWindow(const GUIManager& manager);
    // Steps shared by the three forms once the model exists.
    void Finish(uint32_t givenFlags, const Vector2& givenPosition, const Vector2& givenSize,
                GUIWindow* givenParent);
    void CreateQuadModel(const GUIManager& manager, uint32_t givenFlags,
                         const ShaderDescriptor* material, const Vector2& uvSize);
    // A copied or loaded model becomes a GUI model: fixed depth key, drawn
    // in the back-to-front group, no lighting, no depth test.
    void AdoptModel();
    // z and the model's depth key together.
    void SetZ(float value);
    // Top-level depth of the depth bits.
    float DepthOfFlags() const;
    void DrawText(GUITextItem& item);

    uint32_t flags = 0;
    GUIWindow* parent = nullptr;
    std::vector<GUIWindow*> children;  // in order of attachment; not owned
    float z = GUIDepthDefault;
    uint32_t textCount = 0;
    std::vector<std::unique_ptr<GUITextItem>> textItems;
};

} // namespace ZorvaneEngine
