// The options, high-score and help screens on the built data set, played
// with the scripted mouse; the game's sounds on the scripted sound device.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "engine/core/Config.h"
#include "engine/graphics/Model.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUICheckBox.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIScroll.h"
#include "engine/gui/GUITextItem.h"
#include "engine/gui/GUITextManager.h"
#include "engine/gui/TextAlign.h"
#include "engine/sound/Sound.h"
#include "framework/HighScoresTable.h"
#include "framework/SoundPlayer.h"
#include "game/common/GameWindowActions.h"
#include "game/menus/GUIHelpWindow.h"
#include "game/menus/GUIHighScoresWindow.h"
#include "game/menus/GUIMainMenuWindow.h"
#include "game/menus/GUIOptionsWindow.h"
#include "game/menus/GUIRelaxWindow.h"
#include "game/menus/VolumeSliders.h"
#include "game/menus/MenuPlayer.h"
#include "platform/audio/scripted/ScriptedAudio.h"
#include "platform/input/scripted/ScriptedInput.h"
#include "platform/window/Messages.h"

namespace ActionPuzzle {
namespace {

using GameFramework::HighScoreEntry;
using GameFramework::HighScoresOpenMode;
using GameFramework::WindowAction;
using TestSupport::GameEnvironment;
using TestSupport::MenuPlayer;
using ZorvaneEngine::GUITextItem;
using ZorvaneEngine::SoundState;
using ZorvaneEngine::TextAlign;

class OptionsScreensTest : public ::testing::Test {
protected:
    // Ann's game on the main menu's screens, the welcome screen put away
    // before it appears.
    void SetUp() override
    {
        world.UseBuiltData();
        Start();
    }

    void Start()
    {
        world.Start();
        Game().RunStartUp(world.env.scripted);
        ASSERT_TRUE(Game().HasAllWindows());
        Game().Welcome()->Close();
        ann = static_cast<Profile*>(Game().Profiles()->FindProfile(u"Ann"));
        if (!ann)
            ann = static_cast<Profile*>(Game().Profiles()->AddProfile(u"Ann"));
        Game().Profiles()->currentProfile = ann;
    }

    // The program quits and starts again on the same user folder.
    void Restart()
    {
        world.game.reset();
        Start();
    }

    TestSupport::GameUnderTest& Game() { return *world.game; }
    ZorvaneEngine::Config& Config() { return *Game().Config(); }
    GameFramework::SoundPlayer& Sounds() { return *Game().Player(); }
    GUIMainMenuWindow& MainMenu() { return *static_cast<GUIMainMenuWindow*>(Game().MainMenu()); }
    GUIOptionsWindow& Options() { return *static_cast<GUIOptionsWindow*>(Game().Options()); }
    GUIHighScoresWindow& Scores() { return *static_cast<GUIHighScoresWindow*>(Game().HighScoresScreen()); }
    GUIHelpWindow& Help() { return *static_cast<GUIHelpWindow*>(Game().Help()); }

    // Through the main menu, as a player gets there.
    template <class Screen>
    void OpenFromMainMenu(int button, Screen& screen)
    {
        MainMenu().Open();
        ASSERT_TRUE(player.WaitOnScreen(MainMenu()));
        player.Click(*MainMenu().buttons[button]);
        ASSERT_TRUE(player.WaitOnScreen(screen));
    }

    // The texts a screen queues on a widget in one update, read before a
    // frame draws them. The frame before has drawn and emptied the queues.
    template <class Screen>
    std::vector<GUITextItem> Queued(Screen& screen, const ZorvaneEngine::GUIWindow& widget)
    {
        player.Frame();
        screen.Update();
        std::vector<GUITextItem> items;
        for (uint32_t i = 0; i < widget.GetTextCount(); ++i)
            items.push_back(*widget.GetTextItems()[i]);
        return items;
    }

    // Times the looping slider sample was started, among every sound the
    // device has played.
    size_t LoopingPlays() const
    {
        size_t plays = 0;
        for (const Platform::AudioCall& call : audio.Calls()) {
            if (call.method == "Play" && call.args.size() == 3 && (static_cast<uint32_t>(call.args[2]) & 1u))
                ++plays;
        }
        return plays;
    }
    SoundState SliderSound() { return Sounds().GetSoundState(SoundVolumeSlider); }

