#include "engine/gui/GUIManager.h"

#include <new>
#include <utility>

#include "engine/graphics/Camera.h"
#include "engine/graphics/CameraManager.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUISoundManager.h"
#include "engine/gui/GUITextManager.h"
#include "engine/input/Controls.h"

namespace ZorvaneEngine {

namespace {

// Every widget of a pool, in slot order. An update may end a widget of the
// same pool, which can compact the slots: the size is read afresh each time.
template <typename T, typename Action>
void ForEach(ObjectManager<T>& pool, Action action)
{
    for (size_t i = 0; i < pool.GetSlots().size(); ++i) {
        if (T* widget = pool.GetSlots()[i]) action(*widget);
    }
}

} // namespace

GUIManager::GUIManager(MessageManager* log, FileManager* files, Window* window,
                       TimerManager* timers, CameraManager* cameras, ShaderManager* materials,
                       ModelManager* models, Controls* controls, SoundManager* sounds)
    : log(log),
      files(files),
      window(window),
      timers(timers),
      cameras(cameras),
      materials(materials),
      models(models),
      controls(controls)
{
    if (cameras != nullptr) camera = cameras->CreateCamera(true);
    if (camera != nullptr) {
        camera->nearPlane = CameraNear;
        camera->farPlane = CameraFar;
    }
    textManager = std::make_unique<GUITextManager>(log, files);
    fontManager = std::make_unique<GUIFontManager>(log, files, materials, models, camera);
    soundManager = std::make_unique<GUISoundManager>(timers, sounds);
    // Only tracks the mouse: no picture, never shown.
    defaultCursor = new GUICursor(*this, nullptr, 0.0f, false);
    cursors.Add(defaultCursor);
}

GUIManager::~GUIManager()
{
    if (cursors.Remove(defaultCursor)) delete defaultCursor;
    defaultCursor = nullptr;
    textManager.reset();
    fontManager.reset();
    soundManager.reset();
    if (cameras != nullptr) cameras->DestroyCamera(camera);
    camera = nullptr;
    // The pools follow in reverse order of creation, each deleting what is
    // still registered.
}

void GUIManager::Update()
{
    ForEach(cursors, [](GUICursor& cursor) { cursor.Update(); });

    const Vector2 cursor = defaultCursor->position;
    const bool down = controls != nullptr && controls->IsKeyDown("MOUSE1");
    const bool pressed = controls != nullptr && controls->IsKeyPressed("MOUSE1");
    auto hitTest = [&](GUIWindow& widget) { widget.Update(cursor, down, pressed); };
    ForEach(windows, hitTest);
    ForEach(buttons, hitTest);
    ForEach(checkBoxes, hitTest);
    ForEach(editBoxes, hitTest);
    ForEach(sliders, hitTest);
    ForEach(scrolls, hitTest);
}

void GUIManager::Draw()
{
    ForEach(cursors, [](GUICursor& cursor) { cursor.Draw(); });

    auto draw = [](GUIWindow& widget) { widget.Draw(); };
    ForEach(windows, draw);
    ForEach(buttons, draw);
    ForEach(checkBoxes, draw);
    ForEach(editBoxes, draw);
    ForEach(sliders, draw);
    ForEach(scrolls, draw);
    fontManager->EndFrame();
}

template <typename T, typename... Arguments>
T* GUIManager::Register(ObjectManager<T>& pool, Arguments&&... arguments)
{
    T* widget = new (std::nothrow) T(*this, std::forward<Arguments>(arguments)...);
    pool.Add(widget);
    return widget;
}

GUIWindow* GUIManager::CreateQuadWindow(uint32_t flags, const Vector2& position, const Vector2& size,
                                        const ShaderDescriptor* material, GUIWindow* parent,
                                        const Vector2& uvSize)
{
    return Register(windows, flags, position, size, material, parent, uvSize);
}

GUIWindow* GUIManager::CreateWindow(uint32_t flags, const Vector2& position, const Vector2& size,
                                    const Model* model, GUIWindow* parent)
{
    return Register(windows, flags, position, size, model, parent);
}

GUIWindow* GUIManager::CreateWindowFromFile(uint32_t flags, const Vector2& position,
                                            const Vector2& size, const std::string& modelFile,
                                            GUIWindow* parent)
{
    return Register(windows, flags, position, size, modelFile, parent);
}

void GUIManager::DeleteWindow(GUIWindow*& window)
{
    if (window != nullptr && windows.Remove(window))
        delete window;
    window = nullptr;
}

GUIButton* GUIManager::CreateButton(uint32_t flags, const Vector2& position, const Vector2& size,
                                    const Model* model, GUIWindow* parent)
{
    return Register(buttons, flags, position, size, model, parent);
}

GUICheckBox* GUIManager::CreateCheckBox(const Vector2& position, const Vector2& size,
                                        const Model* model, GUIWindow* parent)
{
    return Register(checkBoxes, GUIWindowFlags::VertexColor, position, size, model, parent);
}

GUIEditBox* GUIManager::CreateEditBox(uint32_t flags, const Vector2& position,
                                      const Vector2& size, const Model* model, int32_t fontId,
                                      const ColorRGBA& color, const Vector2& textOffset,
                                      int32_t maxCharacters, float maxWidth, float visibleWidth,
                                      GUIWindow* parent)
{
    return Register(editBoxes, flags, position, size, model, fontId, color, textOffset,
                    maxCharacters, maxWidth, visibleWidth, parent);
}

GUIScroll* GUIManager::CreateScroll(const Vector2& position, const Vector2& size,
                                    const Model* model, bool vertical, const Vector2& trackStart,
                                    const Vector2& trackEnd, GUIWindow* parent)
{
    return Register(scrolls, GUIWindowFlags::VertexColor, position, size, model, vertical,
                    trackStart, trackEnd, parent);
}

GUICursor* GUIManager::CreateCursor(const ShaderDescriptor* material, float size)
{
    return Register(cursors, material, size, true);
}

} // namespace ZorvaneEngine
