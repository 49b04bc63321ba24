// What the board shows besides the pieces: the overlay that greys the
// picture while the level pauses, and the completion once every piece is
// in: the outline fading, the picture giving way to the completion model,
// the model's ripple and the effect.
#include <gtest/gtest.h>


#include "engine/graphics/AnimationControl.h"
#include "engine/graphics/ParticleSystem.h"
#include "engine/graphics/SpriteGroup.h"
#include "LevelFixture.h"

namespace ActionPuzzle::Testing {
namespace {

using GameFramework::GameLogicState;

bool Shown(const GUIWindow& window) { return (window.GetFlags() & GUIWindowFlags::Visible) != 0; }

// Window colours are kept in steps of 1/255.
constexpr float kColourStep = 1.0f / 255.0f;

class BoardEffectsTest : public LevelFixture {};

// The overlay covers the picture by as much as the level has slowed: it
// fades in as the pause fades the level out, and goes at full speed.
TEST_F(BoardEffectsTest, ThePauseOverlayCoversThePictureAsMuchAsTheLevelHasSlowed)
{
    StartLevel(true);
    Frame(0.1f);
    GUIWindow& overlay = *Board().GetPauseOverlay();
    EXPECT_FALSE(Shown(overlay));

    logic->SetState(GameLogicState::Paused);
    const float pausing[] = {0.2f, 0.4f, 0.6f, 0.8f};
    for (float alpha : pausing) {
        Frame(0.1f);
        EXPECT_TRUE(Shown(overlay)) << alpha;
        EXPECT_NEAR(overlay.GetColor().a, alpha, kColourStep);
    }
    Frame(0.1f);
    Frame(0.1f);
    EXPECT_FLOAT_EQ(overlay.GetColor().a, 1.0f);
    // Tinted with the board's colour, white in this puzzle.
    EXPECT_FLOAT_EQ(overlay.GetColor().r, 1.0f);

    logic->SetState(GameLogicState::Playing);
    Frame(0.1f);
    EXPECT_NEAR(overlay.GetColor().a, 0.87f, kColourStep);
    ASSERT_TRUE(RunUntil([&] { return logic->GetSpeed() == 1.0f; }, 20, 0.1f));
    EXPECT_FALSE(Shown(overlay));
}

// The built completion model ripples once the outline has faded.
TEST_F(BoardEffectsTest, ThePlacedPictureFadesItsOutlineAndGivesWayToTheCompletion)
{
    UseBuiltCompletionModel();
    MakePuzzle(80, 40, Grid(2, 1));
    StartLevel(true);
    GUIWindow& picture = *Board().GetPictureWindow();
    GUIWindow& outline = *Board().GetOutlineWindow();
    GUIWindow& completion = *Board().GetCompletionWindow();
    AnimationControl& ripple = *Board().GetCompletionAnimation();
    ParticleSystem& effect = *Board().GetCompletionEffect();
    const auto effectShown = [&] {
        return effect.spriteGroup != nullptr && effect.spriteGroup->mesh != nullptr &&
               (effect.spriteGroup->mesh->flags & ModelFlags::Visible) != 0;
    };

    // Every piece into its slot, the last one in a frame of 0.1 s.
    for (auto& piece : Pieces()) {
        std::erase_if(Path().queue, [&](const auto& entry) { return entry.piece == piece.get(); });
        piece->Show(true);
        piece->held = true;
        Path().grabOffset = Vector2();
        const Vector2 slot = SlotCentre(piece->index);
        Frame(slot, false, false, 0.001f);
        ASSERT_FALSE(Shown(completion));
        const bool last = Board().placedCount + 1 == Board().GetPieceCount();
        Frame(slot, true, false, last ? 0.1f : 0.001f);
    }
    ASSERT_EQ(Board().placedCount, Board().GetPieceCount());

    // The outline fades by the frame's step at full speed, over the
    // completion model held at its first frame; the picture has gone.
    for (float alpha : {0.9f, 0.8f, 0.7f}) {
        EXPECT_NEAR(outline.GetColor().a, alpha, kColourStep);
        EXPECT_TRUE(Shown(outline));
        EXPECT_TRUE(Shown(completion));
        EXPECT_FALSE(Shown(picture));
        EXPECT_FALSE(ripple.playing);
        EXPECT_EQ(ripple.position, 0.0f);
        EXPECT_FALSE(effect.emitting);
        EXPECT_FALSE(effectShown());
        Frame(pointer, false, false, 0.1f);
    }
    ASSERT_TRUE(RunUntil([&] { return !Shown(outline); }, 20, 0.1f));
    EXPECT_EQ(outline.GetColor().a, 0.0f);
    EXPECT_TRUE(ripple.playing);
    EXPECT_TRUE(effect.emitting);
    EXPECT_TRUE(effectShown());
    EXPECT_EQ(logic->state, GameLogicState::Playing) << "won once the ripple has played";
}

} // namespace
} // namespace ActionPuzzle::Testing