    // A mouse whose button stays down for as long as the test holds it:
    // the scripted device reports no events of its own.
    struct HeldMouse {
        Platform::ScriptedInput input;
        Platform::ScopedInput installed{input};
    };

    // Made before the game so that the game's engine opens them.
    Platform::ScriptedAudio audio;
    HeldMouse mouse;
    GameEnvironment world;
    MenuPlayer player{world};
    Profile* ann = nullptr;
};

// --- Options ---

TEST(OptionsSliderPositionTest, AVolumeIsShownInThousandthsTruncated)
{
    struct Case {
        float volume;
        uint32_t position;
    };
    const Case cases[] = {
        // The float nearest to 0.7 lies just below it; a float product
        // would round it up to 700.
        {0.7f, 699}, {0.16f, 159}, {1.0f, 1000}, {0.0f, 0}, {0.5f, 500}, {0.03f, 29},
        // Out of range, as a damaged profile may hold them.
        {1.7f, 1000}, {-0.2f, 0}, {std::numeric_limits<float>::quiet_NaN(), 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(VolumeSliderPosition(c.volume), c.position) << c.volume;
}

TEST_F(OptionsScreensTest, OpeningShowsTheCurrentChoicesAndChangesNoVolume)
{
    Sounds().SetSoundVolume(0.7f);
    Sounds().SetMusicVolume(0.16f);
    Config().videoMode = "800x600x32";
    OpenFromMainMenu(GUIMainMenuWindow::Options, Options());
    player.Wait(0.2f);

    EXPECT_EQ(Options().soundScroll->position, 699u);
    EXPECT_EQ(Options().musicScroll->position, 159u);
    // The sliders one thousandth short of the volumes leave them exactly.
    EXPECT_EQ(Sounds().GetSoundVolume(), 0.7f);
    EXPECT_EQ(Sounds().GetMusicVolume(), 0.16f);
    EXPECT_FALSE(Options().fullScreenCheckBox->checked);
    EXPECT_EQ(Options().soundScroll->steps, 1001u);
    EXPECT_EQ(Options().soundScroll->step, 30u);

    const std::vector<GUITextItem> label = Queued(Options(), *Options().resolutionWidget);
    ASSERT_EQ(label.size(), 1u);
    EXPECT_EQ(label[0].text, u"800x600");
    EXPECT_FALSE(label[0].isKey);
    EXPECT_EQ(label[0].font, 6);
    EXPECT_EQ(label[0].align, TextAlign::Center);
    // Every label of the screen is in the text table.
    ZorvaneEngine::GUITextManager& texts = *Game().Engine()->guiManager->GetTextManager();
    for (const char* key : {"OPTIONS_TITLE", "OPTIONS_MUSIC_VOLUME", "OPTIONS_SOUND_VOLUME", "OPTIONS_RESOLUTION",
                            "OPTIONS_FULLSCREEN", "OPTIONS_APPLY", "OPTIONS_DEFAULTS", "CANCEL"})
        EXPECT_NE(texts.GetText(key), u"UNKNOWN") << key;
}

TEST_F(OptionsScreensTest, TheArrowsStayInsideTheModesAndCancelKeepsTheConfiguredOne)
{
    Config().videoMode = "800x600x32";
    OpenFromMainMenu(GUIMainMenuWindow::Options, Options());
    GUIOptionsWindow& options = Options();
    EXPECT_EQ(Queued(options, *options.resolutionWidget)[0].text, u"800x600");

    player.Click(*options.rightButton);
    EXPECT_EQ(Queued(options, *options.resolutionWidget)[0].text, u"1024x768");
    player.Click(*options.rightButton);
    EXPECT_EQ(options.GetSelectedIndex(), 2u);
    for (int i = 0; i < 3; ++i)
        player.Click(*options.leftButton);
    EXPECT_EQ(options.GetSelectedIndex(), 0u);
    EXPECT_EQ(Queued(options, *options.resolutionWidget)[0].text, u"640x480");
    player.Click(*options.fullScreenCheckBox);
    EXPECT_TRUE(options.fullScreenCheckBox->checked);

    player.Click(*options.cancelButton);
    EXPECT_EQ(options.result, WindowAction::ToMainMenu);
    ASSERT_TRUE(player.WaitOnScreen(MainMenu()));
    EXPECT_EQ(Config().videoMode, "800x600x32");
    EXPECT_FALSE(Config().fullscreen);
    EXPECT_TRUE(Config().IsCommandDone("g_update_video_mode"));

    // The next visit starts from the configuration again.
    player.Click(*MainMenu().buttons[GUIMainMenuWindow::Options]);
    ASSERT_TRUE(player.WaitOnScreen(options));
    EXPECT_EQ(options.GetSelectedIndex(), 1u);
    EXPECT_FALSE(options.fullScreenCheckBox->checked);
}

TEST_F(OptionsScreensTest, HoldingTheSoundSliderLoopsItsSampleOnceUntilLetGo)
{
    Sounds().SetSoundVolume(0.5f);
    OpenFromMainMenu(GUIMainMenuWindow::Options, Options());
    GUIOptionsWindow& options = Options();
    const ZorvaneEngine::GUIButton& thumb = *options.soundScroll->thumb;
    ASSERT_EQ(SliderSound(), SoundState::Stopped);

    struct Case {
        const char* what;
        const ZorvaneEngine::GUIWindow* held;
        bool sampled;
    };
    const Case cases[] = {
        {"the sound slider's thumb", &thumb, true},
        {"the sound slider's arrow", options.soundScroll->increaseButton.get(), true},
        {"the music slider", options.musicScroll->thumb.get(), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        player.PointAt(*c.held);
        player.Frame();
        const size_t before = LoopingPlays();
        player.Hold("MOUSE1", true);
        for (int frame = 0; frame < 10; ++frame)
            player.Frame();
        EXPECT_EQ(SliderSound(), c.sampled ? SoundState::Playing : SoundState::Stopped);
        EXPECT_EQ(LoopingPlays() - before, c.sampled ? 1u : 0u);
        player.Hold("MOUSE1", false);
        player.Frame();
        player.Frame();
        EXPECT_EQ(SliderSound(), SoundState::Stopped);
    }

    // The thumb dragged to the track's left end silences the sounds at once.
    player.PointAt(thumb);
    player.Frame();
    player.Hold("MOUSE1", true);
    player.Frame();
    const ZorvaneEngine::Vector2 at = options.soundScroll->GetAbsolutePosition();
    player.PointAt(at.x - 40, at.y + options.soundScroll->size.y / 2);
    player.Frame();
    player.Frame();
    EXPECT_EQ(options.soundScroll->position, 0u);
    EXPECT_EQ(Sounds().GetSoundVolume(), 0.0f);
    player.Hold("MOUSE1", false);
    player.Frame();
}

// The thumb taken at its middle and dragged: it neither jumps when taken
// nor runs ahead of the pointer, whichever way it goes.
TEST_F(OptionsScreensTest, ADraggedThumbStaysUnderThePointer)
{
    Sounds().SetMusicVolume(0.5f);
    OpenFromMainMenu(GUIMainMenuWindow::Options, Options());
    const ZorvaneEngine::GUIScroll& slider = *Options().musicScroll;
    const auto thumbMiddle = [&] {
        const ZorvaneEngine::BoundingBox& box = slider.thumb->model->box;
        return ZorvaneEngine::Vector2((box.worldMin.x + box.worldMax.x) * 0.5f, (box.worldMin.y + box.worldMax.y) * 0.5f);
    };
    const ZorvaneEngine::Vector2 start = thumbMiddle();
    player.PointAt(start.x, start.y);
    player.Frame();
    player.Hold("MOUSE1", true);
    for (const float moved : {0.0f, 62.0f, -80.0f}) {
        SCOPED_TRACE(moved);
        player.PointAt(start.x + moved, start.y);
        player.Frame();
        player.Frame();
        // The pointer lands on whole pixels and the thumb's corner half a
        // unit short of it; a step of the 1001 is under a fifth of a unit.
        EXPECT_NEAR(thumbMiddle().x, start.x + moved, 1.5f);
    }
    player.Hold("MOUSE1", false);
    player.Frame();
}

TEST_F(OptionsScreensTest, AnArrowClickMovesASliderByThirtyAndStopsAtItsEnds)
{
    OpenFromMainMenu(GUIMainMenuWindow::Options, Options());
    ZorvaneEngine::GUIScroll& music = *Options().musicScroll;
    struct Case {
        uint32_t from;
        bool increase;
        uint32_t to;
    };
    const Case cases[] = {{500, true, 530}, {500, false, 470}, {990, true, 1000}, {20, false, 0}, {1000, true, 1000}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.from);
        music.SetPosition(c.from);
        player.Click(c.increase ? *music.increaseButton : *music.decreaseButton);
        EXPECT_EQ(music.position, c.to);
        player.Frame();
        EXPECT_FLOAT_EQ(Sounds().GetMusicVolume(), static_cast<float>(c.to) / 1000.0f);
    }
}

TEST_F(OptionsScreensTest, ApplyKeepsTheChoicesForTheNextRun)
{
    Config().videoMode = "800x600x32";
    OpenFromMainMenu(GUIMainMenuWindow::Options, Options());
    GUIOptionsWindow& options = Options();
    player.Click(*options.leftButton);
    options.soundScroll->SetPosition(250);
    options.musicScroll->SetPosition(400);
    player.Frame();
    player.Click(*options.applyButton);
    EXPECT_EQ(options.result, WindowAction::ToMainMenu);
    EXPECT_EQ(Config().videoMode, "640x480x32");
    EXPECT_FLOAT_EQ(ann->soundVolume, 0.25f);
    EXPECT_FLOAT_EQ(ann->musicVolume, 0.4f);
    // The new mode is asked for in the next frame.
    EXPECT_FALSE(Config().IsCommandDone("g_update_video_mode"));
    ASSERT_TRUE(player.WaitOnScreen(MainMenu()));

    Restart();
    EXPECT_EQ(Config().videoMode, "640x480x32");
    EXPECT_FLOAT_EQ(ann->soundVolume, 0.25f);
    EXPECT_FLOAT_EQ(ann->musicVolume, 0.4f);
}

TEST_F(OptionsScreensTest, DefaultsStayOnTheScreenUntilCancelledOrApplied)
{
    Sounds().SetSoundVolume(0.3f);
    Sounds().SetMusicVolume(0.45f);
    Config().videoMode = "640x480x32";
    OpenFromMainMenu(GUIMainMenuWindow::Options, Options());
    GUIOptionsWindow& options = Options();
    player.Click(*options.rightButton);

    player.Click(*options.defaultsButton);
    EXPECT_EQ(options.result, WindowAction::None);
    player.Wait(0.2f);
    EXPECT_TRUE(options.shown);
    const GameFramework::VideoMode& mode = options.GetVideoModes()[options.GetSelectedIndex()];
    EXPECT_EQ(mode.label + "x" + std::to_string(options.GetColorBits()), Config().GetDefaultString("v_mode"));
    EXPECT_TRUE(options.fullScreenCheckBox->checked);
    EXPECT_FLOAT_EQ(Sounds().GetSoundVolume(), Sounds().GetDefaultSoundVolume());
    EXPECT_FLOAT_EQ(Sounds().GetMusicVolume(), Sounds().GetDefaultMusicVolume());
    EXPECT_EQ(options.soundScroll->position, VolumeSliderPosition(Sounds().GetDefaultSoundVolume()));
    EXPECT_EQ(options.musicScroll->position, VolumeSliderPosition(Sounds().GetDefaultMusicVolume()));

    player.Click(*options.cancelButton);
    EXPECT_EQ(options.result, WindowAction::ToMainMenu);
    EXPECT_EQ(Sounds().GetSoundVolume(), 0.3f);
    EXPECT_EQ(Sounds().GetMusicVolume(), 0.45f);
    EXPECT_FALSE(Config().fullscreen);
    EXPECT_EQ(Config().videoMode, "640x480x32");

    // Applied after DEFAULTS, the defaults are kept.
    ASSERT_TRUE(player.WaitOnScreen(MainMenu()));
    player.Click(*MainMenu().buttons[GUIMainMenuWindow::Options]);
    ASSERT_TRUE(player.WaitOnScreen(options));
    player.Click(*options.defaultsButton);
    player.Click(*options.applyButton);
    EXPECT_EQ(options.result, WindowAction::ToMainMenu);
    EXPECT_TRUE(Config().fullscreen);
    EXPECT_EQ(Config().videoMode, Config().GetDefaultString("v_mode"));
    EXPECT_FLOAT_EQ(ann->soundVolume, Sounds().GetDefaultSoundVolume());
    EXPECT_FLOAT_EQ(ann->musicVolume, Sounds().GetDefaultMusicVolume());
}

TEST_F(OptionsScreensTest, AWindowModeSwitchMadeWithTheKeysShowsInTheBox)
{
    OpenFromMainMenu(GUIMainMenuWindow::Options, Options());
    ASSERT_FALSE(Options().fullScreenCheckBox->checked);
    world.env.windowing.SetKeyDown(Platform::VK_MENU, true);
    world.env.windowing.SetKeyDown(Platform::VK_RETURN, true);
    player.Frame();
    world.env.windowing.SetKeyDown(Platform::VK_MENU, false);
    world.env.windowing.SetKeyDown(Platform::VK_RETURN, false);
    ASSERT_TRUE(Config().fullscreen);
    EXPECT_TRUE(Options().fullScreenCheckBox->checked);
}

// --- High scores ---

class HighScoresScreenTest : public OptionsScreensTest {
protected:
    // Four arcade scores and two relax scores; the third arcade one is the
    // new entry.
    void FillTable()
    {
        GameFramework::HighScoresTable& table = *Game().HighScoreTable();
        table.AddScore(u"Bo", 0, 900);
        table.AddScore(u"Cai", 1, 5000);
        table.AddScore(u"Dee", 0, 300);
        table.AddScore(u"Eve", 1, 70);
        table.AddScore(u"", 0, 100);
        newEntry = table.AddScore(u"Ann", 0, 500);
    }

    struct Row {
        std::u16string place, name, score;
        float y;
        int32_t font;
    };
    std::vector<Row> Rows()
    {
        GUIHighScoresWindow& scores = Scores();
        player.Frame();
        scores.Update();
        std::vector<Row> rows;
        const ZorvaneEngine::GUIWindow& places = *scores.placeColumn;
        for (uint32_t i = 0; i < places.GetTextCount(); ++i) {
            const GUITextItem& place = *places.GetTextItems()[i];
            EXPECT_EQ(place.align, TextAlign::Right);
            Row row{place.text, u"", u"", place.offset.y, place.font};
            for (uint32_t j = 0; j < scores.nameColumn->GetTextCount(); ++j) {
                const GUITextItem& name = *scores.nameColumn->GetTextItems()[j];
                if (name.offset.y == place.offset.y)
                    row.name = name.text;
            }
            for (uint32_t j = 0; j < scores.scoreColumn->GetTextCount(); ++j) {
                const GUITextItem& score = *scores.scoreColumn->GetTextItems()[j];
                if (score.offset.y == place.offset.y)
                    row.score = score.text;
            }
            rows.push_back(row);
        }
        return rows;
    }
    std::vector<std::string> FrameKeys()
    {
        std::vector<std::string> keys;
        for (const GUITextItem& item : Queued(Scores(), *Scores().frameWidget))
            keys.push_back(item.key);
        return keys;
    }
    // The caption the mode button drew in the last frame.
    std::string ModeCaption()
    {
        const auto& items = Scores().modeButton->GetTextItems();
        return items.empty() ? std::string() : items[0]->key;
    }

    HighScoreEntry* newEntry = nullptr;
};

TEST_F(HighScoresScreenTest, ThePlayersModeComesFirstWithTheNewEntryHighlighted)
{
    FillTable();
    // Offered before: BACK leads to the main menu.
    ann->relaxOfferPending = false;
    Scores().Open(HighScoresOpenMode::AfterGameOver, newEntry);
    ASSERT_TRUE(player.WaitOnScreen(Scores()));
    const std::vector<Row> arcade = Rows();
    ASSERT_EQ(arcade.size(), 4u);
    const Row expected[] = {
        {u"1.", u"Bo", u"900", 355, 3},
        {u"2.", u"Ann", u"500", 336, 4},
        {u"3.", u"Dee", u"300", 317, 3},
        {u"4.", u"", u"100", 298, 3},
    };
    for (size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(arcade[i].place, expected[i].place);
        EXPECT_EQ(arcade[i].name, expected[i].name);
        EXPECT_EQ(arcade[i].score, expected[i].score);
        EXPECT_EQ(arcade[i].y, expected[i].y);
        EXPECT_EQ(arcade[i].font, expected[i].font);
    }
    // The unnamed entry gives no name text at all.
    EXPECT_EQ(Scores().nameColumn->GetTextCount(), 3u);
    EXPECT_EQ(FrameKeys(), (std::vector<std::string>{"HIGH_SCORES_ARCADE_MODE_TITLE"}));
    EXPECT_EQ(ModeCaption(), "HIGH_SCORES_RELAX_MODE_BUTTON");
    EXPECT_EQ(Queued(Scores(), *Scores().backButton).at(0).key, "OK");

    // A relax player from the main menu: the relax table, nothing marked.
    player.Click(*Scores().backButton);
    ASSERT_TRUE(player.WaitOnScreen(MainMenu()));
    ann->modeFlag = 1;
    player.Click(*MainMenu().buttons[GUIMainMenuWindow::HighScores]);
    ASSERT_TRUE(player.WaitOnScreen(Scores()));
    const std::vector<Row> relax = Rows();
    ASSERT_EQ(relax.size(), 2u);
    EXPECT_EQ(relax[0].name, u"Cai");
    EXPECT_EQ(relax[1].score, u"70");
    EXPECT_EQ(relax[1].font, 3);
    EXPECT_EQ(FrameKeys(), (std::vector<std::string>{"HIGH_SCORES_RELAX_MODE_TITLE"}));
    EXPECT_EQ(Queued(Scores(), *Scores().backButton).at(0).key, "BACK");
}

TEST_F(HighScoresScreenTest, ATableWithoutTheModesEntriesSaysSo)
{
    Game().HighScoreTable()->AddScore(u"Cai", 1, 5000);
    OpenFromMainMenu(GUIMainMenuWindow::HighScores, Scores());
    EXPECT_TRUE(Rows().empty());
    EXPECT_EQ(FrameKeys(), (std::vector<std::string>{"HIGH_SCORES_ARCADE_MODE_TITLE", "HIGH_SCORES_NO_RECORDS"}));
    ZorvaneEngine::GUITextManager& texts = *Game().Engine()->guiManager->GetTextManager();
    for (const char* key : {"HIGH_SCORES_TITLE", "HIGH_SCORES_ARCADE_MODE_TITLE", "HIGH_SCORES_RELAX_MODE_TITLE",
                            "HIGH_SCORES_NO_RECORDS", "HIGH_SCORES_ARCADE_MODE_BUTTON",
                            "HIGH_SCORES_RELAX_MODE_BUTTON", "BACK", "OK"})
        EXPECT_NE(texts.GetText(key), u"UNKNOWN") << key;
}

TEST_F(HighScoresScreenTest, TheModeButtonFadesTheTableOutAndTheOtherIn)
{
    FillTable();
    OpenFromMainMenu(GUIMainMenuWindow::HighScores, Scores());
    GUIHighScoresWindow& scores = Scores();
    player.Click(*scores.modeButton);
    EXPECT_EQ(scores.chosenMode, 1u);
    EXPECT_EQ(scores.shownMode, 0u);
    // Falling by 4 a second in frames of 20 ms: gone after 13 frames, the
    // click's own included.
    int frames = 1;
    for (; scores.shownMode == 0 && frames < 100; ++frames) {
        // The caption names the other table until the old one has gone.
        EXPECT_EQ(ModeCaption(), "HIGH_SCORES_RELAX_MODE_BUTTON");
        player.Frame();
    }
    EXPECT_EQ(frames, 13);
    EXPECT_EQ(scores.tableAlpha, 0.0f);
    EXPECT_EQ(ModeCaption(), "HIGH_SCORES_ARCADE_MODE_BUTTON");
    // Rising by 2 a second: 25 frames.
    frames = 0;
    for (; scores.tableAlpha < 1.0f && frames < 100; ++frames)
        player.Frame();
    EXPECT_EQ(frames, 25);
    EXPECT_EQ(Rows().size(), 2u);

    // A second click while the table falls fades it back without a switch.
    player.Click(*scores.modeButton);
    player.Frame();
    EXPECT_LT(scores.tableAlpha, 1.0f);
    EXPECT_GT(scores.tableAlpha, 0.0f);
    player.Click(*scores.modeButton);
    EXPECT_EQ(scores.chosenMode, 1u);
    player.Wait(0.6f);
    EXPECT_EQ(scores.shownMode, 1u);
    EXPECT_EQ(scores.tableAlpha, 1.0f);
}

TEST_F(HighScoresScreenTest, BackOffersTheRelaxModeOnceAfterALostArcadeGame)
{
    struct Case {
        const char* what;
        HighScoresOpenMode mode;
        uint32_t modeFlag;
        bool pending;
        WindowAction answer;
        bool pendingAfter;
    };
    const Case cases[] = {
        {"first lost arcade game", HighScoresOpenMode::AfterGameOver, 0, true, ToRelaxOffer, false},
        {"later lost arcade game", HighScoresOpenMode::AfterGameOver, 0, false, WindowAction::ToMainMenu, false},
        {"lost relax game", HighScoresOpenMode::AfterGameOver, 1, true, WindowAction::ToMainMenu, true},
        {"completed game", HighScoresOpenMode::AfterGameComplete, 0, true, WindowAction::ToMainMenu, true},
        {"from the main menu", HighScoresOpenMode::FromMainMenu, 0, true, WindowAction::ToMainMenu, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ann->modeFlag = c.modeFlag;
        ann->relaxOfferPending = c.pending;
        ann->Save();
        Scores().Open(c.mode, nullptr);
        ASSERT_TRUE(player.WaitOnScreen(Scores()));
        player.Click(*Scores().backButton);
        EXPECT_EQ(Scores().result, c.answer);
        EXPECT_EQ(ann->relaxOfferPending, c.pendingAfter);
        // The game takes the screen away; the relax offer or the main menu
        // it opens is not wanted here.
        player.Frame();
        EXPECT_FALSE(Scores().shown);
        GUIMenuWindow& next = c.answer == ToRelaxOffer ? static_cast<GUIMenuWindow&>(*Game().Relax())
                                                       : static_cast<GUIMenuWindow&>(MainMenu());
        EXPECT_TRUE(next.openRequested || next.shown);
        next.Close();
        ASSERT_TRUE(player.WaitFor([&] { return Game().WindowManager()->free; }));
    }
    // The offer was saved with the profile.
    ann->modeFlag = 0;
    ann->relaxOfferPending = true;
    Scores().Open(HighScoresOpenMode::AfterGameOver, nullptr);
    ASSERT_TRUE(player.WaitOnScreen(Scores()));
    player.Click(*Scores().backButton);
    ASSERT_EQ(Scores().result, ToRelaxOffer);
    Restart();
    EXPECT_FALSE(ann->relaxOfferPending);
}

// --- Help ---

TEST_F(OptionsScreensTest, HelpDrawsItsTwelveLinesAndBackReturnsToTheMainMenu)
{
    OpenFromMainMenu(GUIMainMenuWindow::Credits, Help());
    const std::vector<GUITextItem> lines = Queued(Help(), *Help().frameWidget);
    ASSERT_EQ(lines.size(), 12u);
    const float y[12] = {283, 264, 246, 228, 204, 185, 161, 142, 118, 99, 75, 56};
    const int32_t font[12] = {3, 2, 2, 2, 3, 2, 3, 2, 3, 2, 3, 2};
    ZorvaneEngine::GUITextManager& texts = *Game().Engine()->guiManager->GetTextManager();
    for (int32_t i = 0; i < 12; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(lines[i].key, "HELP_TEXT_");
        EXPECT_EQ(lines[i].number, i);
        EXPECT_EQ(lines[i].offset.y, y[i]);
        EXPECT_EQ(lines[i].font, font[i]);
        EXPECT_EQ(lines[i].align, TextAlign::CenterX);
        EXPECT_NE(texts.GetText("HELP_TEXT_", i), u"UNKNOWN");
    }
    EXPECT_NE(texts.GetText("HELP_TITLE"), u"UNKNOWN");
    EXPECT_EQ(Queued(Help(), *Help().backButton).at(0).key, "BACK");

    player.Click(*Help().backButton);
    EXPECT_EQ(Help().result, WindowAction::ToMainMenu);
    ASSERT_TRUE(player.WaitOnScreen(MainMenu()));
    EXPECT_FALSE(Help().shown);
}

} // namespace
} // namespace ActionPuzzle
