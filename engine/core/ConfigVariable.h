#pragma once
// One configuration variable: a name's binding to a field of its owner, or a
// command without a field.
#include <cstdint>
#include <string>

namespace ZorvaneEngine {

// The field a variable is bound to: int32_t, float, bool or std::string.
enum class ConfigVariableType : int32_t { Int = 0, Float = 1, Bool = 2, String = 3, Command = 4 };

struct ConfigVariable {
    ConfigVariableType type = ConfigVariableType::Int;
    bool saved = false;  // written to the file
    void* field = nullptr;  // the owner's field; none for a command
    std::string defaultText;
    // The command flag: true is idle, false is issued and not yet carried out.
    bool done = false;
    bool trackChanges = false;
    // The value last seen by the change tracking.
    int32_t cachedInt = 0;
    float cachedFloat = 0.0f;
    bool cachedBool = false;
    std::string cachedString;
    bool changed = false;
    // The owner went away: the field is gone and the value lives in keptText.
    bool detached = false;
    std::string keptText;
};

} // namespace ZorvaneEngine
