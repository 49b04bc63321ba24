#include "tools/common/DataDescription.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace Tools {

using ZorvaneEngine::ColorRGBA;
using ZorvaneEngine::Vector3;

namespace {

struct Line {
    size_t number = 0;
    std::vector<std::string_view> words;
};

// Words separated by blanks; "#" at the start of a word comments out the
// rest of the line.
std::vector<Line> SplitLines(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") {
        text.remove_prefix(3);
    }
    std::vector<Line> lines;
    size_t number = 0;
    while (!text.empty()) {
        ++number;
        const size_t end = text.find('\n');
        std::string_view rest = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        Line line{number, {}};
        while (true) {
            const size_t first = rest.find_first_not_of(" \t\r");
            if (first == std::string_view::npos || rest[first] == '#') {
                break;
            }
            rest.remove_prefix(first);
            const size_t last = std::min(rest.find_first_of(" \t\r"), rest.size());
            line.words.push_back(rest.substr(0, last));
            rest.remove_prefix(last);
        }
        if (!line.words.empty()) {
            lines.push_back(std::move(line));
        }
    }
    return lines;
}

// Reads the arguments of one line, reporting errors with its number.
class Arguments {
public:
    explicit Arguments(const Line& line) : line_(line) {}

    std::string_view Keyword() const { return line_.words[0]; }
    size_t Count() const { return line_.words.size() - 1; }

    [[noreturn]] void Fail(const std::string& text) const {
        throw DescriptionError("line " + std::to_string(line_.number) + ": " + text);
    }
    void Expect(size_t count) const {
        if (Count() != count) {
            Fail(std::string(Keyword()) + " takes " + std::to_string(count) + " values");
        }
    }
    // Exactly one of the given counts.
    void ExpectOneOf(size_t a, size_t b) const {
        if (Count() != a && Count() != b) {
            Fail(std::string(Keyword()) + " takes " + std::to_string(a) + " or " + std::to_string(b) + " values");
        }
    }

    std::string_view Word(size_t i) const { return line_.words[i + 1]; }

    float Float(size_t i) const {
        const std::string_view word = Word(i);
        float value = 0.0f;
        const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
        if (error != std::errc() || end != word.data() + word.size()) {
            Fail("not a number: " + std::string(word));
        }
        return value;
    }

    // Decimal, or hexadecimal after "0x".
    uint32_t UInt(size_t i) const {
        std::string_view word = Word(i);
        int base = 10;
        if (word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X')) {
            word.remove_prefix(2);
            base = 16;
        }
        uint32_t value = 0;
        const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value, base);
        if (error != std::errc() || end != word.data() + word.size()) {
            Fail("not a whole number from 0 to 4294967295: " + std::string(Word(i)));
        }
        return value;
    }

    bool Switch(size_t i) const {
        const std::string_view word = Word(i);
        if (word == "on" || word == "1") {
            return true;
        }
        if (word == "off" || word == "0") {
            return false;
        }
        Fail("expected on or off: " + std::string(word));
    }

    Vector3 Vector(size_t i) const { return {Float(i), Float(i + 1), Float(i + 2)}; }
    ColorRGBA Color(size_t i) const { return {Float(i), Float(i + 1), Float(i + 2), Float(i + 3)}; }

    // One value for all six keys, or six values.
    void Keys(std::array<float, 6>& keys) const {
        ExpectOneOf(1, 6);
        for (size_t k = 0; k < 6; ++k) {
            keys[k] = Float(Count() == 1 ? 0 : k);
        }
    }
    void Keys(std::array<Vector3, 6>& keys) const {
        ExpectOneOf(3, 18);
        for (size_t k = 0; k < 6; ++k) {
            keys[k] = Vector(Count() == 3 ? 0 : 3 * k);
        }
    }
    void Keys(std::array<ColorRGBA, 6>& keys) const {
        ExpectOneOf(4, 24);
        for (size_t k = 0; k < 6; ++k) {
            keys[k] = Color(Count() == 4 ? 0 : 4 * k);
        }
    }

private:
    const Line& line_;
};

uint32_t Address(const Arguments& args, size_t i) {
    if (args.Word(i) == "clamp") {
        return 0;
    }
    if (args.Word(i) == "wrap") {
        return 1;
    }
    return args.UInt(i);
}

