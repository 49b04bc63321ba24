#pragma once
// Every setting of the program as a named variable bound to a field of its
// owner; the variables are read from and written to "<name>.ini", lines of
// "name value", and commands travel through them: a requester issues a
// command (SetCommandDone(name, false) or executing its name), the owner
// polls IsCommandDone every frame and re-arms it after acting, so a command
// issued twice before the owner looks runs once.
//
// For owners: the configuration keeps a pointer to the bound field. An owner
// that goes away before the configuration must call DetachVariable for each
// name it registered, in its destructor; the value is kept as text, is still
// saved, and returns to the next owner that registers the name.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "engine/core/ConfigVariable.h"

namespace ZorvaneEngine {

class FileManager;
class MessageManager;

enum class ConfigResult : int32_t {
    Done = 0,
    NoValue = 3,      // a name without a value: the variable is left alone
    UnknownName = 4,  // not registered, or detached
    EmptyLine = 5
};

class Config {
public:
    // name: the file's name without ".ini" ("Zorvane Engine" when empty);
    // folder: where it lives (empty: the installation folder). videoMode is
    // the default of "v_mode" ("800x600x32" when empty) and fullscreen that
    // of "v_fullscreen"; the given flags make these defaults win over the
    // file on Load.
    Config(const std::string& videoMode, const std::string& name, MessageManager* log,
           FileManager* files, const std::string& folder, bool videoModeGiven,
           bool fullscreenGiven, bool fullscreen);
    virtual ~Config();

    Config(const Config&) = delete;
    Config& operator=(const Config&) = delete;

    // Binds name to field (of the type's C++ type; null for a command). A
    // detached name is re-bound and gets its kept value, keeping its first
    // default, type and flags; an attached name is left as it is. A new
    // name gets its default, then a line the file held for it.
    void AddVariable(const std::string& defaultText, const std::string& name,
                     ConfigVariableType type, bool saved, void* field, bool trackChanges);
    void DetachVariable(const std::string& name);

    // Runs a "name value" line. A command is issued whatever follows it. The
    // value ends at a double backslash; each pair of blanks in the line is
    // removed first, so "a  1" names "a1".
    ConfigResult Execute(const std::string& line, std::string* name = nullptr);

    // Each of these ignores absent and detached names.
    void SetValue(const std::string& name, const std::string& text);
    std::string GetValueString(const std::string& name) const;  // floats with 6 decimals
    std::string GetDefaultString(const std::string& name) const;
    void ResetToDefault(const std::string& name);
    void ResetAll();
    void SetCommandDone(const std::string& name, bool done);
    // False for an absent or detached name, as for an issued command.
    bool IsCommandDone(const std::string& name) const;
    bool HasChanged(const std::string& name) const;
    // Attached names in name order.
    void GetNames(std::vector<std::string>& names) const;

    // Frame start: carries out "reset_config" and compares tracked fields
    // with their last seen values.
    void Update();
    // Frame end.
    void ClearChanged();

    // Defaults, then the file's lines; lines for names not registered yet
    // wait for their variable. A missing file means defaults.
    void Load();
    // Writes every saved variable, attached or detached, in name order. A
    // failure is logged and the previous file stays.
    void Save();

    const std::string& GetPath() const { return path; }

    // The engine's own settings, read directly by the renderer, the input
    // and screen capture.
    std::string videoMode;          // "v_mode": "800x600x32" or "desktop"
    bool fullscreen = false;        // "v_fullscreen"
    bool verticalSync = false;      // "v_vsync"
    float brightness = 0.0f;        // "v_brightness"
    float contrast = 0.0f;          // "v_contrast"
    float gamma = 0.0f;             // "v_gamma"
    bool mipMapping = false;        // "r_use_mip_mapping"
    bool showOctreeNodes = false;   // "r_show_octree_nodes"
    bool showFacesEdges = false;    // "r_show_faces_edges"
    bool showFacesNormals = false;  // "r_show_faces_normals"
    bool showMipMaps = false;       // "r_show_mip_maps"
    int32_t textureAnisotropy = 0;  // "r_texture_anisotropy"
    bool invertMouse = false;       // "c_invert_mouse"
    int32_t screenshotFormat = 0;   // "sc_take_screenshot_format"

private:
    ConfigVariable* FindAttached(const std::string& name);
    const ConfigVariable* FindAttached(const std::string& name) const;

    MessageManager* log;
    FileManager* files;
    std::string path;
    std::map<std::string, ConfigVariable> variables;  // by lower-case name
    std::map<std::string, std::string> pendingLines;  // file lines of names not yet registered
    bool videoModeGiven;
    bool fullscreenGiven;
};

// Reads "1024x768x32" (either case of x). Without two separators the mode is
// 640 by 480 by 16, which is also what "desktop" gives. Null outputs are
// skipped.
void ParseVideoMode(const std::string& text, int32_t* width, int32_t* height, int32_t* bits);

} // namespace ZorvaneEngine
