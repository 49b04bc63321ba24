#include "engine/console/Console.h"

#include <algorithm>

#include "engine/core/Config.h"
#include "engine/core/MessageManager.h"
#include "engine/core/TextUtils.h"
#include "engine/core/TimerManager.h"
#include "engine/core/Window.h"
#include "engine/graphics/Camera.h"
#include "engine/gui/GUIEditBox.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/input/Controls.h"

namespace ZorvaneEngine {

namespace {

const ColorRGBA kWhite(1, 1, 1, 1);
const ColorRGBA kGrey(0.5f, 0.5f, 0.5f, 1);
const ColorRGBA kRed(1, 0, 0, 1);
const ColorRGBA kGreen(0, 1, 0, 1);
const ColorRGBA kBlue(0, 0, 1, 1);

const char* const kVariables[] = {"ui_console_alpha", "ui_console_size", "ui_console_speed",
                                  "ui_console_key", "say"};

constexpr int32_t kCommandLineLength = 255;
constexpr size_t kFillLimit = 255;

} // namespace

Console::Console(MessageManager* log, TimerManager* timers, Config* config, Controls* input,
                 ShaderManager*, GUIManager* gui, const ShaderDescriptor& panelMaterial,
                 const std::string& version, int32_t fontId, const std::string& givenKey, float givenAlpha,
                 float givenHeight, float givenSpeed)
    : log(log), timers(timers), config(config), input(input), gui(gui), fontId(fontId)
{
    using T = ConfigVariableType;
    config->AddVariable(FloatToText(givenAlpha, 4), "ui_console_alpha", T::Float, true, &alpha, false);
    config->AddVariable(FloatToText(givenHeight, 4), "ui_console_size", T::Float, true, &height, false);
    config->AddVariable(FloatToText(givenSpeed, 4), "ui_console_speed", T::Float, true, &speed, false);
    config->AddVariable(givenKey, "ui_console_key", T::String, true, &toggleKey, false);
    config->AddVariable("", "say", T::String, false, &sayText, false);
    if (!(alpha > 0.0f && alpha <= 1.0f)) alpha = givenAlpha;
    if (!(height > 0.0f && height <= ScreenHeight())) height = givenHeight;
    if (!(speed >= 0.0f)) speed = givenSpeed;

    font = gui->GetFontManager() != nullptr ? gui->GetFontManager()->GetFont(fontId) : nullptr;
    const float lineHeight = font != nullptr ? font->size : 0.0f;
    lineStep = 1.2f * lineHeight;
    firstLineOffset = 0.2f * lineHeight;
    prompt = u"]";

    const float width = ScreenWidth();
    const float top = ScreenHeight();
    panel = gui->CreateQuadWindow(GUIWindowFlags::VertexColor | GUIWindowFlags::DepthTop, Vector2(0, top),
                                  Vector2(width, height), &panelMaterial, nullptr, Vector2(1, 1));
    const float promptWidth = Measure(prompt);
    commandLine = gui->CreateEditBox(GUIWindowFlags::Visible, Vector2(promptWidth, firstLineOffset + lineStep),
                                     Vector2(width - promptWidth, lineStep), nullptr, fontId, kWhite,
                                     Vector2(0, 0), kCommandLineLength, width - promptWidth,
                                     width - promptWidth, panel);
    if (commandLine != nullptr) commandLine->active = false;

    // The version right-aligned and a rule of "^" across the screen: grown
    // one character past the width, then one taken back.
    versionLine = ToWide(version);
    const size_t versionLength = versionLine.size();
    for (size_t added = 0; added + versionLength < kFillLimit && Measure(versionLine) <= width; ++added)
        versionLine.insert(versionLine.begin(), u' ');
    if (!versionLine.empty() && versionLine.front() == u' ') versionLine.erase(versionLine.begin());
    for (size_t added = 0; added < kFillLimit && Measure(separator) <= width; ++added) separator.push_back(u'^');
    if (!separator.empty()) separator.pop_back();

    speaker = u"Tamvik";
}

Console::~Console()
{
    // The command line leaves its parent as it goes, so it goes first.
    if (commandLine != nullptr && gui->editBoxes.Remove(commandLine)) delete commandLine;
    if (panel != nullptr && gui->windows.Remove(panel)) delete panel;
    // The fields bound to the variables go with the console; the values
    // stay in the configuration (and in its file).
    for (const char* name : kVariables) config->DetachVariable(name);
}

float Console::ScreenWidth() const
{
    const Camera* camera = gui->GetCamera();
    return camera != nullptr ? camera->orthoWidth : static_cast<float>(gui->GetWindow()->width);
}

float Console::ScreenHeight() const
{
    const Camera* camera = gui->GetCamera();
    return camera != nullptr ? camera->orthoHeight : static_cast<float>(gui->GetWindow()->height);
}

float Console::Measure(const std::u16string& text) const
{
    return font != nullptr ? font->MeasureText(text, 0.0f, -1.0f).x : 0.0f;
}

void Console::StoreLine(const std::u16string& text, const ColorRGBA& color, bool endsLine)
{
    output.push_back(ConsoleLine{color, text, endsLine, Measure(text)});
}

void Console::AddText(const std::u16string& text, const ColorRGBA& color)
{
    const float width = ScreenWidth();
    std::u16string piece;
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\n') {
            StoreLine(piece, color, true);
            piece.clear();
            continue;
        }
        piece.push_back(c);
        // Too wide: the line breaks before this character, which starts
        // the next piece. A character wider than the screen on its own
        // stays and ends its line, so the walk always moves on.
        if (Measure(piece) > width) {
            if (piece.size() == 1) {
                StoreLine(piece, color, true);
                piece.clear();
                continue;
            }
            piece.pop_back();
            StoreLine(piece, color, true);
            piece.clear();
            --i;
        }
    }
    if (!piece.empty()) StoreLine(piece, color, false);
}