void MaterialLine(const Arguments& args, Material& material) {
    const std::string_view key = args.Keyword();
    if (key == "stage") {
        args.Expect(0);
        if (material.stages.size() == 2) {
            args.Fail("a material has at most two stages");
        }
        material.stages.emplace_back();
        return;
    }
    if (material.stages.empty()) {
        if (key == "flags") {
            args.Expect(1);
            material.flags = args.UInt(0);
        } else if (key == "diffuse" || key == "ambient" || key == "specular" || key == "emissive") {
            args.Expect(4);
            ColorRGBA& color = key == "diffuse"   ? material.diffuse
                               : key == "ambient" ? material.ambient
                               : key == "specular" ? material.specular
                                                   : material.emissive;
            color = args.Color(0);
        } else if (key == "power") {
            args.Expect(1);
            material.power = args.Float(0);
        } else if (key == "value2") {
            args.Expect(1);
            material.secondValue = args.Float(0);
        } else if (key == "blend") {
            args.Expect(2);
            material.sourceBlend = args.UInt(0);
            material.destinationBlend = args.UInt(1);
        } else {
            args.Fail("unknown material line: " + std::string(key));
        }
        return;
    }

    MaterialStage& stage = material.stages.back();
    if (key == "flags") {
        args.Expect(1);
        stage.flags = args.UInt(0);
    } else if (key == "animation") {
        if (args.Count() == 0) {
            args.Fail("animation takes none, grid, diffuse, opacity or both");
        }
        const std::string_view kind = args.Word(0);
        if (kind == "none") {
            args.Expect(1);
            stage.animation = StageAnimation::None;
            return;
        }
        if (kind == "grid") {
            args.Expect(5);
            stage.animation = StageAnimation::Grid;
            stage.cols = args.UInt(1);
            stage.rows = args.UInt(2);
            stage.frameCount = args.UInt(3);
            stage.speed = args.Float(4);
            return;
        }
        if (kind == "diffuse") {
            stage.animation = StageAnimation::DiffusePerFrame;
        } else if (kind == "opacity") {
            stage.animation = StageAnimation::OpacityPerFrame;
        } else if (kind == "both") {
            stage.animation = StageAnimation::BothPerFrame;
        } else {
            args.Fail("unknown animation: " + std::string(kind));
        }
        args.Expect(3);
        stage.frameCount = args.UInt(1);
        stage.speed = args.Float(2);
    } else if (key == "texture") {
        args.Expect(1);
        stage.diffuse = args.Word(0);
    } else if (key == "opacity") {
        args.Expect(1);
        stage.opacity = args.Word(0);
    } else if (key == "address") {
        args.Expect(2);
        stage.addressU = Address(args, 0);
        stage.addressV = Address(args, 1);
    } else if (key == "scale") {
        args.Expect(2);
        stage.scaleU = args.Float(0);
        stage.scaleV = args.Float(1);
    } else if (key == "offset") {
        args.Expect(2);
        stage.offsetU = args.Float(0);
        stage.offsetV = args.Float(1);
    } else {
        args.Fail("unknown stage line: " + std::string(key));
    }
}

struct FlagName {
    const char* name;
    uint32_t bit;
};

constexpr FlagName FlagNames[] = {
    {"static", ModelFlag::Static},
    {"morph", ModelFlag::Morph},
    {"skinned", ModelFlag::Skinned},
    {"list", ModelFlag::List},
    {"colors", ModelFlag::VertexColor},
    {"lighting", ModelFlag::Lighting},
    {"depthtest", ModelFlag::DepthTest},
    {"first", ModelFlag::GroupFirst},
    {"second", ModelFlag::GroupSecond},
    {"fixedkey", ModelFlag::FixedDepthKey},
    {"zbias", ModelFlag::ZBias},
    {"cull1", ModelFlag::Cull1},
    {"twopasses", ModelFlag::TwoPasses},
    {"boxupdate", ModelFlag::BoxFromVertices},
    {"visible", ModelFlag::Visible},
    {"nodepthwrite", ModelFlag::NoDepthWrite},
    {"ibusage", ModelFlag::IndexBufferUsage},
    {"vbusage", ModelFlag::VertexBufferUsage},
    {"cull2", ModelFlag::Cull2},
    {"stencil", ModelFlag::Stencil},
};

uint32_t ModelFlags(const Arguments& args) {
    uint32_t flags = 0;
    for (size_t i = 0; i < args.Count(); ++i) {
        const std::string_view word = args.Word(i);
        bool named = false;
        for (const FlagName& flag : FlagNames) {
            if (word == flag.name) {
                flags |= flag.bit;
                named = true;
            }
        }
        if (!named && (word[0] < '0' || word[0] > '9')) {
            args.Fail("unknown model flag: " + std::string(word));
        }
        if (!named) {
            flags |= args.UInt(i);
        }
    }
    return flags;
}

