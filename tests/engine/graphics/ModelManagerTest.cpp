#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/graphics/AnimationControl.h"
#include "engine/graphics/ShaderUser.h"
#include "platform/graphics/GraphicsResults.h"
#include "tests/engine/graphics/ModelFixture.h"

namespace ZorvaneEngine {
namespace {

class ModelManagerTest : public ModelFixture {
protected:
    // A registered clone of the template, moved to (x, 0, z).
    Model* Place(float x, float z, uint32_t bits)
    {
        Model* model = models->CloneModel(*boxTemplate, nullptr, 0);
        model->SetFlags(bits);
        model->ApplyTransform(Translation(x, 0, z));
        return model;
    }

    // The x of every world matrix handed to the device, in order.
    std::vector<float> DrawnX()
    {
        std::vector<float> xs;
        for (const Platform::GraphicsCall& call : graphics.Calls()) {
            if (call.name == "Device::SetTransform" &&
                call.args[0] == static_cast<double>(Platform::D3DTRANSFORMSTATE_WORLD)) {
                // The device takes the transposed matrix: translation in 12.
                xs.push_back(static_cast<float>(call.args[1 + 12]));
            }
        }
        return xs;
    }

    void SetUp() override
    {
        ModelFixture::SetUp();
        boxTemplate.reset(models->CreateBox({-1, -1, -1}, {1, 1, 1}, nullptr, 0));
    }
    void TearDown() override
    {
        boxTemplate.reset();
        ModelFixture::TearDown();
    }