void Console::Update()
{
    for (const LogMessage& message : log->GetFrameMessages()) {
        const ColorRGBA& color = message.level == 0 ? kWhite : message.level == 1 ? kGrey : kRed;
        AddText(ToWide(message.text), color);
    }
    Toggle();
    Slide();
    if (state != Hidden) Layout();

    uint16_t code = 0;
    bool isCharacter = false;
    // Keys reach the console only while its command line takes them: a line
    // left typed in a closed console must not run on the game's Enter.
    if (state == Shown && !input->IsInputLocked() && input->GetKeyEvent(&code, &isCharacter) && !isCharacter)
        HandleKey(code);
}

void Console::Toggle()
{
    if (input->IsInputLocked() || !input->IsKeyPressed(ToUpperCase(toggleKey))) return;
    if (state == SlidingOut || state == Hidden) {
        state = SlidingIn;
        panel->SetVisible(true);
        SetCommandText(u"");
    } else {
        state = SlidingOut;
        if (commandLine != nullptr) commandLine->active = false;
    }
}

void Console::Slide()
{
    const float top = ScreenHeight();
    const float step = timers->frameStep;
    panel->size = Vector2(ScreenWidth(), height);
    float& y = panel->position.y;
    switch (state) {
    case SlidingIn:
        y -= step * speed;
        if (top - y > height) {
            state = Shown;
            y = top - height;
            if (commandLine != nullptr) commandLine->active = true;
        }
        break;
    case SlidingOut:
        y += step * speed;
        if (y > top) {
            state = Hidden;
            y = top;
            panel->SetVisible(false);
            scrollOffset = 0;
        }
        break;
    case Shown:
        y = top - height;
        break;
    case Hidden:
        break;
    }
}

void Console::Layout()
{
    panel->SetColor(ColorRGBA(1, 1, 1, alpha));
    float y = firstLineOffset;
    const auto put = [this](const std::u16string& text, float x, float atY, const ColorRGBA& color) {
        panel->AddText(0, fontId, text, 0.0f, -1.0f, Vector2(x, atY), color);
    };
    put(versionLine, 0.0f, y, kWhite);
    y += lineStep;
    put(prompt, 0.0f, y, kWhite);
    y += lineStep;
    if (scrollOffset != 0) {
        put(separator, 0.0f, y, kWhite);
        y += lineStep;
    }

    // Visual lines, newest first: the pieces from one line break to the
    // next. A scroll past the oldest line is taken back.
    std::vector<std::pair<size_t, size_t>> lines;  // [first, last) pieces
    size_t end = output.size();
    while (end > 0) {
        size_t begin = end - 1;
        while (begin > 0 && !output[begin - 1].endsLine) --begin;
        lines.emplace_back(begin, end);
        end = begin;
    }
    if (scrollOffset >= lines.size()) scrollOffset = lines.empty() ? 0 : static_cast<uint32_t>(lines.size() - 1);
    for (size_t i = scrollOffset; i < lines.size(); ++i) {
        if (y + lineStep > height - lineStep * 0.5f) break;
        float x = 0.0f;
        for (size_t p = lines[i].first; p < lines[i].second; ++p) {
            put(output[p].text, x, y, output[p].color);
            x += output[p].width;
        }
        y += lineStep;
    }
}