// Geometry goes into per-frame meshes; the model is assembled at the end.
struct ModelBuilder {
    Model model;
    std::vector<Mesh> frames{Mesh{}};
    bool framed = false;  // a "frame" line was seen
};

void ModelLine(const Arguments& args, ModelBuilder& builder) {
    Model& model = builder.model;
    Mesh& mesh = builder.frames.back();
    const std::string_view key = args.Keyword();
    if (key == "version") {
        args.Expect(1);
        model.version = args.UInt(0);
    } else if (key == "flags") {
        if (args.Count() == 0) {
            args.Fail("flags takes at least one name or number");
        }
        model.flags = ModelFlags(args);
    } else if (key == "speed") {
        args.Expect(1);
        model.speed = args.Float(0);
    } else if (key == "frame") {
        args.Expect(0);
        // The first "frame" line names the frame that geometry before it started.
        const bool empty = mesh.vertices.empty() && mesh.indices.empty();
        if (builder.framed || !empty) {
            builder.frames.emplace_back();
        }
        builder.framed = true;
    } else if (key == "quad") {
        if (args.Count() != 4 && args.Count() != 8 && args.Count() != 9) {
            args.Fail("quad takes X0 Y0 X1 Y1 [U0 V0 U1 V1 [Z]]");
        }
        Mesh quad;
        if (args.Count() == 4) {
            quad = QuadMesh(args.Float(0), args.Float(1), args.Float(2), args.Float(3));
        } else {
            quad = QuadMesh(args.Float(0), args.Float(1), args.Float(2), args.Float(3), args.Float(4),
                            args.Float(5), args.Float(6), args.Float(7), args.Count() == 9 ? args.Float(8) : 0.0f);
        }
        AppendMesh(mesh, quad);
    } else if (key == "box") {
        args.Expect(6);
        AppendMesh(mesh, BoxMesh(args.Vector(0), args.Vector(3)));
    } else if (key == "vertex") {
        args.Expect(8);
        mesh.vertices.push_back({args.Vector(0), args.Vector(3), args.Float(6), args.Float(7)});
    } else if (key == "indices") {
        for (size_t i = 0; i < args.Count(); ++i) {
            mesh.indices.push_back(args.UInt(i));
        }
    } else if (key == "bounds") {
        args.Expect(6);
        model.boxes.push_back({args.Vector(0), args.Vector(3)});
    } else if (key == "frames") {
        args.Expect(1);
        model.skinFrameCount = args.UInt(0);
    } else if (key == "bone") {
        args.ExpectOneOf(8, 11);
        Bone bone;
        bone.name = args.Word(0);
        bone.excludeFromBounds = args.Switch(1);
        bone.boxMinimum = args.Vector(2);
        bone.boxMaximum = args.Vector(5);
        if (args.Count() == 11) {
            bone.pivot = args.Vector(8);
        }
        model.bones.push_back(bone);
    } else if (key == "key") {
        args.Expect(10);
        BoneKey boneKey;
        boneKey.position = args.Vector(0);
        for (size_t i = 0; i < 4; ++i) {
            boneKey.rotation[i] = args.Float(3 + i);
        }
        boneKey.scale = args.Vector(7);
        model.boneKeys.push_back(boneKey);
    } else if (key == "skinvertex") {
        if (args.Count() < 2 || (args.Count() - 2) % 8 != 0) {
            args.Fail("skinvertex takes U V, then BONE WEIGHT PX PY PZ NX NY NZ per weight");
        }
        SkinVertex vertex{args.Float(0), args.Float(1), {}};
        for (size_t i = 2; i < args.Count(); i += 8) {
            const uint32_t bone = args.UInt(i);
            if (bone > 0xFFFF) {
                args.Fail("bone number above 65535");
            }
            vertex.weights.push_back(
                {static_cast<uint16_t>(bone), args.Float(i + 1), args.Vector(i + 2), args.Vector(i + 5)});
        }
        model.skinVertices.push_back(vertex);
    } else {
        args.Fail("unknown model line: " + std::string(key));
    }
}

