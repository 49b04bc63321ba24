// Buttons, check boxes and scroll bars driven through the GUI manager by a
// scripted mouse, frame by frame.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/core/TimerManager.h"
#include "engine/graphics/AnimationControl.h"
#include "engine/graphics/Camera.h"
#include "engine/graphics/Model.h"
#include "engine/graphics/ShaderDescriptor.h"
#include "engine/graphics/ShaderManager.h"
#include "engine/graphics/ShaderUser.h"
#include "engine/core/Timer.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUISoundManager.h"
#include "engine/sound/Sound.h"
#include "engine/sound/SoundManager.h"
#include "engine/sound/SoundSystem_DS7.h"
#include "platform/audio/scripted/ScriptedAudio.h"
#include "tools/common/FontWriter.h"
#include "tools/common/ModelWriter.h"
#include "tests/engine/gui/GUIFixture.h"

namespace ZorvaneEngine {
namespace {

class GUIWidgetTest : public GUIFixture {
protected:
    void SetUp() override
    {
        GUIFixture::SetUp();
        // Client pixels map one to one onto GUI units.
        window->width = 800;
        window->height = 600;
    }

    // One frame with the cursor at (x, y) in GUI units and the left mouse
    // button held or not; a button going down counts as pressed this frame.
    void Mouse(float x, float y, bool down)
    {
        controls->SetKeyState(down, "MOUSE1");
        Frame(static_cast<int32_t>(x), static_cast<int32_t>(599 - y));
        controls->EndFrame();
    }
};

TEST_F(GUIWidgetTest, ButtonsAndCheckBoxesFollowTheMouse)
{
    GUIButton* button = gui->CreateButton(Shown, {100, 100}, {100, 50}, nullptr, nullptr);
    GUICheckBox* box = gui->CreateCheckBox({300, 100}, {40, 40}, nullptr, nullptr);
    ASSERT_NE(button, nullptr);
    ASSERT_NE(box, nullptr);

    // A check box starts hidden: the mouse does nothing to it.
    Mouse(320, 120, true);
    Mouse(320, 120, false);
    EXPECT_FALSE(box->hovered);
    EXPECT_FALSE(box->checked);
    box->SetVisible(true);
    EXPECT_EQ(box->hoverSound, GUISoundCheckBoxHover);
    EXPECT_EQ(box->clickSound, GUISoundCheckBoxClick);

    struct Step {
        float x, y;
        bool down;
        ButtonState button;
        bool buttonClicked;
        ButtonState box;
        bool checked;
    };
    const Step steps[] = {
        {150, 125, false, ButtonStateHover, false, ButtonStateNormal, false},
        {150, 125, true, ButtonStatePressed, false, ButtonStateNormal, false},
        // Held onto the check box: the button lets go of the look, not the latch.
        {320, 120, true, ButtonStateNormal, false, ButtonStateHover, false},
        {320, 120, false, ButtonStateNormal, false, ButtonStateHover, false},
        {320, 120, true, ButtonStateNormal, false, ButtonStatePressed, false},
        {320, 120, false, ButtonStateNormal, false, ButtonStateHover, true},
        {320, 120, false, ButtonStateNormal, false, ButtonStateHover, true},
        {150, 125, true, ButtonStatePressed, false, ButtonStateNormal, true},
        {320, 120, true, ButtonStateNormal, false, ButtonStateHover, true},
        {150, 125, true, ButtonStatePressed, false, ButtonStateNormal, true},
        {150, 125, false, ButtonStateHover, true, ButtonStateNormal, true},
        {150, 125, false, ButtonStateHover, false, ButtonStateNormal, true},
        {320, 120, true, ButtonStateNormal, false, ButtonStatePressed, true},
        {320, 120, false, ButtonStateNormal, false, ButtonStateHover, false},
    };
    int frame = 0;
    for (const Step& s : steps) {
        SCOPED_TRACE("frame " + std::to_string(frame++));
        Mouse(s.x, s.y, s.down);
        EXPECT_EQ(button->state, s.button);
        EXPECT_EQ(button->clicked, s.buttonClicked);
        EXPECT_EQ(box->state, s.box);
        EXPECT_EQ(box->checked, s.checked);
    }
    EXPECT_EQ(box->GetFrameIndex(), 1u);

    // Disabled: no hover, no click, the disabled frame of its side.
    box->SetEnabled(false);
    Mouse(320, 120, true);
    Mouse(320, 120, false);
    EXPECT_FALSE(box->checked);
    EXPECT_EQ(box->GetFrameIndex(), 6u);
    box->checked = true;
    EXPECT_EQ(box->GetFrameIndex(), 7u);

    // Hidden while hovered and shown again, an enabled button starts normal.
    Mouse(150, 125, false);
    EXPECT_EQ(button->state, ButtonStateHover);
    button->SetVisible(false);
    button->SetVisible(true);
    EXPECT_EQ(button->state, ButtonStateNormal);
}

TEST_F(GUIWidgetTest, TheArtFrameOfTheStateOutlastsTheMaterialAnimation)
{
    // Four frames of art side by side in a grid, not playing.
    ShaderDescriptor art("button.tga", "", AnimationGrid, 4, 1, 4, 0.0f, true);
    auto* button = new GUIButton(*gui, Shown, {100, 100}, {100, 50}, &art, nullptr, {1, 1});
    gui->buttons.Add(button);
    ShaderUser* material = button->model->GetMaterial();
    ASSERT_NE(material, nullptr);
    // The grid's column of the frame shown.
    const auto column = [&] { return material->stages[0].offsetU * 4.0f - 0.005f; };

    const struct {
        bool hovered, down;
        uint32_t frame;
    } steps[] = {{true, false, 1}, {true, true, 2}, {false, true, 0}, {true, false, 1}};
    for (const auto& s : steps) {
        Mouse(s.hovered ? 150 : 500, 125, s.down);
        // The scene pass animates every material after the GUI has drawn.
        timers->frameStep = 0.02f;
        for (const auto& entry : shaders->GetUsers()) entry.second->Update();
        EXPECT_NEAR(column(), static_cast<float>(s.frame), 1e-4f);
    }
    button->SetEnabled(false);
    Mouse(150, 125, false);
    for (const auto& entry : shaders->GetUsers()) entry.second->Update();
    EXPECT_NEAR(column(), 3.0f, 1e-4f);
}

// Every widget's sounds reach the sound manager's queue by their ids.
TEST_F(GUIWidgetTest, TheArtFrameOfTheStateOutlastsTheModelAnimation)
{
    // Four morph frames, playing at 10 frames a second as loaded.
    std::vector<Tools::Mesh> frames;
    for (int f = 0; f < 4; ++f) frames.push_back(Tools::QuadMesh(0, 0, 1, 1));
    Put("art.mlf", Tools::BuildModelFile(Tools::MeshModel(
                       Tools::ModelFlag::Morph | Tools::ModelFlag::List, frames, 10.0f)));
    auto* button =
        new GUIButton(*gui, Shown, {100, 100}, {100, 50}, std::string("art.mlf"), nullptr);
    gui->buttons.Add(button);
    AnimationControl* animation = button->model->GetAnimation();
    ASSERT_NE(animation, nullptr);
    animation->playing = true;

    timers->frameStep = 0.25f;
    const struct {
        bool hovered, down;
        uint32_t frame;
    } steps[] = {{true, false, 1}, {true, true, 2}, {true, true, 2}, {false, true, 0}};
    for (const auto& s : steps) {
        Mouse(s.hovered ? 150 : 500, 125, s.down);
        // The scene pass updates every model after the GUI has drawn.
        button->model->Update(false);
        EXPECT_EQ(animation->currentFrame, s.frame);
    }
}

class GUIWidgetSoundTest : public GUIWidgetTest {
protected:
    void SetUp() override
    {
        GUIWidgetTest::SetUp();
        system = std::make_unique<SoundSystem_DS7>(&log, files.get(), timers.get(), config.get(),
                                                   nullptr, false);
        sounds = std::make_unique<SoundManager>(&log, files.get(), system.get());
        // The fixture's manager has no sound: this one stands in for it.
        gui = std::make_unique<GUIManager>(&log, files.get(), window.get(), timers.get(),
                                           cameras.get(), shaders.get(), models.get(),
                                           controls.get(), sounds.get());
        gui->GetCamera()->orthoWidth = 800;
        gui->GetCamera()->orthoHeight = 600;
        // Files that do not exist play silence but still take their turn.
        for (uint32_t id = 0; id <= 12; ++id) {
            gui->GetSoundManager()->AddSound(static_cast<GUISoundId>(id),
                                             "id" + std::to_string(id) + ".wav");
        }
    }
    void TearDown() override
    {
        gui.reset();
        sounds.reset();
        system.reset();
        GUIWidgetTest::TearDown();
    }

