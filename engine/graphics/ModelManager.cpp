#include "engine/graphics/ModelManager.h"

#include <algorithm>

#include "engine/core/Error.h"
#include "engine/graphics/RenderSystem.h"

namespace ZorvaneEngine {

ModelManager::ModelManager(MessageManager* log, FileManager* files, TimerManager* timers,
                           RenderSystem* renderer, CameraManager* cameras, LightManager* lights,
                           ShaderManager* shaders)
    : services{log, files, timers, renderer, cameras, lights, shaders}
{
}

ModelManager::~ModelManager()
{
    renderList.clear();
    renderList.shrink_to_fit();
}

Model* ModelManager::LoadOrBox(const std::string& fileName, Camera* camera, uint32_t extraFlags)
{
    try {
        return new Model(services, fileName, camera, extraFlags);
    } catch (const FatalError&) {
        throw;
    } catch (const Error&) {
        Model* box = CreateBox(Vector3(-1, -1, -1), Vector3(1, 1, 1), camera, extraFlags);
        box->name = fileName;
        return box;
    }
}

Model* ModelManager::LoadModel(const std::string& fileName, Camera* camera, uint32_t extraFlags)
{
    Model* model = LoadOrBox(fileName, camera, extraFlags);
    models.Add(model);
    return model;
}

Model* ModelManager::LoadUnregisteredModel(const std::string& fileName, Camera* camera,
                                           uint32_t extraFlags)
{
    return LoadOrBox(fileName, camera, extraFlags);
}

Model* ModelManager::CloneModel(const Model& source, Camera* camera, uint32_t extraFlags)
{
    Model* model = new Model(source, camera, extraFlags);
    models.Add(model);
    return model;
}

Model* ModelManager::CloneUnregisteredModel(const Model& source)
{
    return new Model(source, nullptr, 0);
}

Model* ModelManager::CreateModel(uint32_t flags, uint32_t vertexCount, uint32_t indexCount,
                                 const ShaderDescriptor* material, Camera* camera)
{
    Model* model = new Model(services, flags, vertexCount, indexCount, material, camera);
    models.Add(model);
    return model;
}

Model* ModelManager::CreateBox(const Vector3& minimum, const Vector3& maximum, Camera* camera,
                               uint32_t extraFlags)
{
    return new Model(services, minimum, maximum, camera, extraFlags);
}

bool ModelManager::DrawsBefore(const Model* a, const Model* b)
{
    // Summed in single precision, as the keys are kept.
    const float keyA = a->depthKey + a->depthBias;
    const float keyB = b->depthKey + b->depthBias;
    if (a->flags & ModelFlags::GroupFirst) {
        return (b->flags & ModelFlags::GroupSecond) != 0 || keyA < keyB;
    }
    if (a->flags & ModelFlags::GroupSecond) {
        return !(b->flags & ModelFlags::GroupFirst) && keyA > keyB;
    }
    return false;
}

void ModelManager::RenderAll()
{
    visiblePrimitives = 0;
    drawnPrimitives = 0;
    visibleModels = 0;
    drawnModels = 0;
    if (!services.renderer->IsReady()) return;

    const std::vector<Model*>& slots = models.GetSlots();
    renderList.clear();
    if (renderList.capacity() < slots.size()) renderList.reserve(slots.size());
    for (Model* model : slots) {
        if (model == nullptr) continue;
        model->Update(true);
        if (!(model->flags & ModelFlags::Visible)) continue;
        visiblePrimitives += model->GetPrimitiveCount();
        drawnPrimitives += model->GetDrawCount();
        ++visibleModels;
        if (model->GetDrawCount() != 0) {
            ++drawnModels;
            renderList.push_back(model);
        }
    }
    std::stable_sort(renderList.begin(), renderList.end(), DrawsBefore);

    services.renderer->BeginScene();
    for (Model* model : renderList) model->Render();
    services.renderer->EndScene();
}

} // namespace ZorvaneEngine
