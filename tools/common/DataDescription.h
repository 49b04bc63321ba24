#pragma once
// Plain-text descriptions of materials, models and particle systems, turned
// into the engine's files. The syntax is documented in tools/zvbuild/README.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "tools/common/MaterialWriter.h"
#include "tools/common/ModelWriter.h"
#include "tools/common/ParticleSystemWriter.h"

namespace Tools {

// A syntax error; the text starts with "line N: ".
class DescriptionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class DescribedKind { Material, Model, ParticleSystem };

struct Description {
    DescribedKind kind = DescribedKind::Material;
    Material material;
    Model model;
    ParticleSystem particleSystem;
};

// Throws DescriptionError, or std::invalid_argument when the frames of a
// model differ in their indices or a model without vertex data has vertices.
Description ParseDescription(std::string_view text);
// The file of the described kind. Throws DescriptionError, and what the
// writers throw for values the engine cannot use.
std::vector<uint8_t> BuildDescribedFile(std::string_view text);

} // namespace Tools