    std::unique_ptr<Model> boxTemplate;
};

TEST_F(ModelManagerTest, DrawsGroupsInKeyOrderAndCounts)
{
    const uint32_t fixed = ModelFlags::FixedDepthKey;
    Model* a = Place(1, -10, fixed | ModelFlags::GroupSecond);
    Model* b = Place(2, -10, fixed | ModelFlags::GroupFirst);
    Model* c = Place(3, -10, fixed | ModelFlags::GroupSecond);
    Model* d = Place(4, -10, fixed | ModelFlags::GroupFirst);
    a->depthKey = 5;
    b->depthKey = 3;
    c->depthKey = 9;
    d->depthKey = 1;
    // Seen by nobody: behind the camera, and not visible.
    Place(5, 10, 0);
    Place(6, -10, 0)->flags &= ~ModelFlags::Visible;
    graphics.ClearCalls();

    models->RenderAll();
    // The first group in rising key, then the second in falling key.
    EXPECT_EQ(DrawnX(), (std::vector<float>{4, 2, 3, 1}));
    EXPECT_EQ(graphics.CallsNamed("Device::BeginScene").size(), 1u);
    EXPECT_EQ(graphics.CallsNamed("Device::EndScene").size(), 1u);
    EXPECT_EQ(graphics.Calls().back().name, "Device::EndScene");
    EXPECT_EQ(graphics.CallsNamed("Device::DrawIndexedPrimitive").size(), 4u);
    // The culled model counts as visible, not as drawn.
    EXPECT_EQ(models->GetVisibleModels(), 5u);
    EXPECT_EQ(models->GetDrawnModels(), 4u);
    EXPECT_EQ(models->GetVisiblePrimitives(), 60u);
    EXPECT_EQ(models->GetDrawnPrimitives(), 48u);

    // The bias joins the key: 9 − 5 = 4 puts c below a's 5.
    c->depthBias = -5;
    graphics.ClearCalls();
    models->RenderAll();
    EXPECT_EQ(DrawnX(), (std::vector<float>{4, 2, 1, 3}));

    // Without a depth key of its own a model takes its distance along the
    // view, so in the first group the nearer is drawn first. Equal keys
    // keep slot order.
    Model* far = Place(7, -30, ModelFlags::GroupFirst);
    Model* near = Place(8, -20, ModelFlags::GroupFirst);
    d->depthKey = 100;
    b->depthKey = 100;
    graphics.ClearCalls();
    models->RenderAll();
    EXPECT_FLOAT_EQ(near->depthKey, 20);
    EXPECT_FLOAT_EQ(far->depthKey, 30);
    EXPECT_EQ(DrawnX(), (std::vector<float>{8, 7, 2, 4, 1, 3}));
}

TEST_F(ModelManagerTest, NothingMovesWhileTheRendererIsNotReady)
{
    std::vector<Tools::Mesh> frames{Tools::QuadMesh(0, 0, 1, 1), Tools::QuadMesh(5, 0, 6, 1)};
    Put("m.mlf", Tools::BuildModelFile(Tools::MeshModel(Tools::ModelFlag::Morph | Tools::ModelFlag::List,
                                                        frames, 4)));
    Model* model = models->LoadModel("m.mlf", nullptr, ModelFlags::Visible);
    model->ApplyTransform(Translation(0, 0, -10));
    model->GetAnimation()->Play();
    timers->frameStep = 0.125f;
    models->RenderAll();
    ASSERT_FLOAT_EQ(model->GetAnimation()->position, 0.5f);
    ASSERT_EQ(models->GetDrawnModels(), 1u);

    graphics.Fail("DirectDraw::TestCooperativeLevel", Platform::DDERR_SURFACELOST);
    renderer->Refresh();
    ASSERT_FALSE(renderer->IsReady());
    graphics.ClearCalls();
    models->RenderAll();
    EXPECT_FLOAT_EQ(model->GetAnimation()->position, 0.5f);
    EXPECT_EQ(models->GetVisibleModels(), 0u);
    EXPECT_EQ(models->GetDrawnModels(), 0u);
    EXPECT_EQ(models->GetVisiblePrimitives(), 0u);
    EXPECT_EQ(models->GetDrawnPrimitives(), 0u);
    EXPECT_TRUE(graphics.Calls().empty());
}

TEST_F(ModelManagerTest, FactoriesRegisterAsTheirKindSays)
{
    Model* missing = models->LoadModel("missing.mlf", nullptr, 0);
    EXPECT_EQ(missing->name, "missing.mlf");
    EXPECT_EQ(missing->GetPrimitiveCount(), 12u);
    EXPECT_EQ(TakeLog().size(), 1u);
    std::unique_ptr<Model> unregistered(models->LoadUnregisteredModel("missing.mlf", nullptr, 0));
    std::unique_ptr<Model> box(models->CreateBox({0, 0, 0}, {1, 1, 1}, nullptr, 0));
    EXPECT_EQ(models->models.GetCount(), 1u);

    Model* made = models->CreateModel(0, 8, 12, nullptr, nullptr);
    EXPECT_EQ(made->name, "self_made");
    EXPECT_EQ(made->flags, ModelFlags::VertexBufferUsage);
    EXPECT_EQ(made->GetVertexBuffer()->GetCount(), 8u);
    EXPECT_EQ(made->GetIndexBuffer()->GetCount(), 12u);
    EXPECT_EQ(made->GetStrip(), 1u);
    EXPECT_EQ(made->GetPrimitiveCount(), 10u);
    EXPECT_FLOAT_EQ(made->box.localMax.x, 0.0001f);
    EXPECT_EQ(models->models.GetCount(), 2u);

    // Copies share the source's Shader and keep its transform and box.
    box->ApplyTransform(Translation(0, 5, 0));
    Model* clone = models->CloneModel(*box, nullptr, ModelFlags::VertexColor);
    std::unique_ptr<Model> copy(models->CloneUnregisteredModel(*box));
    EXPECT_EQ(models->models.GetCount(), 3u);
    EXPECT_EQ(clone->GetMaterial()->GetShader(), box->GetMaterial()->GetShader());
    EXPECT_EQ(clone->flags, box->flags | ModelFlags::VertexColor);
    EXPECT_EQ(clone->GetVertexBuffer()->GetStride(), 36u);
    EXPECT_EQ(copy->flags, box->flags);
    EXPECT_FLOAT_EQ(copy->box.worldMin.y, 5.0f);
    EXPECT_EQ(copy->GetVertexBuffer()->GetCount(), 24u);

    EXPECT_TRUE(models->models.Remove(made));
    delete made;
    EXPECT_FALSE(models->models.Remove(made));
    // missing and clone stay registered: the manager deletes them.
}

} // namespace
} // namespace ZorvaneEngine
