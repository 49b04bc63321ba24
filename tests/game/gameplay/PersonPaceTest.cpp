// The shipped levels played in arcade mode by a person of steady pace: the
// built catalogue, puzzles and path, the level logic on the scripted
// platform, frames of 20 ms on the test's own clock.
//
// The person takes pieces in the queue's order, foremost first; a piece that
// came back from its locked slot is passed over until the slot opens. After
// picking a piece up the person needs a while to find its place, and two
// placements lie a pace apart; the pace starts when the pieces start to
// roll, as if a piece had just gone in.
//
// A brisk person (2.5 s a piece) cannot lose once the opening rush is over:
// the queue at its slowest still yields to a piece taken every 2.5 s, and
// quick placements brake it. A person who looks at every piece for a while
// (8 s) keeps level with the slowest queue; whether such a person wins
// depends on how many pieces there are and how many wait behind locks, and
// that is what the stages raise.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>

#include "LevelFixture.h"

namespace ActionPuzzle::Testing {
namespace {

using GameFramework::GameLogicState;

constexpr float FrameStep = 0.02f;

struct Person {
    float findSeconds = 1.0f;       // from picking a piece up to placing it
    float placementSeconds = 2.5f;  // from one placement to the next
    float stopsAt = -1.0f;          // after this (game seconds) no more moves
};

struct Outcome {
    bool won = false;
    float seconds = 0.0f;  // from the level's start to its end
    // The least path left before the foremost piece sinks, and when.
    float closestApproach = 0.0f;
    float closestAt = 0.0f;
};

class PersonPaceTest : public LevelFixture {
protected:
    static constexpr Person Brisk{1.0f, 2.5f};
    static constexpr Person Thinking{1.0f, 8.0f};

    PersonPaceTest()
    {
        // The built data set's loose tree: read when a file is opened, so
        // the engine made before these links still finds the files.
        const std::filesystem::path built = std::filesystem::path(TANGROVE_BINARY_DIR) / "data_stage/data";
        const std::filesystem::path data = env.folder / "bin/data";
        std::filesystem::create_directories(data);
        for (const char* folder : {"levels", "puzzles", "game_objects"})
            std::filesystem::create_directory_symlink(built / folder, data / folder);
        levels.Load();
        // The shipped path: its markers' models as the game loads them.
        MakeGameData({});
        for (int i = 0; i < 6; ++i) {
            char name[64];
            std::snprintf(name, sizeof name, "game_objects\\depository\\path_%03d.mlf", i);
            Model* marker = engine->models->LoadUnregisteredModel(name, nullptr, 0);
            gameData->AddAnonymousModel(marker);
            gameData->pathModels.push_back(marker);
        }
    }

    uint32_t LastStage() const { return static_cast<uint32_t>(levels.stages.size()) - 1; }
    uint32_t LevelCount(uint32_t stageIndex) const { return levels.stages[stageIndex]->levelCount; }

