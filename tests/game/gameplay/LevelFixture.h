#pragma once
// A level on the engine over the scripted platform: a catalogue whose
// templates are made in code (path markers where the test wants them,
// boxes for the hole, cart and bonus icons, built-in particles, no
// completion animation unless asked), a puzzle of rectangular pieces
// written to a folder and loaded by the real keeper, and the player's
// mouse pushed straight into the input and the interface's cursor. Frames
// run on a fixed step. The game's sounds and music are registered with the
// sound player over the scripted sound device, and what the level asks of
// the player is written down after every frame.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/Engine.h"
#include "engine/core/EngineTestEnvironment.h"
#include "engine/core/Random.h"
#include "engine/core/TextUtils.h"
#include "engine/core/TimerManager.h"
#include "engine/graphics/Image.h"
#include "engine/graphics/Model.h"
#include "engine/graphics/ModelFlags.h"
#include "engine/graphics/ModelManager.h"
#include "engine/graphics/ParticleSystem.h"
#include "engine/graphics/ParticleSystemManager.h"
#include "engine/gui/GUICursor.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/gui/GUIWindowFlags.h"
#include "engine/input/Controls.h"
#include "engine/sound/Sound.h"
#include "engine/sound/SoundManager.h"
#include "framework/GUIGameCursorBase.h"
#include "framework/ProfileBase.h"
#include "framework/ScoreKeeper.h"
#include "framework/SoundPlayer.h"
#include "game/common/GameData.h"
#include "game/common/LevelManager.h"
#include "game/common/ProfileManager.h"
#include "game/common/SoundId.h"
#include "game/gameplay/GameLogic.h"
#include "game/gameplay/GameLogicData.h"
#include "game/gameplay/Puzzle.h"
#include "game/gameplay/PuzzleDepository.h"
#include "game/gameplay/PuzzleElement.h"
#include "game/gameplay/PuzzleElementManager.h"
#include "platform/audio/scripted/ScriptedAudio.h"
#include "platform/system/TemporaryFolder.h"
#include "tools/common/ImageFile.h"
#include "tools/common/PuzzleWriter.h"
#include "tools/common/WaveFileWriter.h"

namespace ActionPuzzle::Testing {

using namespace ZorvaneEngine;

// The path of the shipped levels, along the top of the board and down its
// right side.
inline std::vector<Vector2> ShippedPath()
{
    return {{265, 508}, {700, 508}, {760, 400}, {690, 290}, {760, 175}, {720, 50}};
}

struct PieceSpec {
    int32_t x, y, width, height;
    bool blocked = false;
    std::vector<uint32_t> links;
};

// Pieces of 40 × 40 in a grid of columns × rows: exactly a path slot, so
// their path scale is 1.
inline std::vector<PieceSpec> Grid(int32_t columns, int32_t rows)
{
    std::vector<PieceSpec> pieces;
    for (int32_t r = 0; r < rows; ++r)
        for (int32_t c = 0; c < columns; ++c)
            pieces.push_back({c * 40, r * 40, 40, 40, false, {}});
    return pieces;
}

class LevelFixture : public ::testing::Test {
protected:
    LevelFixture()
    {
        engine->timers->frameStep = 0.02f;
        stage.index = 0;
        level.stageIndex = 0;
        level.levelIndex = 0;
        level.puzzleName = "fixture";
        RegisterSounds();
    }

    ~LevelFixture() override
    {
        logic.reset();
        keeper.reset();
        gameData.reset();
    }

