#pragma once
// One user's material: its own copy of the description (colours, blending,
// addressing and texture matrix are the user's), the animation clock of each
// stage, and the Shader it shares with every user of an equal description.
// Made and released only by the ShaderManager.
#include <cstdint>

#include "engine/graphics/ShaderDescriptor.h"

namespace ZorvaneEngine {

class MessageManager;
class Shader;
class TimerManager;

class ShaderUser : public ShaderDescriptor {
public:
    // Counts itself a user of the shader. A stage with StageRandomStart
    // starts its clock at a random point of its frames, drawn from the
    // shared generator in stage order; every other clock starts at 0.
    ShaderUser(const ShaderDescriptor& description, MessageManager* log, TimerManager* timers,
               Shader* shader);
    // Leaves the shader, deleting it when this was its last user.
    ~ShaderUser() override;

    ShaderUser(const ShaderUser&) = delete;
    ShaderUser& operator=(const ShaderUser&) = delete;

    // Once a frame: advances each animated stage's clock by the frame step
    // and sets its current frame, or for a grid the texture matrix of the
    // current cell.
    void Update();

    Shader* GetShader() const { return shader; }

    float clocks[MaxStages] = {0.0f, 0.0f};  // in frames

private:
    MessageManager* log;
    TimerManager* timers;
    Shader* shader;
};

} // namespace ZorvaneEngine
