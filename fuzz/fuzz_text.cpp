// Text tables: "[KEY]" lines and their texts, in any of the text encodings.
#include <cstdint>

#include "engine/gui/GUITextManager.h"
#include "fuzz/support/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzSupport::WriteFile("data/input.txt", data, size);
    {
        ZorvaneEngine::GUITextManager texts(&FuzzSupport::Log(), &FuzzSupport::Files());
        texts.LoadFile("input.txt");
        texts.GetText("TITLE");
        texts.GetText("HELP_TEXT_", 1);
    }
    FuzzSupport::EndInput();
    return 0;
}
