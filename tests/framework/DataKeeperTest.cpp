// The resource keeper: its defaults, its keys, what it frees, and its own
// loading thread.
#include "framework/DataKeeper.h"

#include <gtest/gtest.h>

#include <thread>

#include "engine/Engine.h"
#include "engine/core/EngineTestEnvironment.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/graphics/Model.h"
#include "engine/graphics/ModelFlags.h"
#include "engine/graphics/ModelManager.h"
#include "engine/graphics/ParticleSystem.h"
#include "engine/graphics/ParticleSystemManager.h"
#include "engine/graphics/ShaderDescriptor.h"
#include "engine/graphics/ShaderUser.h"
#include "engine/graphics/ShaderManager.h"
#include "engine/graphics/SpriteGroup.h"
#include "engine/graphics/SpriteGroupManager.h"

namespace GameFramework {
namespace {

using namespace ZorvaneEngine;

class DataKeeperTest : public ::testing::Test {
protected:
    // The pools' populations, to see that a keeper gives back all it took.
    struct Counts {
        size_t shaderUsers, models, spriteGroups, particleSystems;
        bool operator==(const Counts&) const = default;
    };
    Counts Population() const
    {
        return {engine->materials->GetUsers().size(), engine->models->models.GetCount(),
                engine->spriteGroups->groups.GetCount(), engine->particleSystems->systems.GetCount()};
    }
    std::vector<std::string> Errors() const
    {
        std::vector<std::string> errors;
        for (const LogMessage& m : engine->log->GetFrameMessages())
            if (m.level == 2) errors.push_back(m.text);
        return errors;
    }
    Model* Box() const { return engine->models->CreateBox({-1, -1, -1}, {1, 1, 1}, nullptr, 0); }
    ParticleSystem* BuiltIn() const { return new ParticleSystem(engine->particleSystems->GetServices(), nullptr); }