    Outcome Play(uint32_t stageIndex, uint32_t levelIndex, const Person& person)
    {
        logic.reset();
        keeper.reset();
        stage = static_cast<const StageInfo&>(*levels.stages[stageIndex]);
        level = static_cast<const LevelInfo&>(*levels.levels[stageIndex][levelIndex]);
        keeper = std::make_unique<GameLogicData>(engine.get(), "ge", stage, level);
        keeper->StartLoad();
        StartLevel(false, 7 + stageIndex * 5 + levelIndex);
        const uint32_t pieces = Board().GetPieceCount();
        const float sinkPoint = Path().pathLength - PuzzleDepository::SinkLength;

        Outcome outcome;
        outcome.closestApproach = sinkPoint;
        float now = 0.0f;
        float lastPlacement = -1.0f;
        float picked = 0.0f;
        PuzzleElement* inHand = nullptr;
        uint32_t placed = 0;
        bounced.clear();
        const auto step = [&](Vector2 at, bool down) {
            Frame(at, down, false, FrameStep);
            now += FrameStep;
            if (!Path().GetQueue().empty() && sinkPoint - Path().GetQueue().back().distance < outcome.closestApproach) {
                outcome.closestApproach = sinkPoint - Path().GetQueue().back().distance;
                outcome.closestAt = now;
            }
            if (Board().placedCount != placed) {
                placed = Board().placedCount;
                lastPlacement = now;
                inHand = nullptr;
            } else if (inHand != nullptr && !PuzzleElementManager::IsHeld(*inHand)) {
                // Back on the path: its slot is still locked.
                if (Slot(inHand->index).blocked != 0) bounced.insert(inHand);
                inHand = nullptr;
            }
        };
        while (logic->state == GameLogicState::Playing && now < 1500.0f) {
            if (lastPlacement < 0.0f && Path().introFinished) lastPlacement = now;
            const bool acting = lastPlacement >= 0.0f && placed < pieces && (person.stopsAt < 0.0f || now < person.stopsAt);
            if (!acting) {
                step(pointer, false);
                continue;
            }
            if (inHand == nullptr) {
                PuzzleElement* next = now >= lastPlacement + person.placementSeconds - person.findSeconds
                                          ? ForemostPiece()
                                          : nullptr;
                if (next == nullptr) {
                    step(pointer, false);
                    continue;
                }
                step(next->centre, true);
                step(next->centre, false);
                if (HeldPiece() == next) {
                    inHand = next;
                    picked = now;
                }
                continue;
            }
            if (now < picked + person.findSeconds || now < lastPlacement + person.placementSeconds) {
                step(pointer, false);
                continue;
            }
            const Vector2 slot = SlotCentre(inHand->index);
            const Vector2 target(slot.x - Path().grabOffset.x, slot.y - Path().grabOffset.y);
            // A magnet glides the piece in by itself once the pointer is
            // near its place; a click during the glide would drop it.
            if (inHand->magnetTarget != nullptr) {
                step(target, false);
                continue;
            }
            step(target, false);
            step(target, true);
            step(target, false);
        }
        outcome.won = logic->state == GameLogicState::Won;
        outcome.seconds = now;
        return outcome;
    }

    // How long the foremost piece took to sink when the person stopped at
    // the queue's closest approach to the hole.
    float Margin(uint32_t stageIndex, uint32_t levelIndex, const Person& person, const Outcome& played)
    {
        Person stopping = person;
        stopping.stopsAt = played.closestAt;
        const Outcome stopped = Play(stageIndex, levelIndex, stopping);
        EXPECT_FALSE(stopped.won) << "a level won without a move";
        return stopped.seconds - played.closestAt;
    }

    // The foremost piece on the path, passing over those that came back
    // from a slot still locked.
    PuzzleElement* ForemostPiece()
    {
        const auto& queue = Path().GetQueue();
        for (auto entry = queue.rbegin(); entry != queue.rend(); ++entry) {
            if (!bounced.contains(entry->piece) || Slot(entry->piece->index).blocked == 0) return entry->piece;
        }
        return nullptr;
    }

    LevelManager levels{*engine};
    std::set<PuzzleElement*> bounced;
};

TEST_F(PersonPaceTest, ABriskPersonWinsTheFirstStage)
{
    for (uint32_t levelIndex = 0; levelIndex < LevelCount(0); ++levelIndex) {
        const Outcome outcome = Play(0, levelIndex, Brisk);
        EXPECT_TRUE(outcome.won) << "level 1-" << levelIndex + 1;
    }
}

// The margin is the time the foremost piece still needed to sink, had the
// person stopped where it came closest to the hole.
TEST_F(PersonPaceTest, AThinkingPersonWinsTheFirstStageWithTimeToSpareAndLosesInTheLast)
{
    for (uint32_t levelIndex = 0; levelIndex < LevelCount(0); ++levelIndex) {
        const Outcome outcome = Play(0, levelIndex, Thinking);
        ASSERT_TRUE(outcome.won) << "level 1-" << levelIndex + 1;
        const float margin = Margin(0, levelIndex, Thinking, outcome);
        std::printf("level 1-%u: won after %.0f s, margin %.0f s\n", levelIndex + 1, outcome.seconds, margin);
        EXPECT_GE(margin, 5.0f) << "level 1-" << levelIndex + 1;
    }
    uint32_t lost = 0;
    for (uint32_t levelIndex = 0; levelIndex < LevelCount(LastStage()); ++levelIndex) {
        const Outcome outcome = Play(LastStage(), levelIndex, Thinking);
        std::printf("level %u-%u: %s after %.0f s\n", LastStage() + 1, levelIndex + 1, outcome.won ? "won" : "lost",
                    outcome.seconds);
        lost += outcome.won ? 0 : 1;
    }
    EXPECT_GE(lost, 1u);
}

} // namespace
} // namespace ActionPuzzle::Testing
