#include "tools/common/EventPlayer.h"

#include "engine/Engine.h"
#include "engine/core/Window.h"
#include "engine/graphics/Image.h"
#include "engine/graphics/RenderSystem.h"
#include "engine/gui/GUIWindow.h"
#include "platform/input/sdl/InputInjection.h"
#include "platform/window/Windowing.h"
#include "tools/common/PngWriter.h"

namespace Tools {

namespace {

constexpr float kGuiWidth = 800.0f;
constexpr float kGuiHeight = 600.0f;

} // namespace

void EventPlayer::PointAt(ZorvaneEngine::Vector2 at)
{
    const ZorvaneEngine::Window& window = *engine->window;
    const auto x = static_cast<int32_t>(at.x * static_cast<float>(window.width) / kGuiWidth);
    const auto y = static_cast<int32_t>((kGuiHeight - at.y) * static_cast<float>(window.height) / kGuiHeight);
    Platform::GetWindowing().SetCursorPos(window.handle, x, y);
}

bool EventPlayer::Button(int button, bool down)
{
    return Platform::InjectMouseButton(engine->window->handle, button, down);
}

bool EventPlayer::KeyChange(uint32_t scanCode, bool down)
{
    return Platform::InjectKey(engine->window->handle, scanCode, down);
}

bool EventPlayer::Text(const std::string& utf8)
{
    return Platform::InjectText(engine->window->handle, utf8);
}

bool EventPlayer::Focus(bool gained)
{
    return Platform::InjectFocus(engine->window->handle, gained);
}

bool EventPlayer::Restore()
{
    return Platform::InjectRestore(engine->window->handle);
}

bool EventPlayer::Quit()
{
    return Platform::InjectQuit();
}

void EventPlayer::Press(int button, int hold)
{
    Button(button, true);
    Frames(hold);
    Button(button, false);
    Frames(hold);
}

void EventPlayer::Click(ZorvaneEngine::Vector2 at, int settle, int hold)
{
    PointAt(at);
    Frames(settle);
    Press(0, hold);
}

void EventPlayer::Key(uint32_t scanCode, int frames)
{
    KeyChange(scanCode, true);
    Frames(frames);
    KeyChange(scanCode, false);
    Frames(frames);
}

void EventPlayer::Type(const std::string& utf8)
{
    size_t start = 0;
    while (start < utf8.size()) {
        size_t end = start + 1;
        while (end < utf8.size() && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80)
            ++end;
        Text(utf8.substr(start, end - start));
        Frames(2);
        start = end;
    }
}

ZorvaneEngine::Vector2 EventPlayer::CentreOf(const ZorvaneEngine::GUIWindow& widget)
{
    ZorvaneEngine::Vector2 corner = widget.GetAbsolutePosition();
    ZorvaneEngine::Vector2 extent = widget.size;
    if (widget.hitAreaOn) {
        corner = ZorvaneEngine::Vector2(corner.x + widget.hitAreaOffset.x, corner.y + widget.hitAreaOffset.y);
        extent = widget.hitAreaSize;
    }
    return ZorvaneEngine::Vector2(corner.x + extent.x / 2, corner.y + extent.y / 2);
}

bool EventPlayer::SaveScreen(const std::string& path) const
{
    ZorvaneEngine::Image picture;
    engine->renderer->CaptureScreen(picture);
    return !picture.IsEmpty() && SavePngFile(path, picture);
}

} // namespace Tools
