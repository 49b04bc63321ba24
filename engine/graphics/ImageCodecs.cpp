#include "engine/graphics/ImageCodecs.h"

#include "engine/core/Error.h"

namespace ZorvaneEngine::ImageCodecs {

void RaiseIncorrect(const std::string& name)
{
    throw FileError("Incorrect \"" + name + "\" file format");
}

void RaiseUnsupported(const std::string& name)
{
    throw FileError("Unsupported \"" + name + "\" file format");
}

void RaiseSaveFailure(const std::string& name)
{
    throw FileError("Failed to save \"" + name + "\"");
}

} // namespace ZorvaneEngine::ImageCodecs
