#include "engine/core/Config.h"

#include <cmath>
#include <cstdlib>

#include "engine/core/CodePage.h"
#include "engine/core/Error.h"
#include "engine/core/FileManager.h"
#include "engine/core/FileTextual.h"
#include "engine/core/MessageManager.h"
#include "engine/core/TextUtils.h"

namespace ZorvaneEngine {

namespace {

// Smaller float changes are not reported by the change tracking.
constexpr float kFloatTolerance = 0.0001f;

const char* const kResetConfig = "reset_config";

// Characters of a line of the file that are kept, as many as a registry
// value may hold.
constexpr size_t kMaxLineLength = 4096;

} // namespace

Config::Config(const std::string& videoModeText, const std::string& name, MessageManager* log,
               FileManager* files, const std::string& folder, bool videoModeGiven,
               bool fullscreenGiven, bool fullscreenDefault)
    : log(log), files(files), videoModeGiven(videoModeGiven), fullscreenGiven(fullscreenGiven) {
    const std::string fileName = (name.empty() ? std::string("Zorvane Engine") : name) + ".ini";
    path = folder.empty() ? fileName : folder + "\\" + fileName;

    std::string modeDefault = videoModeText;
    if (modeDefault.empty()) {
        modeDefault = "800x600x32";
        this->videoModeGiven = false;
    }

    using T = ConfigVariableType;
    AddVariable("", kResetConfig, T::Command, false, nullptr, false);
    AddVariable(modeDefault, "v_mode", T::String, true, &videoMode, false);
    AddVariable(fullscreenDefault ? "1" : "0", "v_fullscreen", T::Bool, true, &fullscreen, false);
    AddVariable("1", "v_vsync", T::Bool, true, &verticalSync, false);
    AddVariable("1.0", "v_brightness", T::Float, true, &brightness, false);
    AddVariable("1.0", "v_contrast", T::Float, true, &contrast, false);
    AddVariable("1.0", "v_gamma", T::Float, true, &gamma, false);
    AddVariable("", "v_window_change_mode", T::Command, false, nullptr, false);
    AddVariable("1", "r_use_mip_mapping", T::Bool, true, &mipMapping, false);
    AddVariable("0", "r_show_octree_nodes", T::Bool, true, &showOctreeNodes, false);
    AddVariable("0", "r_show_faces_edges", T::Bool, true, &showFacesEdges, false);
    AddVariable("0", "r_show_faces_normals", T::Bool, true, &showFacesNormals, false);
    AddVariable("0", "r_show_mip_maps", T::Bool, true, &showMipMaps, false);
    AddVariable("1", "r_texture_anisotropy", T::Int, true, &textureAnisotropy, false);
    AddVariable("0", "c_invert_mouse", T::Bool, true, &invertMouse, false);
    AddVariable("", "sc_take_screenshot", T::Command, false, nullptr, false);
    AddVariable("", "sc_take_screenshot_tga", T::Command, false, nullptr, false);
    AddVariable("", "sc_take_screenshot_jpg", T::Command, false, nullptr, false);
    AddVariable("0", "sc_take_screenshot_format", T::Int, true, &screenshotFormat, false);
    AddVariable("", "sc_start_movie_record", T::Command, false, nullptr, false);
    AddVariable("", "sc_stop_movie_record", T::Command, false, nullptr, false);
    AddVariable("", "exit", T::Command, false, nullptr, false);
}

Config::~Config() = default;

ConfigVariable* Config::FindAttached(const std::string& name) {
    auto found = variables.find(ToLowerCase(name));
    if (found == variables.end() || found->second.detached)
        return nullptr;
    return &found->second;
}

const ConfigVariable* Config::FindAttached(const std::string& name) const {
    auto found = variables.find(ToLowerCase(name));
    if (found == variables.end() || found->second.detached)
        return nullptr;
    return &found->second;
}

void Config::AddVariable(const std::string& defaultText, const std::string& name,
                         ConfigVariableType type, bool saved, void* field, bool trackChanges) {
    const std::string key = ToLowerCase(name);
    auto found = variables.find(key);
    if (found != variables.end()) {
        ConfigVariable& variable = found->second;
        if (!variable.detached)
            return;  // the first owner keeps the name
        variable.field = field;
        variable.detached = false;
        variable.changed = variable.trackChanges;
        SetValue(key, variable.keptText);
        return;
    }

    ConfigVariable variable;
    variable.type = type;
    variable.saved = saved;
    variable.field = type == ConfigVariableType::Command ? nullptr : field;
    variable.defaultText = defaultText;
    variable.done = type == ConfigVariableType::Command;
    variable.trackChanges = trackChanges;
    variable.changed = trackChanges;
    variables.emplace(key, std::move(variable));
    ResetToDefault(key);

    // A line loaded before the variable existed.
    auto pending = pendingLines.find(key);
    if (pending != pendingLines.end()) {
        const std::string line = std::move(pending->second);
        pendingLines.erase(pending);
        Execute(line);
    }
}

void Config::DetachVariable(const std::string& name) {
    ConfigVariable* variable = FindAttached(name);
    if (!variable)
        return;
    variable->keptText = GetValueString(name);
    variable->detached = true;
    variable->field = nullptr;
}

ConfigResult Config::Execute(const std::string& line, std::string* name) {
    if (name)
        name->clear();
    std::string text = line;
    TrimLeft(text);
    TrimRight(text);
    StripLeadingBackslashes(text);
    // Each pair of blanks goes: two blanks between a name and its value join
    // them, three leave one.
    ReplaceAll(text, "  ", "");
    if (text.empty())
        return ConfigResult::EmptyLine;

    size_t nameEnd = 0;
    while (nameEnd < text.size() && text[nameEnd] != '\\' &&
           !CodePageIsSpace(static_cast<uint8_t>(text[nameEnd])))
        ++nameEnd;
    const std::string key = ToLowerCase(text.substr(0, nameEnd));
    if (name)
        *name = key;

    ConfigVariable* variable = FindAttached(key);
    if (!variable)
        return ConfigResult::UnknownName;
    if (variable->type == ConfigVariableType::Command) {
        variable->done = false;
        return ConfigResult::Done;
    }

    const size_t valueEnd = text.find("\\\\", nameEnd);
    std::string value = text.substr(nameEnd, valueEnd == std::string::npos ? std::string::npos
                                                                            : valueEnd - nameEnd);
    TrimLeft(value);
    TrimRight(value);
    if (value.empty())
        return ConfigResult::NoValue;

    SetValue(key, value);
    return ConfigResult::Done;
}

void Config::SetValue(const std::string& name, const std::string& text) {
    ConfigVariable* variable = FindAttached(name);
    if (!variable || !variable->field)
        return;
    switch (variable->type) {
    case ConfigVariableType::Int:
        *static_cast<int32_t*>(variable->field) = TextToInt(text);
        break;
    case ConfigVariableType::Float: {
        // A NaN passes every range check of the owners and would be saved
        // back: the variable keeps to its default instead.
        float value = TextToFloat(text);
        if (std::isnan(value))
            value = TextToFloat(variable->defaultText);
        *static_cast<float*>(variable->field) = std::isnan(value) ? 0.0f : value;
        break;
    }
    case ConfigVariableType::Bool:
        *static_cast<bool*>(variable->field) = TextToBool(text);
        break;
    case ConfigVariableType::String:
        *static_cast<std::string*>(variable->field) = text;
        break;
    case ConfigVariableType::Command:
        break;
    }
}

std::string Config::GetValueString(const std::string& name) const {
    auto found = variables.find(ToLowerCase(name));
    if (found == variables.end())
        return {};
    const ConfigVariable& variable = found->second;
    if (variable.detached)
        return variable.keptText;
    if (!variable.field)
        return {};
    switch (variable.type) {
    case ConfigVariableType::Int:
        return IntToText(*static_cast<const int32_t*>(variable.field));
    case ConfigVariableType::Float:
        return FloatToText(*static_cast<const float*>(variable.field), 6);
    case ConfigVariableType::Bool:
        return *static_cast<const bool*>(variable.field) ? "1" : "0";
    case ConfigVariableType::String:
        return *static_cast<const std::string*>(variable.field);
    case ConfigVariableType::Command:
        break;
    }
    return {};
}

std::string Config::GetDefaultString(const std::string& name) const {
    auto found = variables.find(ToLowerCase(name));
    return found == variables.end() ? std::string() : found->second.defaultText;
}

void Config::ResetToDefault(const std::string& name) {
    ConfigVariable* variable = FindAttached(name);
    if (!variable)
        return;
    SetValue(name, variable->defaultText);
    variable->done = variable->type == ConfigVariableType::Command;
}

void Config::ResetAll() {
    for (auto& [key, variable] : variables)
        ResetToDefault(key);
}

void Config::SetCommandDone(const std::string& name, bool done) {
    if (ConfigVariable* variable = FindAttached(name))
        variable->done = done;
}

bool Config::IsCommandDone(const std::string& name) const {
    const ConfigVariable* variable = FindAttached(name);
    return variable && variable->done;
}

bool Config::HasChanged(const std::string& name) const {
    auto found = variables.find(ToLowerCase(name));
    return found != variables.end() && found->second.changed;
}

void Config::GetNames(std::vector<std::string>& names) const {
    for (const auto& [key, variable] : variables) {
        if (!variable.detached)
            names.push_back(key);
    }
}

void Config::Update() {
    // Looked up directly: IsCommandDone is also false when the command is
    // missing, which must not reset everything every frame.
    ConfigVariable* reset = FindAttached(kResetConfig);
    if (reset && !reset->done) {
        reset->done = true;
        ResetAll();
    }

    for (auto& [key, variable] : variables) {
        if (variable.detached || !variable.trackChanges || !variable.field)
            continue;
        bool differs = false;
        switch (variable.type) {
        case ConfigVariableType::Int: {
            const int32_t value = *static_cast<const int32_t*>(variable.field);
            differs = value != variable.cachedInt;
            variable.cachedInt = value;
            break;
        }
        case ConfigVariableType::Float: {
            const float value = *static_cast<const float*>(variable.field);
            differs = std::fabs(value - variable.cachedFloat) > kFloatTolerance;
            // Small drifts are not copied, so they cannot add up unseen.
            if (differs)
                variable.cachedFloat = value;
            break;
        }
        case ConfigVariableType::Bool: {
            const bool value = *static_cast<const bool*>(variable.field);
            differs = value != variable.cachedBool;
            variable.cachedBool = value;
            break;
        }
        case ConfigVariableType::String: {
            const std::string& value = *static_cast<const std::string*>(variable.field);
            differs = value != variable.cachedString;
            if (differs)
                variable.cachedString = value;
            break;
        }
        case ConfigVariableType::Command:
            break;
        }
        if (differs)
            variable.changed = true;
    }
}

void Config::ClearChanged() {
    for (auto& [key, variable] : variables)
        variable.changed = false;
}

void Config::Load() {
    ResetAll();
    pendingLines.clear();
    try {
        std::unique_ptr<FileTextual> file = files->OpenTextFile(path, false);
        // No setting needs a longer line; a damaged file of one endless line
        // must not be held in memory whole.
        file->SetLengthLimit(kMaxLineLength);
        std::string line;
        std::string name;
        while (file->ReadString(line, false)) {
            if (Execute(line, &name) == ConfigResult::UnknownName)
                pendingLines.emplace(name, line);  // the first line for a name stays
        }
    } catch (const Error&) {
        // No file yet, or an unreadable one: what was read stays.
    }
    // The program's own values win over the file.
    if (videoModeGiven)
        ResetToDefault("v_mode");
    if (fullscreenGiven)
        ResetToDefault("v_fullscreen");
}

void Config::Save() {
    try {
        std::unique_ptr<FileTextual> file = files->OpenTextFile(path, true);
        for (const auto& [key, variable] : variables) {
            if (!variable.saved || variable.type == ConfigVariableType::Command)
                continue;
            file->WriteString(key + " " + GetValueString(key));
            file->WriteNewLine();
        }
        // Closed here so that a failed write is reported; the file replaces
        // the previous one only when every byte reached it.
        file->Close();
    } catch (const Error& error) {
        if (log)
            log->Error(error.message);
    }
}

void ParseVideoMode(const std::string& text, int32_t* width, int32_t* height, int32_t* bits) {
    int32_t w = 640, h = 480, b = 16;
    const size_t first = text.find_first_of("xX");
    const size_t second = first == std::string::npos ? first : text.find_first_of("xX", first + 1);
    if (second != std::string::npos) {
        auto number = [](const std::string& part) {
            return static_cast<int32_t>(std::strtoul(part.c_str(), nullptr, 10));
        };
        w = number(text.substr(0, first));
        h = number(text.substr(first + 1, second - first - 1));
        b = number(text.substr(second + 1));
    }
    if (width)
        *width = w;
    if (height)
        *height = h;
    if (bits)
        *bits = b;
}

} // namespace ZorvaneEngine
