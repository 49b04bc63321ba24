// The profile screens as a player uses them, on the built data set: names
// typed into the edit box, buttons clicked, and the screens the results
// lead to, with what the profile list keeps across runs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/graphics/Model.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIEditBox.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIScroll.h"
#include "engine/gui/GUITextManager.h"
#include "framework/ProfileBase.h"
#include "game/common/GUIModelHelpers.h"
#include "game/common/GameData.h"
#include "game/common/Profile.h"
#include "game/menus/GUIBackgroundWindow.h"
#include "game/menus/GUIControl.h"
#include "game/menus/GUIDeleteProfileWindow.h"
#include "game/menus/GUIExitWindow.h"
#include "game/menus/GUIMainMenuWindow.h"
#include "game/menus/GUINewProfileWindow.h"
#include "game/menus/GUIProfileNameConflictWindow.h"
#include "game/menus/GUIProfileNameEntry.h"
#include "game/menus/GUIProfilesWindow.h"
#include "game/menus/GUIRenameProfileWindow.h"
#include "game/menus/GUIWelcomeWindow.h"
#include "game/menus/MenuPlayer.h"

namespace ActionPuzzle {
namespace {

using TestSupport::GameEnvironment;
using TestSupport::MenuPlayer;

class ProfileScreensTest : public ::testing::Test {
protected:
    // A first run up to its first screen.
    void Start()
    {
        world.UseBuiltData();
        world.Start();
        world.game->RunStartUp(world.env.scripted);
        ASSERT_TRUE(world.game->HasAllWindows());
    }

    // A first run in which Ann is typed on the welcome screen, up to the
    // main menu.
    void StartAsAnn()
    {
        Start();
        ASSERT_TRUE(player.WaitOnScreen(Welcome()));
        player.Type(u"Ann");
        player.Press("ENTER");
        ASSERT_TRUE(player.WaitOnScreen(MainMenu()));
    }

    TestSupport::GameUnderTest& Game() { return *world.game; }
    GUIWelcomeWindow& Welcome() { return *static_cast<GUIWelcomeWindow*>(Game().Welcome()); }
    GUIMainMenuWindow& MainMenu() { return *static_cast<GUIMainMenuWindow*>(Game().MainMenu()); }
    GUIProfilesWindow& Profiles() { return *static_cast<GUIProfilesWindow*>(Game().ProfileList()); }
    GUINewProfileWindow& NewProfile() { return *static_cast<GUINewProfileWindow*>(Game().NewProfile()); }
    GUIRenameProfileWindow& Rename() { return *static_cast<GUIRenameProfileWindow*>(Game().Rename()); }
    GUIDeleteProfileWindow& Delete() { return *static_cast<GUIDeleteProfileWindow*>(Game().Delete()); }
    GUIProfileNameConflictWindow& Conflict()
    {
        return *static_cast<GUIProfileNameConflictWindow*>(Game().Conflict());
    }
    GUIExitWindow& Quit() { return *static_cast<GUIExitWindow*>(Game().Quit()); }

    std::u16string CurrentName() const
    {
        const GameFramework::ProfileBase* current = world.game->Profiles()->currentProfile;
        return current ? current->GetName() : u"(none)";
    }
    std::vector<std::u16string> Names() const
    {
        std::vector<std::u16string> names;
        for (const auto& profile : world.game->Profiles()->GetProfiles())
            names.push_back(profile->GetName());
        return names;
    }
    // The caption the button drew last.
    static std::string Caption(const GUIControl& control)
    {
        const auto& items = control.widget->GetTextItems();
        return items.empty() ? std::string() : items[0]->key;
    }

