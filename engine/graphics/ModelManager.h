#pragma once
// The factory of every Model and the renderer of the registered ones: once a
// frame RenderAll updates each registered model in slot order, lists the
// visible ones the camera sees, sorts them into draw order and draws them
// between the renderer's BeginScene and EndScene.
//
// Draw order: every model of group GroupFirst (rising key) before every model
// of group GroupSecond (falling key), the key being the depth key plus the
// depth bias. The sort is stable, so models of equal key keep slot order.
//
// A model a factory returns belongs to the caller. To end a registered one,
// remove it from the pool and delete it when Remove returned true; whatever
// is still registered when the manager ends is deleted with the pool.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/core/MathTypes.h"
#include "engine/graphics/Model.h"
#include "engine/graphics/ObjectManager.h"

namespace ZorvaneEngine {

class ModelManager {
public:
    ModelManager(MessageManager* log, FileManager* files, TimerManager* timers,
                 RenderSystem* renderer, CameraManager* cameras, LightManager* lights,
                 ShaderManager* shaders);
    virtual ~ModelManager();

    ModelManager(const ModelManager&) = delete;
    ModelManager& operator=(const ModelManager&) = delete;

    // A model file that cannot be read (already logged by the model) gives
    // the 2 × 2 × 2 box around the origin, named after the file.
    Model* LoadModel(const std::string& fileName, Camera* camera, uint32_t extraFlags);
    // Not registered: templates for clones. Touches neither the pool nor the
    // render list, so the loading thread may call it.
    Model* LoadUnregisteredModel(const std::string& fileName, Camera* camera, uint32_t extraFlags);
    Model* CloneModel(const Model& source, Camera* camera, uint32_t extraFlags);
    Model* CloneUnregisteredModel(const Model& source);
    // Registered, named "self_made", buffers for the caller to fill; a null
    // description gives the default material.
    Model* CreateModel(uint32_t flags, uint32_t vertexCount, uint32_t indexCount,
                       const ShaderDescriptor* material, Camera* camera);
    // Not registered.
    Model* CreateBox(const Vector3& minimum, const Vector3& maximum, Camera* camera,
                     uint32_t extraFlags);

    // The frame's pass; nothing while the renderer is not ready.
    void RenderAll();

    // The render-order "less than".
    static bool DrawsBefore(const Model* a, const Model* b);

    uint32_t GetVisiblePrimitives() const { return visiblePrimitives; }
    uint32_t GetDrawnPrimitives() const { return drawnPrimitives; }
    uint32_t GetVisibleModels() const { return visibleModels; }
    uint32_t GetDrawnModels() const { return drawnModels; }
    const std::vector<Model*>& GetRenderList() const { return renderList; }

    ObjectManager<Model> models;

private:
    Model* LoadOrBox(const std::string& fileName, Camera* camera, uint32_t extraFlags);

    ModelServices services;
    std::vector<Model*> renderList;  // rebuilt every frame, capacity kept
    // Cleared at the start of every RenderAll.
    uint32_t visiblePrimitives = 0;
    uint32_t drawnPrimitives = 0;
    uint32_t visibleModels = 0;
    uint32_t drawnModels = 0;
};

} // namespace ZorvaneEngine
