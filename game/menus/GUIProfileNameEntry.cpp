#include "game/menus/GUIProfileNameEntry.h"

#include "engine/core/TextUtils.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/TextAlign.h"
#include "engine/input/Controls.h"
#include "game/common/GameData.h"
#include "game/menus/GUIControl.h"
#include "game/menus/GUIMenuWindow.h"

namespace ActionPuzzle {

namespace {

constexpr float kPromptY = 128.0f;
constexpr int32_t kPromptFont = 2;

} // namespace

GUIProfileNameEntry::GUIProfileNameEntry(GUIMenuWindow& window, bool acceptFirst) : window(window)
{
    GameData& data = *window.gameData;
    const GameData::MenuFrame<2>& frame = data.menuFrameModels.smallWindow;
    const GameData::ButtonLook& look = data.controlModels.buttonBig;
    const ZorvaneEngine::Model* editModel = data.menuFrameModels.smallWindowEdit;
    edit = new GUIControl(window.engine, editModel, &data, MenuControlKind::EditBox, editModel, nullptr, editModel,
                          window.frameWidget);
    const auto makeButton = [&](const ZorvaneEngine::Model* placement) {
        return new GUIControl(window.engine, placement, &data, MenuControlKind::Button, look.look,
                              look.selectionArea, look.textArea, window.frameWidget);
    };
    window.controls.push_back(edit);
    if (acceptFirst) {
        accept = makeButton(frame.buttons[1]);
        other = makeButton(frame.buttons[0]);
        window.controls.push_back(accept);
        window.controls.push_back(other);
    } else {
        other = makeButton(frame.buttons[0]);
        accept = makeButton(frame.buttons[1]);
        window.controls.push_back(other);
        window.controls.push_back(accept);
    }
}

GUIProfileNameEntry::~GUIProfileNameEntry()
{
    delete other;
    delete accept;
    delete edit;
}

std::u16string GUIProfileNameEntry::GetName() const
{
    return ZorvaneEngine::Trim(edit->editBox->text);
}

void GUIProfileNameEntry::SetText(const std::u16string& text)
{
    edit->editBox->SetText(text);
}

bool GUIProfileNameEntry::IsAccepted()
{
    ZorvaneEngine::GUIButton* button = accept->button;
    button->SetEnabled(!GetName().empty());
    return window.Clicked(button) ||
           (button->state != ZorvaneEngine::ButtonStateDisabled && window.KeyPressed("ENTER"));
}

bool GUIProfileNameEntry::IsOtherClicked() const
{
    return window.Clicked(other->button);
}

void GUIProfileNameEntry::AddTexts(const std::string& acceptKey, const std::string& otherKey) const
{
    window.frameWidget->AddTextByKey(ZorvaneEngine::TextAlign::CenterX, kPromptFont, "ENTER_YOUR_NAME", -1, 0.0f,
                                     -1.0f, {0, kPromptY}, window.colour);
    window.AddCaption(*accept, acceptKey);
    window.AddCaption(*other, otherKey);
}

} // namespace ActionPuzzle