    GameEnvironment world;
    MenuPlayer player{world};
};

TEST_F(ProfileScreensTest, AFirstRunCreatesTheTypedProfileAndRemembersTheChoiceAcrossRuns)
{
    Start();
    ASSERT_TRUE(player.WaitOnScreen(Welcome()));
    // Blank: OK stays disabled and ENTER does nothing.
    player.Type(u"   ");
    player.Press("ENTER");
    EXPECT_EQ(Welcome().entry->accept->button->state, ZorvaneEngine::ButtonStateDisabled);
    EXPECT_TRUE(Names().empty());

    player.Type(u"Jörg Weiß  ");
    player.Press("ENTER");
    EXPECT_EQ(Names(), (std::vector<std::u16string>{u"Jörg Weiß"}));
    EXPECT_EQ(CurrentName(), u"Jörg Weiß");
    ASSERT_TRUE(player.WaitOnScreen(MainMenu()));
    EXPECT_EQ(MainMenu().title,
              Game().Engine()->guiManager->GetTextManager()->GetText("MAIN_MENU_WELCOME") + u" Jörg Weiß!");

    // A second profile chosen in the list stays chosen in the next run.
    Game().Profiles()->AddProfile(u"Ann");
    player.Click(*MainMenu().buttons[GUIMainMenuWindow::ChangeProfile]);
    ASSERT_TRUE(player.WaitOnScreen(Profiles()));
    EXPECT_EQ(Profiles().names, (std::vector<std::u16string>{u"Jörg Weiß", u"Ann"}));
    EXPECT_EQ(Profiles().rows[0]->state, ZorvaneEngine::ButtonStateDisabled);
    player.Click(*Profiles().rows[1]);
    EXPECT_EQ(CurrentName(), u"Ann");
    player.Frame();
    EXPECT_EQ(Profiles().rows[1]->state, ZorvaneEngine::ButtonStateDisabled);
    EXPECT_NE(Profiles().rows[0]->state, ZorvaneEngine::ButtonStateDisabled);
    // The rows keep their order until the list opens again.
    EXPECT_EQ(Profiles().names[0], u"Jörg Weiß");

    world.game.reset();
    world.Start();
    EXPECT_EQ(CurrentName(), u"Ann");
}

// The menu scene shows the chosen player's progress: the layers of the
// stages reached, and the unicorn after the game's end.
TEST_F(ProfileScreensTest, TheSceneryFollowsThePlayerChosenInTheList)
{
    ASSERT_NO_FATAL_FAILURE(StartAsAnn());
    auto* bo = static_cast<Profile*>(Game().Profiles()->AddProfile(u"Bo"));
    bo->stage = bo->furthestStage = 4;
    bo->gameNotCompleted = false;

    const GUIBackgroundWindow& background = *Game().Background();
    const GUIBackgroundWindow::Layers& stages = background.GetStageLayers();
    ASSERT_FALSE(stages.windows.empty());
    const ZorvaneEngine::GUIWindow* unicorn = background.GetUnicornLayer();
    ASSERT_NE(unicorn, nullptr);
    // Each stage layer shows, fully, exactly for a player who reached its
    // stage; the unicorn for one who finished the game.
    const auto expectScenery = [&](uint32_t stage, bool finished) {
        for (size_t i = 0; i < stages.windows.size(); ++i) {
            const bool reached = stages.stages[i] <= stage;
            EXPECT_EQ(stages.windows[i]->effectivelyVisible, reached) << "stage " << stages.stages[i];
            if (reached) {
                EXPECT_FLOAT_EQ(stages.windows[i]->GetColor().a, 1.0f) << "stage " << stages.stages[i];
            }
        }
        EXPECT_EQ(unicorn->effectivelyVisible, finished);
    };
    expectScenery(0, false);

    player.Click(*MainMenu().buttons[GUIMainMenuWindow::ChangeProfile]);
    ASSERT_TRUE(player.WaitOnScreen(Profiles()));
    ASSERT_EQ(Profiles().names[1], u"Bo");
    player.Click(*Profiles().rows[1]);
    ASSERT_EQ(CurrentName(), u"Bo");
    player.Wait(1.5f);
    expectScenery(4, true);

    player.Click(*Profiles().rows[0]);
    ASSERT_EQ(CurrentName(), u"Ann");
    player.Wait(1.5f);
    expectScenery(0, false);
}

TEST_F(ProfileScreensTest, AClashIsReportedOnItsOwnScreenAndTheTypedNameSurvivesTheDetour)
{
    Start();
    ASSERT_TRUE(player.WaitOnScreen(Welcome()));
    player.Type(u"Ann");
    player.Click(*Welcome().entry->accept);
    ASSERT_TRUE(player.WaitOnScreen(MainMenu()));
    player.Click(*MainMenu().buttons[GUIMainMenuWindow::ChangeProfile]);
    ASSERT_TRUE(player.WaitOnScreen(Profiles()));
    player.Click(*Profiles().newButton);
    ASSERT_TRUE(player.WaitOnScreen(NewProfile()));
    EXPECT_EQ(NewProfile().entry->edit->editBox->text, u"");
    EXPECT_EQ(Caption(*NewProfile().entry->other), "CANCEL");

    // The same name in other letters: the notice, then back with the name.
    player.Type(u"aNN");
    player.Press("ENTER");
    ASSERT_TRUE(player.WaitOnScreen(Conflict()));
    EXPECT_EQ(Names(), (std::vector<std::u16string>{u"Ann"}));
    player.Press("ENTER");
    ASSERT_TRUE(player.WaitOnScreen(NewProfile()));
    EXPECT_EQ(NewProfile().entry->edit->editBox->text, u"aNN");
    player.Erase(3);
    player.Type(u"Bea");
    player.Click(*NewProfile().entry->accept);
    ASSERT_TRUE(player.WaitOnScreen(Profiles()));
    EXPECT_EQ(CurrentName(), u"Bea");
    EXPECT_EQ(Profiles().names, (std::vector<std::u16string>{u"Bea", u"Ann"}));

    // Renaming Bea to Ann clashes and keeps the old name for the way back;
    // renaming her to her own name in other letters changes nothing.
    player.Click(*Profiles().renameButton);
    ASSERT_TRUE(player.WaitOnScreen(Rename()));
    EXPECT_EQ(Rename().entry->edit->editBox->text, u"Bea");
    player.Erase(3);
    player.Type(u"ann");
    player.Click(*Rename().entry->accept);
    ASSERT_TRUE(player.WaitOnScreen(Conflict()));
    player.Click(*Conflict().ok);
    ASSERT_TRUE(player.WaitOnScreen(Rename()));
    EXPECT_EQ(Rename().entry->edit->editBox->text, u"ann");
    player.Erase(3);
    player.Type(u"BEA");
    player.Click(*Rename().entry->accept);
    ASSERT_TRUE(player.WaitOnScreen(Profiles()));
    EXPECT_EQ(Names(), (std::vector<std::u16string>{u"Ann", u"Bea"}));

    // A new name, with punctuation: renamed where the list keeps it.
    player.Click(*Profiles().renameButton);
    ASSERT_TRUE(player.WaitOnScreen(Rename()));
    player.Erase(3);
    player.Type(u"Bea-Änne!");
    player.Press("ENTER");
    ASSERT_TRUE(player.WaitOnScreen(Profiles()));
    EXPECT_EQ(Names(), (std::vector<std::u16string>{u"Ann", u"Bea-Änne!"}));
    EXPECT_EQ(CurrentName(), u"Bea-Änne!");
}

TEST_F(ProfileScreensTest, DeletingTheLastProfileLeadsToTheNewProfileScreenWhoseExitAsksToQuit)
{
    ASSERT_NO_FATAL_FAILURE(StartAsAnn());
    player.Click(*MainMenu().buttons[GUIMainMenuWindow::ChangeProfile]);
    ASSERT_TRUE(player.WaitOnScreen(Profiles()));

    // NO keeps her; the question names her in quotes.
    player.Click(*Profiles().deleteButton);
    ASSERT_TRUE(player.WaitOnScreen(Delete()));
    bool named = false;
    for (int i = 0; i < GUIDeleteProfileWindow::TextLines; ++i)
        named = named || Delete().GetTextLine(i).find(u"\"Ann\"") != std::u16string::npos;
    EXPECT_TRUE(named);
    player.Click(*Delete().cancel);
    ASSERT_TRUE(player.WaitOnScreen(Profiles()));
    EXPECT_EQ(Names().size(), 1u);

    player.Click(*Profiles().deleteButton);
    ASSERT_TRUE(player.WaitOnScreen(Delete()));
    player.Click(*Delete().confirm);
    EXPECT_TRUE(Names().empty());
    ASSERT_TRUE(player.WaitOnScreen(NewProfile()));
    EXPECT_EQ(Caption(*NewProfile().entry->other), "EXIT");

    // Its EXIT asks; NO comes back with the typed name still there.
    player.Type(u"Bo");
    player.Click(*NewProfile().entry->other);
    ASSERT_TRUE(player.WaitOnScreen(Quit()));
    player.Click(*Quit().cancel);
    ASSERT_TRUE(player.WaitOnScreen(NewProfile()));
    EXPECT_EQ(NewProfile().entry->edit->editBox->text, u"Bo");
}

TEST_F(ProfileScreensTest, PunctuationMakesANameOfItsOwnAndALongNameIsCutToWhatTheGreetingHolds)
{
    ASSERT_NO_FATAL_FAILURE(StartAsAnn());
    player.Click(*MainMenu().buttons[GUIMainMenuWindow::ChangeProfile]);
    ASSERT_TRUE(player.WaitOnScreen(Profiles()));

    // "Ann." is not "Ann": no clash, a second profile.
    player.Click(*Profiles().newButton);
    ASSERT_TRUE(player.WaitOnScreen(NewProfile()));
    player.Type(u"Ann.");
    player.Press("ENTER");
    ASSERT_TRUE(player.WaitOnScreen(Profiles()));
    EXPECT_EQ(Names(), (std::vector<std::u16string>{u"Ann", u"Ann."}));

    // Typing stops where the name would no longer fit the greeting.
    const std::u16string typed = u"Überlingen-Großwürden Maximiliane Äbtissin von Höllental";
    player.Click(*Profiles().newButton);
    ASSERT_TRUE(player.WaitOnScreen(NewProfile()));
    player.Type(typed);
    const std::u16string kept = NewProfile().entry->edit->editBox->text;
    EXPECT_LT(kept.size(), typed.size());
    EXPECT_GT(kept.size(), 5u);
    EXPECT_EQ(typed.compare(0, kept.size(), kept), 0);
    player.Press("ENTER");
    ASSERT_TRUE(player.WaitOnScreen(Profiles()));
    ASSERT_EQ(Names().size(), 3u);
    EXPECT_EQ(CurrentName(), Names()[2]);
    player.Click(*Profiles().doneButton);
    ASSERT_TRUE(player.WaitOnScreen(MainMenu()));
    const ZorvaneEngine::GUIFont* font = Game().Engine()->guiManager->GetFontManager()->GetFont(1);
    ASSERT_NE(font, nullptr);
    ASSERT_NE(Game().Data()->backgroundTextAreaModel, nullptr);
    EXPECT_LE(font->MeasureText(MainMenu().title, 0.0f, font->size).x,
              BoxSize(*Game().Data()->backgroundTextAreaModel).x);

    // All three, and the choice of the long one, come back in the next run.
    const std::u16string chosen = CurrentName();
    world.game.reset();
    world.Start();
    EXPECT_EQ(Names(), (std::vector<std::u16string>{u"Ann", u"Ann.", chosen}));
    EXPECT_EQ(CurrentName(), chosen);
}

TEST(ProfileListTest, TheListScrollsOverNineProfilesWithTheCurrentOneFirst)
{
    struct Case {
        int profiles;
        bool enabled;
        uint32_t steps;
        int rowsShown;
    };
    for (const Case& c : {Case{3, false, 2, 3}, Case{7, false, 2, 7}, Case{9, true, 3, 7}}) {
        SCOPED_TRACE(c.profiles);
        GameEnvironment world;
        MenuPlayer player(world);
        world.UseBuiltData();
        world.Start();
        world.game->RunStartUp(world.env.scripted);
        GameFramework::ProfileManagerBase& profiles = *world.game->Profiles();
        const char16_t* names[] = {u"Ann", u"Ben", u"Cai", u"Dan", u"Eva", u"Fin", u"Gus", u"Hal", u"Ida"};
        for (int i = 0; i < c.profiles; ++i)
            profiles.AddProfile(names[i]);
        profiles.currentProfile = profiles.FindProfile(u"Cai");
        auto& list = *static_cast<GUIProfilesWindow*>(world.game->ProfileList());
        world.game->Welcome()->Close();
        list.Open();
        ASSERT_TRUE(player.WaitOnScreen(list));
        EXPECT_EQ(list.scrollBar->scroll->steps, c.steps);
        EXPECT_EQ(list.scrollBar->scroll->state != ZorvaneEngine::SliderStateDisabled, c.enabled);
        int shown = 0;
        for (const ZorvaneEngine::GUIButton* row : list.rows)
            shown += row->effectivelyVisible ? 1 : 0;
        EXPECT_EQ(shown, c.rowsShown);
        EXPECT_EQ(list.names.front(), u"Cai");
        EXPECT_EQ(list.names.size(), static_cast<size_t>(c.profiles));
        if (c.profiles == 9) {
            // The down arrow moves the list on by a name a click, no
            // further than the last seven names; the up arrow back.
            ZorvaneEngine::GUIScroll& bar = *list.scrollBar->scroll;
            EXPECT_NE(bar.increaseButton->model->name.find("button_arrow_down"), std::string::npos);
            for (int click = 0; click < 3; ++click)
                player.Click(*bar.increaseButton);
            EXPECT_EQ(bar.position, 2u);
            EXPECT_EQ(list.rows[0]->GetTextItems()[0]->text, list.names[2]);
            EXPECT_EQ(list.rows[6]->GetTextItems()[0]->text, list.names[8]);
            player.Click(*bar.decreaseButton);
            EXPECT_EQ(bar.position, 1u);
            EXPECT_EQ(list.rows[0]->GetTextItems()[0]->text, list.names[1]);
        }
    }
}

} // namespace
} // namespace ActionPuzzle