Model FinishModel(ModelBuilder& builder) {
    Model& model = builder.model;
    const uint32_t kind = model.flags & (ModelFlag::Static | ModelFlag::Morph | ModelFlag::Skinned);
    if (kind == ModelFlag::Static || kind == ModelFlag::Morph) {
        Model meshes = MeshModel(model.flags, builder.frames, model.speed);
        model.indices = std::move(meshes.indices);
        model.frames = std::move(meshes.frames);
        return model;
    }
    // Skinned models and those without vertex data take the indices alone.
    for (const Mesh& frame : builder.frames) {
        if (!frame.vertices.empty()) {
            throw std::invalid_argument("vertices on a model that is neither static nor morph");
        }
        model.indices.insert(model.indices.end(), frame.indices.begin(), frame.indices.end());
    }
    return model;
}

void ParticleLine(const Arguments& args, ParticleSystem& system) {
    const std::string_view key = args.Keyword();
    if (key == "version") {
        args.Expect(1);
        system.version = args.UInt(0);
    } else if (key == "pool") {
        args.Expect(1);
        system.poolSize = args.UInt(0);
    } else if (key == "duration") {
        args.Expect(1);
        system.duration = args.Float(0);
    } else if (key == "gravity") {
        args.Expect(2);
        system.gravityOn = args.Switch(0);
        system.gravity = args.Float(1);
    } else if (key == "floor") {
        args.Expect(3);
        system.floorOn = args.Switch(0);
        system.floorHeight = args.Float(1);
        system.bounce = args.Float(2);
    } else if (key == "dieslow") {
        args.Expect(2);
        system.dieWhenSlow = args.Switch(0);
        system.minimumBounceSpeed = args.Float(1);
    } else if (key == "interpolate") {
        args.Expect(1);
        system.interpolateEmission = args.Switch(0);
    } else if (key == "rate") {
        args.Keys(system.rate);
    } else if (key == "lifetime") {
        args.Keys(system.lifetime);
    } else if (key == "lifespread") {
        args.Keys(system.lifetimeSpread);
    } else if (key == "direction") {
        args.Keys(system.direction);
    } else if (key == "dirspread") {
        args.Keys(system.directionSpread);
    } else if (key == "color") {
        args.Keys(system.color);
    } else if (key == "size") {
        args.Keys(system.size);
    } else if (key == "speed") {
        args.Keys(system.speed);
    } else if (key == "speedspread") {
        args.Keys(system.speedSpread);
    } else if (key == "spawn") {
        args.Expect(1);
        const std::string_view shape = args.Word(0);
        if (shape == "point") {
            system.spawnShape = SpawnShape::Point;
        } else if (shape == "box") {
            system.spawnShape = SpawnShape::Box;
        } else if (shape == "list") {
            system.spawnShape = SpawnShape::PointList;
        } else {
            args.Fail("spawn takes point, box or list");
        }
    } else if (key == "box") {
        args.Expect(6);
        system.boxMinimum = args.Vector(0);
        system.boxMaximum = args.Vector(3);
    } else {
        args.Fail("unknown particles line: " + std::string(key));
    }
}

} // namespace

Description ParseDescription(std::string_view text) {
    const std::vector<Line> lines = SplitLines(text);
    if (lines.empty()) {
        throw DescriptionError("line 1: the description is empty");
    }
    const Arguments first(lines[0]);
    Description description;
    if (first.Keyword() == "material") {
        description.kind = DescribedKind::Material;
    } else if (first.Keyword() == "model") {
        description.kind = DescribedKind::Model;
    } else if (first.Keyword() == "particles") {
        description.kind = DescribedKind::ParticleSystem;
    } else {
        first.Fail("the first line must be material, model or particles");
    }
    first.Expect(0);

    ModelBuilder builder;
    for (size_t i = 1; i < lines.size(); ++i) {
        const Arguments args(lines[i]);
        switch (description.kind) {
        case DescribedKind::Material:
            MaterialLine(args, description.material);
            break;
        case DescribedKind::Model:
            ModelLine(args, builder);
            break;
        case DescribedKind::ParticleSystem:
            ParticleLine(args, description.particleSystem);
            break;
        }
    }
    if (description.kind == DescribedKind::Model) {
        description.model = FinishModel(builder);
    }
    return description;
}

std::vector<uint8_t> BuildDescribedFile(std::string_view text) {
    const Description description = ParseDescription(text);
    switch (description.kind) {
    case DescribedKind::Material:
        return BuildMaterialFile(description.material);
    case DescribedKind::Model:
        return BuildModelFile(description.model);
    case DescribedKind::ParticleSystem:
        break;
    }
    return BuildParticleSystemFile(description.particleSystem);
}

} // namespace Tools
