#pragma once
// The engine's GUI service. Creates every widget through its factories and
// keeps each widget type in a pool of its own; owns the orthographic GUI
// camera, the text table, the GUI sounds and the default cursor, whose
// position every hit test uses. Once a frame Update hit-tests every widget
// against the mouse and Draw places their models and draws their texts; the
// model manager draws the models afterwards.
//
// A widget from a factory belongs to the caller: remove it from the pool of
// its type and delete it when Remove returned true. Whatever is still in a
// pool when the manager ends is deleted with the pool.
//
// Layouts are made for the GUI camera's extent (the game base sets 800 by
// 600 whatever the display mode). Main thread only.
#include <cstdint>
#include <memory>
#include <string>

#include "engine/core/MathTypes.h"
#include "engine/graphics/ObjectManager.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUICheckBox.h"
#include "engine/gui/GUICursor.h"
#include "engine/gui/GUIEditBox.h"
#include "engine/gui/GUIScroll.h"
#include "engine/gui/GUISlider.h"
#include "engine/gui/GUIWindow.h"

namespace ZorvaneEngine {

class Camera;
class CameraManager;
class Controls;
class FileManager;
class GUIFontManager;
class GUISoundManager;
class GUITextManager;
class MessageManager;
class Model;
class ModelManager;
class ShaderDescriptor;
class ShaderManager;
class SoundManager;
class TimerManager;
class Window;

class GUIManager {
public:
    // The GUI camera spans z from 500 (near) to -500 (far).
    static constexpr float CameraNear = 500.0f;
    static constexpr float CameraFar = -500.0f;

    // sounds may be null (no sound device): the GUI then plays nothing.
    GUIManager(MessageManager* log, FileManager* files, Window* window, TimerManager* timers,
               CameraManager* cameras, ShaderManager* materials, ModelManager* models,
               Controls* controls, SoundManager* sounds);
    virtual ~GUIManager();

    GUIManager(const GUIManager&) = delete;
    GUIManager& operator=(const GUIManager&) = delete;

    // Once a frame after the input's update: the cursors follow the mouse,
    // then every widget's hit test, pool by pool (windows, buttons, check
    // boxes, edit boxes, sliders, scroll bars), each in slot order.
    void Update();
    // Once a frame before the model manager draws: cursors, then every
    // widget in the same order, then the end of the text pass.
    void Draw();

    // Factories: each registers the widget in the pool of its type. The
    // parent may be null.
    GUIWindow* CreateQuadWindow(uint32_t flags, const Vector2& position, const Vector2& size,
                                const ShaderDescriptor* material, GUIWindow* parent,
                                const Vector2& uvSize);
    // A null model gives a window without a model.
    GUIWindow* CreateWindow(uint32_t flags, const Vector2& position, const Vector2& size,
                            const Model* model, GUIWindow* parent);
    GUIWindow* CreateWindowFromFile(uint32_t flags, const Vector2& position, const Vector2& size,
                                    const std::string& modelFile, GUIWindow* parent);
    // Takes a window from the windows' pool and deletes it; window is null
    // afterwards. Nothing for a null window or one the pool does not hold.
    void DeleteWindow(GUIWindow*& window);
    GUIButton* CreateButton(uint32_t flags, const Vector2& position, const Vector2& size,
                            const Model* model, GUIWindow* parent);
    // Flags fixed to per-vertex colour: a check box starts hidden.
    GUICheckBox* CreateCheckBox(const Vector2& position, const Vector2& size, const Model* model,
                                GUIWindow* parent);
    // fontId names the font of the text; textOffset is where the text starts
    // in the box; the text keeps to maxCharacters and maxWidth and is drawn
    // in visibleWidth.
    GUIEditBox* CreateEditBox(uint32_t flags, const Vector2& position, const Vector2& size,
                              const Model* model, int32_t fontId, const ColorRGBA& color,
                              const Vector2& textOffset, int32_t maxCharacters, float maxWidth,
                              float visibleWidth, GUIWindow* parent);
    // Flags fixed to per-vertex colour: a scroll bar starts hidden. Thumb
    // and arrows start without models; the caller replaces them.
    GUIScroll* CreateScroll(const Vector2& position, const Vector2& size, const Model* model,
                            bool vertical, const Vector2& trackStart, const Vector2& trackEnd,
                            GUIWindow* parent);
    GUICursor* CreateCursor(const ShaderDescriptor* material, float size);

    // The services, for the widgets built on them.
    MessageManager* GetLog() const { return log; }
    FileManager* GetFileManager() const { return files; }
    Window* GetWindow() const { return window; }
    TimerManager* GetTimers() const { return timers; }
    CameraManager* GetCameraManager() const { return cameras; }
    ShaderManager* GetShaderManager() const { return materials; }
    ModelManager* GetModelManager() const { return models; }
    Controls* GetControls() const { return controls; }
    // Null when the renderer makes no cameras; the windows then use the
    // default camera.
    Camera* GetCamera() const { return camera; }
    GUITextManager* GetTextManager() const { return textManager.get(); }
    GUIFontManager* GetFontManager() const { return fontManager.get(); }
    GUISoundManager* GetSoundManager() const { return soundManager.get(); }
    GUICursor* GetDefaultCursor() const { return defaultCursor; }

    // The pools, in order of creation.
    ObjectManager<GUICursor> cursors;
    ObjectManager<GUIWindow> windows;
    ObjectManager<GUIButton> buttons;
    ObjectManager<GUICheckBox> checkBoxes;
    ObjectManager<GUIEditBox> editBoxes;
    ObjectManager<GUISlider> sliders;
    ObjectManager<GUIScroll> scrolls;

private:
    // A new window of type T registered in pool; null when nothing could be
    // allocated.
    template <typename T, typename... Arguments>
    T* Register(ObjectManager<T>& pool, Arguments&&... arguments);

    MessageManager* log;
    FileManager* files;
    Window* window;
    TimerManager* timers;
    CameraManager* cameras;
    ShaderManager* materials;
    ModelManager* models;
    Controls* controls;
    Camera* camera = nullptr;  // the camera manager's
    std::unique_ptr<GUITextManager> textManager;
    std::unique_ptr<GUIFontManager> fontManager;
    std::unique_ptr<GUISoundManager> soundManager;
    GUICursor* defaultCursor = nullptr;  // registered in the cursor pool
};

} // namespace ZorvaneEngine
