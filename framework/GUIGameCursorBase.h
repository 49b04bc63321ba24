#pragma once
// The game's mouse cursor: a table of cursor kinds, each a system cursor and
// optionally a drawn cursor of the GUI toolkit, and the switch between the
// two ways of showing it. The saved setting "ui_custom_cursor" chooses the
// drawn cursor; a change of it takes effect in a frame in which the cursor
// is shown. The cursor starts hidden; the game shows it once start-up has
// loaded.
#include <cstdint>
#include <map>

#include "platform/window/Windowing.h"

namespace ZorvaneEngine {
class Config;
class Controls;
class Engine;
class GUICursor;
class GUIManager;
class MessageManager;
class Window;
} // namespace ZorvaneEngine

namespace GameFramework {

struct CursorEntry {
    Platform::CursorHandle systemCursor = nullptr;  // not released here
    // Registered in the GUI manager's cursor pool; deleted with the base.
    ZorvaneEngine::GUICursor* customCursor = nullptr;
};

class GUIGameCursorBase {
public:
    // Registers "ui_custom_cursor" (a value from the configuration file
    // applies at once) and hides the system cursor.
    explicit GUIGameCursorBase(ZorvaneEngine::Engine* engine);
    // Deletes the drawn cursors and detaches the setting.
    virtual ~GUIGameCursorBase();

    GUIGameCursorBase(const GUIGameCursorBase&) = delete;
    GUIGameCursorBase& operator=(const GUIGameCursorBase&) = delete;

    // Once a frame after the screens. False, doing nothing, while the
    // cursor is hidden; otherwise applies a change of "ui_custom_cursor".
    virtual bool Update();
    // With the drawn cursor in use and a current kind: shows or hides the
    // drawn cursor and leaves the system cursor alone. Otherwise the system
    // cursor, its display counter kept between -11 and 11.
    virtual void Show(bool show);

    // Makes a registered kind current: a shown drawn cursor is swapped for
    // the kind's, and the window uses the kind's system cursor. An id nobody
    // registered only becomes the current id; the cursor on screen stays.
    void SelectCursor(int32_t id);
    bool IsShown() const;

    int32_t GetCurrentId() const { return currentId; }
    bool IsCustomCursorInUse() const { return customCursorInUse; }

protected:
    ZorvaneEngine::Engine* engine;
    ZorvaneEngine::MessageManager* log;
    ZorvaneEngine::Window* window;
    ZorvaneEngine::Config* config;
    ZorvaneEngine::GUIManager* guiManager;
    ZorvaneEngine::Controls* input;
    bool customCursor = true;       // "ui_custom_cursor"
    bool customCursorInUse = true;  // the value in effect
    // Filled by the derived cursor.
    std::map<int32_t, CursorEntry> cursors;
    int32_t currentId = -1;
    CursorEntry* currentEntry = nullptr;

private:
    bool DrawnCursorApplies() const;
    void ShowSystemCursor(bool show);
};

} // namespace GameFramework