    // The catalogue with the path's markers at the given points.
    void MakeGameData(const std::vector<Vector2>& path = ShippedPath())
    {
        gameData = std::make_unique<GameData>(engine.get(), "ge");
        GUIManager& gui = *engine->guiManager;
        gameData->levelRootWindow = gui.CreateWindow(GUIWindowFlags::Visible | GUIWindowFlags::DepthBack,
                                                     Vector2(), Vector2(), nullptr, nullptr);
        gameData->levelOverlayWindow =
            gui.CreateWindow(GUIWindowFlags::Visible, Vector2(), Vector2(), nullptr, gameData->levelRootWindow);
        gameData->levelOverlayWindow->SetLayer(100);
        for (const Vector2& p : path)
            gameData->pathModels.push_back(Box(p.x - 3, p.y - 3, p.x + 3, p.y + 3));
        gameData->depositoryModels.obstacle = Box(0, 532, 640, 600);
        gameData->depositoryModels.holeBottom = Box(696, 38, 744, 62, true);
        gameData->depositoryModels.holeTop = Box(696, 38, 744, 50, true);
        gameData->carriageModel = Box(-24, -22, 24, 22, true);
        for (Model** icon : {&gameData->bonusModels.magnet, &gameData->bonusModels.pause,
                             &gameData->bonusModels.rollback, &gameData->bonusModels.tip})
            *icon = Box(-17, -17, 17, 17, true);
        for (ParticleSystem** system : {&gameData->pathEffects.start, &gameData->pathEffects.finish,
                                        &gameData->boardModels.levelCompleteEffect, &gameData->boardModels.tipEffect}) {
            *system = new ParticleSystem(engine->particleSystems->GetServices(), engine->guiManager->GetCamera());
            gameData->AddAnonymousParticleSystem(*system);
        }
    }

    // The completion model of the built data set, which ripples for a
    // while once played.
    void UseBuiltCompletionModel()
    {
        if (!gameData) MakeGameData();
        const std::string built =
            std::string(TANGROVE_BINARY_DIR) + "/data_stage/data/game_objects/board/level_complete.mlf";
        ASSERT_TRUE(std::filesystem::exists(built));
        std::filesystem::create_directories(env.folder / "bin/data/game_objects/board");
        std::filesystem::copy_file(built, env.folder / "bin/data/game_objects/board/level_complete.mlf");
        gameData->boardModels.levelComplete =
            engine->models->LoadUnregisteredModel("game_objects\\board\\level_complete.mlf", nullptr, 0);
        gameData->AddAnonymousModel(gameData->boardModels.levelComplete);
    }

    // A picture of width × height with the pieces, written and loaded.
    void MakePuzzle(int32_t width, int32_t height, const std::vector<PieceSpec>& pieces)
    {
        const std::string folder = env.folder / "bin/data/puzzles/fixture/";
        Image theme;
        theme.Create(static_cast<uint32_t>(width), static_cast<uint32_t>(height), 24, nullptr);
        theme.Fill(ColorRGBA(0.6f, 0.5f, 0.3f, 1));
        std::string error;
        TestSupport::WriteWholeFile(folder + "puzzle.ini", "255 255 255\n40 30 20\n255 255 160\n");
        ASSERT_TRUE(Tools::SaveImageFile(folder + "theme.jpg", theme, error)) << error;
        Tools::Puzzle puzzle;
        puzzle.width = static_cast<uint32_t>(width);
        puzzle.height = static_cast<uint32_t>(height);
        for (const PieceSpec& spec : pieces) {
            Tools::PuzzlePiece piece;
            piece.x = spec.x;
            piece.y = spec.y;
            piece.width = spec.width;
            piece.height = spec.height;
            piece.blocked = spec.blocked;
            piece.links = spec.links;
            piece.mask.assign(static_cast<size_t>(spec.width * spec.height), 1);
            puzzle.pieces.push_back(piece);
        }
        puzzle.cutLines.assign(static_cast<size_t>(width * height), 0);
        std::vector<uint8_t> bytes = Tools::BuildPuzzleFile(puzzle);
        TestSupport::WriteWholeFile(folder + "puzzle.pzf", std::string(bytes.begin(), bytes.end()));
        keeper = std::make_unique<GameLogicData>(engine.get(), "ge", stage, level);
        keeper->StartLoad();
    }

    // The level; the shuffle is pinned by the seed.
    void StartLevel(bool relaxMode = false, uint32_t seed = 1)
    {
        if (!gameData) MakeGameData();
        if (!keeper) MakePuzzle(160, 80, Grid(4, 2));
        profile.modeFlag = relaxMode ? 1 : 0;
        profiles.currentProfile = &profile;
        RandomSeed = seed;
        logic = std::make_unique<GameLogic>(engine.get(), &sounds, &cursor, &profiles, gameData.get(), keeper.get(),
                                            stage, level, 0);
        // The level's music, as the game starts it with the level.
        sounds.PlayMusic(LevelMusicChannel, MusicGame0, 0.1f);
    }

