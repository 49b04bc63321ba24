// The configuration file: "name value" lines in any of the text encodings,
// run against variables of every type, then read back as text.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/core/Config.h"
#include "engine/core/ConfigVariable.h"
#include "fuzz/support/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using ZorvaneEngine::ConfigVariableType;
    FuzzSupport::WriteFile("fuzz.ini", data, size);
    {
        ZorvaneEngine::Config config("", "fuzz", &FuzzSupport::Log(), &FuzzSupport::Files(), "", false, false,
                                     false);
        int32_t number = 0;
        float fraction = 0.0f;
        bool flag = false;
        std::string text;
        config.AddVariable("7", "f_int", ConfigVariableType::Int, true, &number, true);
        config.AddVariable("0.5", "f_float", ConfigVariableType::Float, true, &fraction, true);
        config.AddVariable("1", "f_bool", ConfigVariableType::Bool, true, &flag, true);
        config.AddVariable("text", "f_string", ConfigVariableType::String, true, &text, true);
        config.AddVariable("", "f_command", ConfigVariableType::Command, false, nullptr, false);
        config.Load();
        // A line for a name registered after the load.
        int32_t late = 0;
        config.AddVariable("0", "f_late", ConfigVariableType::Int, true, &late, false);
        config.Update();

        std::vector<std::string> names;
        config.GetNames(names);
        for (const std::string& name : names) {
            config.GetValueString(name);
        }
        int32_t width = 0, height = 0, bits = 0;
        ZorvaneEngine::ParseVideoMode(config.videoMode, &width, &height, &bits);
    }
    FuzzSupport::EndInput();
    return 0;
}