    // One frame a tenth of a second after the last, and the ids of the
    // sounds it queued.
    std::vector<std::string> SoundsOf(float x, float y, bool down)
    {
        now += 0.1f;
        timers->GetMainTimer()->SetTime(now);
        Mouse(x, y, down);
        std::vector<std::string> names;
        for (const SoundCommand& command : sounds->commandQueue) {
            EXPECT_EQ(command.operation, SoundCommand::Play);
            const std::string name = command.sound->GetName();
            names.push_back(name.substr(0, name.find('.')));
        }
        sounds->commandQueue.clear();
        return names;
    }

    Platform::ScriptedAudio audio;
    std::unique_ptr<SoundSystem_DS7> system;
    std::unique_ptr<SoundManager> sounds;
    float now = 1.0f;
};

TEST_F(GUIWidgetSoundTest, WidgetsPlayTheirOwnSounds)
{
    gui->CreateButton(Shown, {100, 100}, {100, 50}, nullptr, nullptr);
    gui->CreateCheckBox({300, 100}, {40, 40}, nullptr, nullptr)->SetVisible(true);
    GUIScroll* scroll =
        gui->CreateScroll({100, 300}, {224, 20}, nullptr, false, {0, 0}, {200, 0}, nullptr);
    scroll->CreateThumb({24, 20}, nullptr);
    scroll->CreateIncreaseButton({240, 0}, {20, 20}, nullptr);  // x 340 to 360
    scroll->SetVisible(true);
    using Names = std::vector<std::string>;

    const struct {
        float x, y;
        bool down;
        Names sounds;
    } steps[] = {
        {500, 500, false, {}},
        {150, 125, false, {"id0"}},
        {150, 125, false, {}},
        {150, 125, true, {"id1"}},   // on the press
        {320, 120, true, {"id2"}},   // entering unlatched, even with the mouse held
        {320, 120, false, {}},
        {320, 120, true, {"id3"}},
        {320, 120, false, {}},
        {150, 310, false, {"id8"}},  // the thumb spans the whole track
        {150, 310, true, {"id9"}},
        {150, 310, false, {}},
        {350, 310, false, {"id10"}},
        {350, 310, true, {"id11"}},
    };
    int frame = 0;
    for (const auto& s : steps) {
        SCOPED_TRACE("frame " + std::to_string(frame++));
        EXPECT_EQ(SoundsOf(s.x, s.y, s.down), s.sounds);
    }
    SoundsOf(350, 310, false);

    // The edit box sounds on every change of its text, and only then.
    Tools::FontGlyph glyph;
    glyph.code = u'a';
    glyph.advance = 1.0f;
    Put("a.fnt", Tools::BuildFontFile({glyph}));
    gui->GetFontManager()->LoadFont(0, ShaderDescriptor(), "a.fnt");
    gui->CreateEditBox(Shown, {0, 0}, {100, 20}, nullptr, 0, ColorRGBA(1, 1, 1, 1), {0, 0}, 2,
                       1000.0f, 100.0f, nullptr);
    const struct {
        uint16_t code;
        bool isCharacter;
        Names sounds;
    } keys[] = {{u'a', true, {"id12"}}, {u'b', true, {}},        {0x25, false, {}},
                {0x2D, false, {}},      {0x2E, false, {"id12"}}, {0x2E, false, {}}};
    for (const auto& k : keys) {
        SCOPED_TRACE("key " + std::to_string(k.code));
        window->keyEvent = {true, k.isCharacter, k.code};
        EXPECT_EQ(SoundsOf(500, 500, false), k.sounds);
    }
}

class GUIScrollTest : public GUIWidgetTest {
protected:
    void SetUp() override
    {
        GUIWidgetTest::SetUp();
        // A track from x 100 to 300 at y 100; a thumb 24 wide, so its centre
        // is 12 right of its corner; 9 steps, one every 25 units.
        scroll = gui->CreateScroll({100, 100}, {224, 20}, nullptr, false, {0, 0}, {200, 0},
                                   nullptr);
        ASSERT_NE(scroll, nullptr);
        scroll->CreateQuadThumb({24, 20}, nullptr, {1, 1});
        scroll->CreateIncreaseButton({240, 0}, {20, 20}, nullptr);  // x 340 to 360
        scroll->CreateDecreaseButton({-40, 0}, {20, 20}, nullptr);  // x 60 to 80
        scroll->steps = 9;
        scroll->SetVisible(true);
        timers->frameStep = 0.02f;
    }

