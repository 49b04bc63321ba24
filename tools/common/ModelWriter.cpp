#include "tools/common/ModelWriter.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

#include "engine/graphics/BoxGeometry.h"
#include "tools/common/BinaryWriter.h"

namespace Tools {

using ZorvaneEngine::Vector3;

namespace {

constexpr uint32_t VertexKinds = ModelFlag::Static | ModelFlag::Morph | ModelFlag::Skinned;
constexpr uint32_t MaxWeights = 4;

void Invalid(const std::string& text) {
    throw std::invalid_argument(text);
}

void Write(BinaryWriter& writer, const Vector3& v) {
    writer.F32(v.x);
    writer.F32(v.y);
    writer.F32(v.z);
}

uint32_t Count(size_t count, const char* what) {
    if (count > std::numeric_limits<uint32_t>::max()) {
        Invalid(std::string("too many ") + what);
    }
    return static_cast<uint32_t>(count);
}

ModelBox Extents(const std::vector<uint32_t>& indices, const std::vector<ModelVertex>& vertices) {
    ModelBox box{vertices[indices[0]].position, vertices[indices[0]].position};
    for (const uint32_t index : indices) {
        const Vector3& p = vertices[index].position;
        box.minimum = {std::min(box.minimum.x, p.x), std::min(box.minimum.y, p.y), std::min(box.minimum.z, p.z)};
        box.maximum = {std::max(box.maximum.x, p.x), std::max(box.maximum.y, p.y), std::max(box.maximum.z, p.z)};
    }
    return box;
}

void CheckIndices(const Model& model, size_t vertexCount) {
    // The reader takes the index width from the count alone, so a large
    // index among few would be cut to 16 bits.
    const bool narrow = model.indices.size() <= 0xFFFF;
    for (const uint32_t index : model.indices) {
        if (index >= vertexCount) {
            Invalid("index " + std::to_string(index) + " past the " + std::to_string(vertexCount) + " vertices");
        }
        if (narrow && index > 0xFFFF) {
            Invalid("index " + std::to_string(index) + " does not fit the 16-bit indices of " +
                    std::to_string(model.indices.size()) + " indices");
        }
    }
}

// Returns the number of frames the file stores.
uint32_t Check(const Model& model) {
    if (model.version != 201 && model.version != 202) {
        Invalid("model version must be 201 or 202");
    }
    const uint32_t kind = model.flags & VertexKinds;
    if (kind != 0 && kind != ModelFlag::Static && kind != ModelFlag::Morph && kind != ModelFlag::Skinned) {
        Invalid("the flags name more than one vertex kind");
    }
    const bool skinned = kind == ModelFlag::Skinned;
    if (!skinned && (!model.bones.empty() || !model.boneKeys.empty() || !model.skinVertices.empty())) {
        Invalid("a skeleton or skin vertices on a model that is not skinned");
    }
    if ((kind == 0 || skinned) && !model.frames.empty()) {
        Invalid("vertex frames on a model that stores none");
    }

    uint32_t frames = 1;
    size_t vertexCount = 0;
    if (kind == ModelFlag::Static || kind == ModelFlag::Morph) {
        if (model.frames.empty()) {
            Invalid("the model has no vertex frame");
        }
        if (kind == ModelFlag::Static && model.frames.size() != 1) {
            Invalid("a static model has one vertex frame");
        }
        frames = Count(model.frames.size(), "frames");
        vertexCount = model.frames[0].size();
        for (const auto& frame : model.frames) {
            if (frame.size() != vertexCount) {
                Invalid("the morph frames differ in their vertex counts");
            }
        }
    } else if (skinned) {
        if (model.skinFrameCount == 0) {
            Invalid("a skinned model needs at least one frame");
        }
        if (model.bones.size() > 0xFFFF) {
            Invalid("more than 65535 bones");
        }
        frames = model.skinFrameCount;
        if (model.boneKeys.size() != static_cast<uint64_t>(model.bones.size()) * frames) {
            Invalid("a skinned model needs one key per bone and frame");
        }
        vertexCount = model.skinVertices.size();
        for (const SkinVertex& vertex : model.skinVertices) {
            if (vertex.weights.size() > MaxWeights) {
                Invalid("more than four weights on a vertex");
            }
            for (const SkinWeight& weight : vertex.weights) {
                if (weight.bone >= model.bones.size()) {
                    Invalid("weight on bone " + std::to_string(weight.bone) + " past the skeleton");
                }
            }
        }
    }
    Count(vertexCount, "vertices");
    Count(model.indices.size(), "indices");
    CheckIndices(model, vertexCount);

    const size_t boxes = kind == ModelFlag::Morph ? frames : 1;
    if (!model.boxes.empty() && model.boxes.size() != boxes) {
        Invalid("the model stores " + std::to_string(boxes) + " boxes, " + std::to_string(model.boxes.size()) +
                " given");
    }
    if (model.boxes.empty() && (skinned || model.indices.empty())) {
        Invalid("the model's box must be given: it has no indexed vertices to measure");
    }
    return frames;
}

void WriteVertex(BinaryWriter& writer, const ModelVertex& vertex) {
    writer.F32(vertex.u);
    writer.F32(vertex.v);
    Write(writer, vertex.normal);
    Write(writer, vertex.position);
}

} // namespace

Mesh QuadMesh(float x0, float y0, float x1, float y1, float u0, float v0, float u1, float v1, float z) {
    const Vector3 normal{0, 0, 1};
    Mesh mesh;
    mesh.vertices = {
        {{x0, y0, z}, normal, u0, v0},
        {{x1, y0, z}, normal, u1, v0},
        {{x1, y1, z}, normal, u1, v1},
        {{x0, y1, z}, normal, u0, v1},
    };
    mesh.indices = {0, 1, 2, 2, 3, 0};
    return mesh;
}

Mesh BoxMesh(const Vector3& minimum, const Vector3& maximum) {
    Mesh mesh;
    const auto faces = ZorvaneEngine::BoxFaces(minimum, maximum);
    for (uint32_t f = 0; f < ZorvaneEngine::kBoxFaceCount; ++f) {
        for (int i = 0; i < 4; ++i) {
            mesh.vertices.push_back({faces[f].corners[i], faces[f].normal, faces[f].uv[i][0], faces[f].uv[i][1]});
        }
        const std::array<uint32_t, 6> face = ZorvaneEngine::BoxFaceIndices(f);
        mesh.indices.insert(mesh.indices.end(), face.begin(), face.end());
    }
    return mesh;
}

void AppendMesh(Mesh& mesh, const Mesh& part) {
    const uint32_t base = Count(mesh.vertices.size(), "vertices");
    mesh.vertices.insert(mesh.vertices.end(), part.vertices.begin(), part.vertices.end());
    for (const uint32_t index : part.indices) {
        mesh.indices.push_back(base + index);
    }
}

Model MeshModel(uint32_t flags, const std::vector<Mesh>& frames, float speed) {
    Model model;
    model.flags = flags;
    model.speed = speed;
    for (const Mesh& frame : frames) {
        if (frame.indices != frames[0].indices) {
            Invalid("the frames of a model share one index list");
        }
        model.frames.push_back(frame.vertices);
    }
    if (!frames.empty()) {
        model.indices = frames[0].indices;
    }
    return model;
}

std::vector<uint8_t> BuildModelFile(const Model& model) {
    const uint32_t frames = Check(model);
    const uint32_t kind = model.flags & VertexKinds;

    BinaryWriter writer;
    BeginEngineFile(writer, "ZVMLF", model.version);
    writer.U32(model.flags);
    if (model.flags & (ModelFlag::Morph | ModelFlag::Skinned)) {
        writer.U32(frames);
        writer.F32(model.speed);
    }
    if (kind == ModelFlag::Skinned) {
        writer.U16(static_cast<uint16_t>(model.bones.size()));
        for (const Bone& bone : model.bones) {
            writer.U8(bone.excludeFromBounds ? 1 : 0);
            writer.NarrowString(bone.name);
            if (model.version >= 202) {
                Write(writer, bone.pivot);
            }
            Write(writer, bone.boxMinimum);
            Write(writer, bone.boxMaximum);
            writer.U16(bone.unused[0]);
            writer.U16(bone.unused[1]);
        }
        for (const BoneKey& key : model.boneKeys) {
            Write(writer, key.position);
            for (const float component : key.rotation) {
                writer.F32(component);
            }
            Write(writer, key.scale);
        }
    }

    const size_t vertexCount = kind == ModelFlag::Skinned ? model.skinVertices.size()
                               : model.frames.empty()     ? 0
                                                          : model.frames[0].size();
    writer.U32(static_cast<uint32_t>(model.indices.size()));
    writer.U32(static_cast<uint32_t>(vertexCount));
    const bool narrow = model.indices.size() <= 0xFFFF;
    for (const uint32_t index : model.indices) {
        if (narrow) {
            writer.U16(static_cast<uint16_t>(index));
        } else {
            writer.U32(index);
        }
    }

    if (kind == ModelFlag::Skinned) {
        for (const SkinVertex& vertex : model.skinVertices) {
            writer.F32(vertex.u);
            writer.F32(vertex.v);
            writer.U16(static_cast<uint16_t>(vertex.weights.size()));
            for (const SkinWeight& weight : vertex.weights) {
                writer.U16(weight.bone);
                writer.F32(weight.weight);
                Write(writer, weight.normal);
                Write(writer, weight.position);
            }
        }
    } else {
        for (const auto& frame : model.frames) {
            for (const ModelVertex& vertex : frame) {
                WriteVertex(writer, vertex);
            }
        }
    }

    std::vector<ModelBox> boxes = model.boxes;
    if (boxes.empty()) {
        for (const auto& frame : model.frames) {
            boxes.push_back(Extents(model.indices, frame));
            if (kind != ModelFlag::Morph) {
                break;
            }
        }
    }
    for (const ModelBox& box : boxes) {
        Write(writer, box.minimum);
        Write(writer, box.maximum);
    }
    EndEngineFile(writer);
    return writer.Data();
}

} // namespace Tools
