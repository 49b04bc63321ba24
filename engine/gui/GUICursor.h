#pragma once
// A square picture that follows the system mouse cursor in GUI units, its
// hot spot at the picture's top-left corner. The GUI manager's default
// cursor has no picture: it only tracks the position every hit test uses.
#include <cstdint>

#include "engine/core/MathTypes.h"

namespace ZorvaneEngine {

class Camera;
class Controls;
class GUIManager;
class MessageManager;
class Model;
class ModelManager;
class ShaderDescriptor;
class Window;

class GUICursor {
public:
    // In front of every window.
    static constexpr float Depth = -30.1f;

    // Without a model when withModel is false (the default cursor).
    GUICursor(const GUIManager& manager, const ShaderDescriptor* material, float size,
              bool withModel);
    // Removes the model from the model manager and deletes it.
    virtual ~GUICursor();

    GUICursor(const GUICursor&) = delete;
    GUICursor& operator=(const GUICursor&) = delete;

    // The system cursor's client pixel mapped onto the GUI camera's extent,
    // y upwards. A window without a client area leaves the position alone.
    void Update();
    // Moves the picture to the position and shows it when visible is set.
    void Draw();

    Model* model = nullptr;  // owned; null for the default cursor
    bool visible = false;
    Vector2 position;  // GUI units

private:
    MessageManager* log;
    Window* window;
    ModelManager* models;
    Controls* controls;
    Camera* camera;
};

} // namespace ZorvaneEngine
