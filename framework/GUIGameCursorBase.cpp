#include "framework/GUIGameCursorBase.h"

#include "engine/Engine.h"
#include "engine/core/Config.h"
#include "engine/core/Window.h"
#include "engine/gui/GUICursor.h"
#include "engine/gui/GUIManager.h"
#include "engine/input/Controls.h"

namespace GameFramework {

namespace {
const char* const kCustomCursorSetting = "ui_custom_cursor";
}

GUIGameCursorBase::GUIGameCursorBase(ZorvaneEngine::Engine* engine)
    : engine(engine), log(engine->log.get()), window(engine->window.get()), config(engine->config.get()),
      guiManager(engine->guiManager.get()), input(engine->input.get())
{
    config->AddVariable("1", kCustomCursorSetting, ZorvaneEngine::ConfigVariableType::Bool, true, &customCursor,
                        true);
    customCursorInUse = customCursor;
    // The base's own way, whatever a derived cursor makes of Show later.
    ShowSystemCursor(false);
}

GUIGameCursorBase::~GUIGameCursorBase()
{
    for (auto& [id, entry] : cursors) {
        if (entry.customCursor && guiManager->cursors.Remove(entry.customCursor))
            delete entry.customCursor;
    }
    config->DetachVariable(kCustomCursorSetting);
}

bool GUIGameCursorBase::DrawnCursorApplies() const
{
    return customCursorInUse && currentEntry != nullptr && currentEntry->customCursor != nullptr;
}

void GUIGameCursorBase::ShowSystemCursor(bool show)
{
    input->SetCursorVisible(show);
    ZorvaneEngine::Controls::ShowSystemCursor(show);
}

void GUIGameCursorBase::Show(bool show)
{
    if (DrawnCursorApplies())
        currentEntry->customCursor->visible = show;
    else
        ShowSystemCursor(show);
}

bool GUIGameCursorBase::IsShown() const
{
    return DrawnCursorApplies() ? currentEntry->customCursor->visible : input->IsCursorVisible();
}

void GUIGameCursorBase::SelectCursor(int32_t id)
{
    if (id == currentId) return;
    currentId = id;
    const auto found = cursors.find(id);
    if (found == cursors.end()) return;
    CursorEntry* entry = &found->second;
    if (currentEntry != nullptr && customCursorInUse && IsShown()) {
        Show(false);
        currentEntry = entry;
        Show(true);
    }
    currentEntry = entry;
    window->cursor = entry->systemCursor;
    Platform::GetWindowing().SetCursor(entry->systemCursor);
}

bool GUIGameCursorBase::Update()
{
    if (!IsShown()) return false;
    if (config->HasChanged(kCustomCursorSetting)) {
        Show(false);
        customCursorInUse = customCursor;
        Show(true);
    }
    return true;
}

} // namespace GameFramework