    // One frame of dt seconds with the mouse at the point (GUI units) and
    // the buttons as given.
    void Frame(float dt = 0.02f) { Frame(pointer, left, right, dt); }
    void Frame(Vector2 at, bool leftDown, bool rightDown, float dt = 0.02f)
    {
        pointer = at;
        left = leftDown;
        right = rightDown;
        Controls& input = *engine->input;
        // The player's buttons stand in for the device's poll, which would
        // report the scripted mouse with its buttons up.
        input.SetKeyState(leftDown, "MOUSE1");
        input.SetKeyState(rightDown, "MOUSE2");
        input.Controls::Update();
        if (beforeFrame) beforeFrame();
        engine->guiManager->GetDefaultCursor()->position = at;
        engine->timers->frameStep = dt;
        // The clock the sounds' replay guard reads moves on with the frame,
        // and the sound device plays the frame's time.
        const auto milliseconds = static_cast<uint32_t>(std::lround(dt * 1000.0f));
        env.scripted.Advance(milliseconds);
        sounds.Update();
        logic->Update();
        input.EndFrame();
        Listen();
        audio.Advance(milliseconds);
    }
    // Runs frames until the condition holds; false after the limit.
    template <typename Condition>
    bool RunUntil(Condition condition, int limit = 5000, float dt = 0.02f)
    {
        for (int i = 0; i < limit; ++i) {
            if (condition()) return true;
            Frame(dt);
        }
        return condition();
    }
    // A press and a release at the point.
    void Click(Vector2 at, bool rightButton = false)
    {
        Frame(at, !rightButton, rightButton);
        Frame(at, false, false);
    }

    Puzzle& Board() { return *logic->GetPuzzle(); }
    PuzzleDepository& Path() { return *logic->GetDepository(); }
    std::vector<std::unique_ptr<PuzzleElement>>& Pieces() { return logic->GetPieceManager()->pieces; }
    PuzzleElement& Slot(uint32_t i) { return *Board().slots[i]; }
    Vector2 SlotCentre(uint32_t i) { return Board().GetSlotCentre(Slot(i)); }
    int32_t Score() const { return logic->scoreKeeper->score; }
    PuzzleElement* HeldPiece()
    {
        for (auto& piece : Pieces())
            if (PuzzleElementManager::IsHeld(*piece)) return piece.get();
        return nullptr;
    }
    // Takes the foremost piece on the path into the hand.
    PuzzleElement* PickForemost()
    {
        const auto& queue = Path().GetQueue();
        if (queue.empty()) return nullptr;
        PuzzleElement* piece = queue.back().piece;
        Click(piece->centre);
        return PuzzleElementManager::IsHeld(*piece) ? piece : nullptr;
    }

    // How often the event was heard since the last ClearHeard.
    int Heard(const std::string& event) const
    {
        int count = 0;
        for (const std::string& e : heard) count += e == event;
        return count;
    }
    void ClearHeard() { heard.clear(); }
    // The engine sound of a game sound or music file, by its bare name.
    const Sound* SoundNamed(const std::string& name) const
    {
        const SoundManager& manager = *engine->soundManager;
        for (uint32_t slot : manager.GetUsedSlots())
            if (BareName(*manager.GetSound(slot)) == name) return manager.GetSound(slot);
        return nullptr;
    }

    Model* Box(float x0, float y0, float x1, float y1, bool colours = false)
    {
        Model* model = engine->models->CreateBox(Vector3(x0, y0, 0), Vector3(x1, y1, 0), nullptr,
                                                 colours ? ModelFlags::VertexColor : 0);
        gameData->AddAnonymousModel(model);
        return model;
    }