    GUIScroll* scroll = nullptr;
};

TEST_F(GUIScrollTest, DraggingTheThumbFollowsTheCursorInSteps)
{
    EXPECT_EQ(scroll->thumb->hoverSound, GUISoundScrollThumbHover);
    EXPECT_EQ(scroll->thumb->clickSound, GUISoundScrollThumbClick);
    EXPECT_EQ(scroll->increaseButton->clickSound, GUISoundScrollArrowClick);
    EXPECT_FALSE(scroll->thumb->placeModel);

    const struct {
        float x, y;
        bool down;
        uint32_t position;
        bool dragging;
    } steps[] = {
        {162, 110, false, 0, false},  // hovering moves nothing
        {162, 110, true, 2, true},    // a press on the track jumps there
        {187, 110, true, 3, true},    // 0.5 of a step rounds up
        {174, 300, true, 2, true},    // off the track the drag goes on; y plays no part
        {500, 300, true, 8, true},
        {0, 110, true, 0, true},
        {237, 110, true, 5, true},
        {237, 110, false, 5, false},
        {500, 110, false, 5, false},
    };
    int frame = 0;
    for (const auto& s : steps) {
        SCOPED_TRACE("frame " + std::to_string(frame++));
        Mouse(s.x, s.y, s.down);
        EXPECT_EQ(scroll->position, s.position);
        EXPECT_EQ(scroll->IsDragging(), s.dragging);
    }

    // The thumb's model covers the thumb at its step along the track.
    const Matrix4& place = scroll->thumb->model->currentTransform;
    EXPECT_FLOAT_EQ(place[0], 24.0f);
    EXPECT_FLOAT_EQ(place[5], 20.0f);
    EXPECT_FLOAT_EQ(place[3], 100.0f + 200.0f * 5.0f / 8.0f);
    EXPECT_FLOAT_EQ(place[7], 100.0f);

    // Reversed, step 0 lies at the track end and the last step at its start.
    scroll->reversed = true;
    Mouse(312, 110, true);
    EXPECT_EQ(scroll->position, 0u);
    Mouse(112, 110, true);
    EXPECT_EQ(scroll->position, 8u);
    Mouse(112, 110, false);
    EXPECT_FLOAT_EQ(place[3], 100.0f);
}

TEST_F(GUIScrollTest, AVerticalScrollBarFollowsOnlyY)
{
    GUIScroll* vertical =
        gui->CreateScroll({500, 100}, {20, 224}, nullptr, true, {0, 0}, {0, 200}, nullptr);
    vertical->CreateThumb({20, 24}, nullptr);
    vertical->steps = 9;
    vertical->SetVisible(true);
    Mouse(510, 162, true);
    EXPECT_EQ(vertical->position, 2u);
    Mouse(700, 237, true);
    EXPECT_EQ(vertical->position, 5u);
    Mouse(700, 237, false);
}

TEST_F(GUIScrollTest, AHeldArrowStepsThenRepeatsWhileUnderTheCursor)
{
    std::vector<int> stepFrames;
    uint32_t last = scroll->position;
    for (int frame = 1; frame <= 25; ++frame) {
        Mouse(350, 110, true);
        if (scroll->position != last) stepFrames.push_back(frame);
        last = scroll->position;
    }
    EXPECT_EQ(stepFrames, (std::vector<int>{1, 8, 16, 23}));
    EXPECT_EQ(scroll->position, 4u);
    EXPECT_TRUE(scroll->IsDragging());

    // Off the arrow the repeat waits; back on it steps at once.
    Mouse(500, 110, true);
    Mouse(500, 110, true);
    EXPECT_EQ(scroll->position, 4u);
    Mouse(350, 110, true);
    EXPECT_EQ(scroll->position, 5u);
    Mouse(350, 110, false);

    // Big steps stop at the ends.
    scroll->step = 5;
    Mouse(350, 110, true);
    EXPECT_EQ(scroll->position, 8u);
    Mouse(350, 110, false);
    Mouse(70, 110, true);
    EXPECT_EQ(scroll->position, 3u);
    for (int i = 0; i < 10; ++i) Mouse(70, 110, true);
    EXPECT_EQ(scroll->position, 0u);
    Mouse(70, 110, false);

    // Disabled, neither arrows nor thumb answer.
    scroll->SetEnabled(false);
    EXPECT_EQ(scroll->state, SliderStateDisabled);
    EXPECT_EQ(scroll->increaseButton->state, ButtonStateDisabled);
    Mouse(350, 110, true);
    Mouse(212, 110, true);
    Mouse(212, 110, false);
    EXPECT_EQ(scroll->position, 0u);
    scroll->SetEnabled(true);
    EXPECT_EQ(scroll->thumb->state, ButtonStateNormal);
}

} // namespace
} // namespace ZorvaneEngine
