// Ogg Vorbis files: the stream opened, every sample decoded in pieces, a
// rewind and the first piece again.
#include <cstdint>
#include <vector>

#include "engine/core/Error.h"
#include "engine/sound/SoundFileReaderOGG.h"
#include "fuzz/support/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzSupport::WriteFile("data/input.ogg", data, size);
    try {
        ZorvaneEngine::SoundFileReaderOGG reader("input.ogg", &FuzzSupport::Files(), &FuzzSupport::Log());
        std::vector<uint8_t> piece(4096);
        uint32_t got = 0;
        bool end = false;
        while (!end) {
            reader.Read(piece.data(), static_cast<uint32_t>(piece.size()), &got, &end);
        }
        reader.Rewind();
        reader.Read(piece.data(), static_cast<uint32_t>(piece.size()), &got, &end);
    } catch (const ZorvaneEngine::Error&) {
        // A damaged file is refused: the outcome wanted.
    }
    FuzzSupport::EndInput();
    return 0;
}