const std::u16string& Console::CommandText() const
{
    static const std::u16string none;
    return commandLine != nullptr ? commandLine->text : none;
}

void Console::SetCommandText(const std::u16string& text)
{
    if (commandLine != nullptr) commandLine->SetText(text);
}

void Console::HandleKey(uint16_t code)
{
    switch (code) {
    case KeyEnter:
        RunCommandLine();
        break;
    case KeyEscape:
        SetCommandText(u"");
        break;
    case KeyTab:
        CompleteName();
        break;
    case KeyUp:
        if (historyPosition > 0) {
            --historyPosition;
            ShowHistory();
        }
        break;
    case KeyDown:
        if (historyPosition < history.size()) {
            ++historyPosition;
            ShowHistory();
        }
        break;
    case KeyPageUp:
        ++scrollOffset;
        break;
    case KeyPageDown:
        if (scrollOffset > 0) --scrollOffset;
        break;
    default:
        break;
    }
}

void Console::ShowHistory()
{
    SetCommandText(historyPosition < history.size() ? history[historyPosition] : u"");
}

void Console::RunCommandLine()
{
    std::u16string text = CommandText();
    if (text.empty() || text == u"\\") return;
    SetCommandText(u"");
    std::string name;
    const ConfigResult result = config->Execute(ToNarrow(text), &name);
    if (result == ConfigResult::EmptyLine) return;
    if (text.front() != u'\\') text.insert(text.begin(), u'\\');
    history.push_back(text);
    historyPosition = static_cast<uint32_t>(history.size());
    AddText(prompt + text + u"\n", kBlue);

    const std::u16string quote = u"\"";
    const bool say = name == "say";
    if (result == ConfigResult::Done && say) {
        AddText(speaker + u": " + quote, kWhite);
        AddText(ToWide(config->GetValueString("say")), kGreen);
        AddText(quote + u"\n", kWhite);
    } else if (result == ConfigResult::NoValue && !say) {
        AddText(quote + ToWide(name) + quote + u" is " + quote + ToWide(config->GetValueString(name)) + quote +
                    u", default is " + quote + ToWide(config->GetDefaultString(name)) + quote + u"\n",
                kWhite);
    } else if (result == ConfigResult::UnknownName) {
        AddText(u"Unknown command " + quote + ToWide(name) + quote + u"\n", kWhite);
    }
}

void Console::CompleteName()
{
    std::u16string typed = ToLowerCase(CommandText());
    if (typed.empty() || typed.front() != u'\\') typed.insert(typed.begin(), u'\\');
    std::vector<std::string> names;
    config->GetNames(names);
    std::vector<std::u16string> matches;
    for (const std::string& name : names) {
        std::u16string candidate(1, u'\\');
        candidate += ToWide(name);
        if (candidate.compare(0, typed.size(), typed) == 0) matches.push_back(candidate);
    }
    if (matches.empty()) {
        SetCommandText(typed);
        return;
    }
    if (matches.size() == 1) {
        SetCommandText(matches[0] + u" ");
        return;
    }
    AddText(typed + u"\n", kBlue);
    std::u16string common = matches[0];
    for (const std::u16string& match : matches) {
        AddText(std::u16string(u"   ").append(match, 1) + u"\n", kWhite);
        size_t same = 0;
        while (same < common.size() && same < match.size() && common[same] == match[same]) ++same;
        common.resize(same);
    }
    SetCommandText(common);
}

} // namespace ZorvaneEngine