    TestSupport::EngineTestEnvironment env;
    Platform::ScriptedAudio audio;
    std::unique_ptr<Engine> engine = std::make_unique<Engine>(env.Settings());
    GameFramework::SoundPlayer sounds{engine.get(), 1.0f, 1.0f};
    GameFramework::GUIGameCursorBase cursor{engine.get()};
    ProfileManager profiles{engine.get(), &sounds, env.UserFolder()};
    GameFramework::ProfileBase profile{engine.get(), env.UserFolder()};
    StageInfo stage;
    LevelInfo level;
    std::unique_ptr<GameData> gameData;
    std::unique_ptr<GameLogicData> keeper;
    std::unique_ptr<GameLogic> logic;
    // Runs at the start of every frame, before the level's update.
    std::function<void()> beforeFrame;
    Vector2 pointer{400, 300};
    bool left = false;
    bool right = false;
    // What the level asked of the sound player, in words, one entry for each
    // request that changed something: "play element_put_0",
    // "stop path_introduction", "loop bonus_tip on", "loop bonus_tip off",
    // "tempo path_begin", "music game0 in 0.15", "music game0 out 2.00".
    std::vector<std::string> heard;

private:
    // The game's sounds and its three music tracks, each file a short
    // silence of its own.
    void RegisterSounds()
    {
        const std::vector<uint8_t> silence = Tools::BuildWaveFile(std::vector<int16_t>(441, 0), 1, 22050);
        const auto add = [&](const std::string& folder, const std::string& name) {
            const std::string file = "audio\\" + folder + "\\" + name + ".wav";
            TestSupport::WriteWholeFile(env.folder / ("bin/data/audio/" + folder + "/" + name + ".wav"),
                                        std::string(silence.begin(), silence.end()));
            return file;
        };
        for (const GameSoundFile& sound : GameSoundFiles)
            sounds.AddSound(sound.id, add(sound.folder, sound.name), sound.looping);
        sounds.AddMusic(MusicMenu, add("music", "menu"));
        sounds.AddMusic(MusicGame0, add("music", "game0"));
        sounds.AddMusic(MusicGame1, add("music", "game1"));
        Listen();
        // The game has run a while before a level starts: a sound asked for
        // at once is not taken for a repeat of the registration's start.
        env.scripted.Advance(1000);
    }

    static std::string BareName(const Sound& sound)
    {
        const std::string& name = sound.GetName();
        const size_t start = name.rfind('\\') + 1;
        return name.substr(start, name.rfind('.') - start);
    }

    // Writes down what changed since the last call, then lets the sound
    // manager carry out the queued requests, as the end of a frame does.
    void Listen()
    {
        SoundManager& manager = *engine->soundManager;
        for (uint32_t slot : manager.GetUsedSlots()) {
            const Sound& sound = *manager.GetSound(slot);
            const auto known = settings.find(&sound);
            if (known != settings.end()) {
                if (known->second.first != sound.IsLooping())
                    heard.push_back("loop " + BareName(sound) + (sound.IsLooping() ? " on" : " off"));
                if (known->second.second != sound.GetTempo()) heard.push_back("tempo " + BareName(sound));
            }
            settings[&sound] = {sound.IsLooping(), sound.GetTempo()};
        }
        for (const SoundCommand& command : manager.commandQueue)
            heard.push_back((command.operation == SoundCommand::Stop ? "stop " : "play ") + BareName(*command.sound));
        manager.Update(true);
        // Nothing reads the device's own journal; it would only grow.
        audio.ClearCalls();
        for (int32_t id : {MusicMenu, MusicGame0, MusicGame1}) {
            const GameFramework::MusicTrack* track = sounds.FindMusic(id);
            if (track == nullptr) continue;
            const bool in = track->fadeState == GameFramework::FadeState::FadingIn;
            const bool out = track->fadeState == GameFramework::FadeState::FadingOutThenStop;
            const std::pair<int32_t, float> fade{static_cast<int32_t>(track->fadeState), track->fadeSpeed};
            if ((in || out) && fade != fades[id])
                heard.push_back("music " + BareName(*track->sound) + (in ? " in " : " out ") +
                                FloatToText(track->fadeSpeed, 2));
            fades[id] = fade;
        }
    }

    std::map<const Sound*, std::pair<bool, float>> settings;
    std::map<int32_t, std::pair<int32_t, float>> fades;
};

} // namespace ActionPuzzle::Testing