    TestSupport::EngineTestEnvironment env;
    std::unique_ptr<Engine> engine = std::make_unique<Engine>(env.Settings());
};

TEST_F(DataKeeperTest, LoadMakesFourHiddenDefaultsAndTheKeeperGivesBackEverything)
{
    const Counts before = Population();
    {
        DataKeeper keeper(engine.get(), "ge");
        keeper.StartLoad();
        EXPECT_EQ(keeper.GetProgress(), 1.0f);
        ASSERT_NE(keeper.GetDefaultShaderUser(), nullptr);
        ASSERT_NE(keeper.GetDefaultModel(), nullptr);
        ASSERT_NE(keeper.GetDefaultSpriteGroup(), nullptr);
        ASSERT_NE(keeper.GetDefaultParticleSystem(), nullptr);
        EXPECT_EQ(keeper.GetDefaultParticleSystem()->name, "self_made");
        EXPECT_EQ(keeper.GetDefaultSpriteGroup()->capacity, 1u);
        EXPECT_EQ(keeper.GetDefaultSpriteGroup()->mesh->flags & ModelFlags::Visible, 0u);
        EXPECT_EQ(keeper.GetDefaultParticleSystem()->spriteGroup->mesh->flags & ModelFlags::Visible, 0u);
        EXPECT_TRUE(keeper.GetModels().empty());

        // Resources from the registering factories go too.
        keeper.AddModel("registered", engine->models->CreateModel(0, 4, 6, nullptr, nullptr));
        keeper.AddParticleSystem("registered", engine->particleSystems->LoadParticleSystem("none.psf", nullptr));
        keeper.AddShaderUser("plain", engine->materials->CreateShaderUser(ShaderDescriptor()));
        EXPECT_NE(Population(), before);
    }
    EXPECT_EQ(Population(), before);
}

TEST_F(DataKeeperTest, KeysKeepTheFirstResourceAndFreeTheRejectedOne)
{
    const Counts before = Population();
    {
        DataKeeper keeper(engine.get(), "ge");
        Model* first = Box();
        keeper.AddModel("k", first);
        keeper.AddModel("k", Box());   // freed: a leak would fail the sanitised run
        keeper.AddModel("k", first);   // the same one again is kept, not freed
        keeper.AddModel("null", nullptr);
        EXPECT_EQ(keeper.GetModels().size(), 1u);
        EXPECT_EQ(keeper.GetModels().at("k"), first);
        const std::vector<std::string> modelErrors = Errors();
        ASSERT_EQ(modelErrors.size(), 2u);
        for (const std::string& error : modelErrors)
            EXPECT_NE(error.find("(DataKeeper::AddModel): Model \"k\" is duplicated"), std::string::npos);

        ParticleSystem* ps = BuiltIn();
        keeper.AddParticleSystem("p", ps);
        keeper.AddParticleSystem("p", BuiltIn());
        ShaderUser* user = engine->materials->CreateShaderUser(ShaderDescriptor());
        keeper.AddShaderUser("s", user);
        keeper.AddShaderUser("s", engine->materials->CreateShaderUser(ShaderDescriptor()));
        EXPECT_EQ(keeper.GetParticleSystems().at("p"), ps);
        EXPECT_EQ(keeper.GetShaderUsers().at("s"), user);
        const std::vector<std::string> errors = Errors();
        ASSERT_EQ(errors.size(), 4u);
        EXPECT_NE(errors[2].find("(DataKeeper::AddParticleSystem): Particle System \"p\" is duplicated"),
                  std::string::npos);
        EXPECT_NE(errors[3].find("(DataKeeper::AddShaderUser): Shader User \"s\" is duplicated"), std::string::npos);
    }
    EXPECT_EQ(Population(), before);
}

TEST_F(DataKeeperTest, AnonymousEntriesCountFromTheirOwnMap)
{
    DataKeeper keeper(engine.get(), "ge");
    Model* a = Box();
    Model* b = Box();
    keeper.AddAnonymousModel(a);
    keeper.AddAnonymousModel(b);
    keeper.AddAnonymousModel(nullptr);
    keeper.AddAnonymousParticleSystem(BuiltIn());
    EXPECT_EQ(keeper.GetModels().at("123456789"), a);
    EXPECT_EQ(keeper.GetModels().at("123456790"), b);
    EXPECT_EQ(keeper.GetModels().size(), 2u);
    EXPECT_EQ(keeper.GetParticleSystems().count("123456789"), 1u);

    // A named entry holding the next number: the anonymous one passes over
    // it instead of being freed under its creator's hands.
    keeper.AddModel("123456792", Box());
    Model* c = Box();
    keeper.AddAnonymousModel(c);
    EXPECT_EQ(keeper.GetModels().at("123456793"), c);
    EXPECT_TRUE(Errors().empty());
}

TEST_F(DataKeeperTest, AThreadedKeeperHasLoadedWhenStartLoadReturns)
{
    struct Keeper : DataKeeper {
        using DataKeeper::DataKeeper;
        void Load() override
        {
            DataKeeper::Load();
            loadedOn = std::this_thread::get_id();
        }
        std::thread::id loadedOn;
    };
    Keeper keeper(engine.get(), "ge");
    keeper.threaded = true;
    keeper.StartLoad();
    EXPECT_NE(keeper.loadedOn, std::thread::id());
    EXPECT_NE(keeper.loadedOn, std::this_thread::get_id());
    EXPECT_NE(keeper.GetDefaultModel(), nullptr);
    EXPECT_EQ(keeper.GetProgress(), 1.0f);

    // Without a thread to run on, the program cannot go on.
    Keeper stranded(engine.get(), "ge");
    stranded.threaded = true;
    env.scripted.failThreadCreation = true;
    try {
        stranded.StartLoad();
        FAIL() << "no fatal error";
    } catch (const FatalError& error) {
        EXPECT_EQ(error.message, "Failed to create \"DataKeeper::Load\" thread");
    }
    EXPECT_EQ(stranded.GetProgress(), 0.0f);
}

// Resource description files: what a file adds, and what a damaged one
// cannot do.
class DataKeeperResourceFileTest : public DataKeeperTest {
protected:
    void Put(const std::string& name, const std::string& text)
    {
        TestSupport::WriteWholeFile(env.folder / ("bin/data/" + name), text);
    }
    std::vector<std::string> Keys(const DataKeeper& keeper) const
    {
        std::vector<std::string> keys;
        for (const auto& entry : keeper.GetModels()) keys.push_back(entry.first);
        return keys;
    }
};

TEST_F(DataKeeperResourceFileTest, GroupsLoopsAndLanguagesNameTheResources)
{
    Put("levels/res.xml",
        "<resources>\n"
        "  <level>\n"
        "    <loop counter=\"j\" start=\"3\" count=\"4\">\n"
        "      <loop start=\"2\" count=\"5\">\n"
        "        <model name=\"stone%i2%_%j%\" file_name=\"stone_%i%.mlf\" color_verticies=\"1\"/>\n"
        "      </loop>\n"
        "    </loop>\n"
        "    <model name=\"once%i%%i%\"/>\n"
        "    <loop start=\"7\" count=\"8\"><model name=\"a%i2%b%i%\"/></loop>\n"
        "    <model name=\"tree\" language=\"en\" file_name=\"tree.mlf\"/>\n"
        "    <model name=\"bush\" language=\"ge\"/>\n"
        "    <shader name=\"sky\" diffuse_file_name=\"Sky.jpg\" opacity_file_name=\"32bit\" animation_type=\"net\"\n"
        "            net_size=\"4, 2\" frame_count=\"8\" animation_speed=\"12.5\" clamp=\"0\"/>\n"
        "    <particles name=\"nothing\"/>\n"
        "  </level>\n"
        "  <model name=\"top\" file_name=\"box.mlf\"/>\n"
        "</resources>\n");
    DataKeeper keeper(engine.get(), "ge");
    keeper.resourceFiles.push_back("data\\levels\\res.xml");
    keeper.StartLoad();

    EXPECT_EQ(Keys(keeper), (std::vector<std::string>{"level/a07b%i%", "level/bush", "level/once%i%%i%",
                                                      "level/stone02_3", "level/stone03_3", "level/stone04_3",
                                                      "top"}));
    // File names are below the description file's folder; missing files
    // give boxes named after them.
    const Model* stone = keeper.GetModels().at("level/stone03_3");
    EXPECT_EQ(stone->name, "levels\\stone_3.mlf");
    EXPECT_NE(stone->flags & ModelFlags::VertexColor, 0u);
    EXPECT_EQ(keeper.GetModels().at("level/bush")->name, "levels\\unknown_file_name");
    EXPECT_EQ(keeper.GetModels().at("level/bush")->flags & ModelFlags::VertexColor, 0u);

    ASSERT_EQ(keeper.GetShaderUsers().size(), 1u);
    const ShaderStage& stage = keeper.GetShaderUsers().at("level/sky")->stages[0];
    EXPECT_EQ(stage.diffuse, "levels\\sky.jpg");
    EXPECT_EQ(stage.opacity, "");
    EXPECT_EQ(stage.animation, static_cast<uint32_t>(AnimationGrid));
    EXPECT_EQ(stage.cols, 4u);
    EXPECT_EQ(stage.rows, 2u);
    EXPECT_EQ(stage.frameCount, 8u);
    EXPECT_FLOAT_EQ(stage.speed, 12.5f);
    EXPECT_EQ(stage.addressU, 1u);  // not clamped: wrapped
}

TEST_F(DataKeeperResourceFileTest, DamagedFilesAddNothingAndEndInTime)
{
    Put("broken.xml", "<resources><model name=\"a\"></resources>");
    std::string deep;
    for (int i = 0; i < 300; ++i) deep += "<g>";
    deep += "<model name=\"deep\"/>";
    for (int i = 0; i < 300; ++i) deep += "</g>";
    Put("deep.xml", deep);
    Put("loops.xml", "<loop count=\"2000000000\"><loop count=\"2000000000\"/><model name=\"m\"/></loop>");

    DataKeeper keeper(engine.get(), "ge");
    keeper.resourceFiles = {"data\\missing.xml", "data\\broken.xml", "data\\deep.xml", "data\\loops.xml"};
    keeper.StartLoad();
    // The inner loop spends the file's whole budget: nothing after it runs.
    EXPECT_TRUE(keeper.GetModels().empty());
    const std::vector<std::string> errors = Errors();
    ASSERT_EQ(errors.size(), 4u);
    EXPECT_NE(errors[1].find("XML format error"), std::string::npos);
    EXPECT_NE(errors[2].find("too deeply"), std::string::npos);
    EXPECT_NE(errors[3].find("too deeply"), std::string::npos);
}

} // namespace
} // namespace GameFramework
