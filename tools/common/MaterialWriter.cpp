#include "tools/common/MaterialWriter.h"

#include <stdexcept>

#include "tools/common/BinaryWriter.h"

namespace Tools {

namespace {

void Color(BinaryWriter& writer, const ZorvaneEngine::ColorRGBA& color) {
    writer.F32(color.r);
    writer.F32(color.g);
    writer.F32(color.b);
    writer.F32(color.a);
}

// The engine's clock wraps by the frame count and the grid divides by cols,
// so zero in either would hang or crash it.
void Check(const MaterialStage& stage) {
    if (stage.animation > StageAnimation::BothPerFrame) {
        throw std::invalid_argument("unknown stage animation " +
                                    std::to_string(static_cast<uint32_t>(stage.animation)));
    }
    if (stage.animation != StageAnimation::None && stage.frameCount == 0) {
        throw std::invalid_argument("an animated stage needs at least one frame");
    }
    if (stage.animation == StageAnimation::Grid && (stage.cols == 0 || stage.rows == 0)) {
        throw std::invalid_argument("a grid stage needs at least one column and one row");
    }
}

} // namespace

std::vector<uint8_t> BuildMaterialFile(const Material& material) {
    if (material.stages.size() > 2) {
        throw std::invalid_argument("a material has at most two stages");
    }
    for (const MaterialStage& stage : material.stages) {
        Check(stage);
    }

    BinaryWriter writer;
    BeginEngineFile(writer, "ZVSRF", MaterialVersion);
    writer.U32(material.flags);
    Color(writer, material.diffuse);
    Color(writer, material.ambient);
    Color(writer, material.specular);
    Color(writer, material.emissive);
    writer.F32(material.power);
    writer.F32(material.secondValue);
    writer.U32(material.sourceBlend);
    writer.U32(material.destinationBlend);
    writer.U32(static_cast<uint32_t>(material.stages.size()));
    for (const MaterialStage& stage : material.stages) {
        writer.U32(stage.flags);
        writer.U32(static_cast<uint32_t>(stage.animation));
        if (stage.animation != StageAnimation::None) {
            writer.U32(stage.frameCount);
            writer.F32(stage.speed);
            if (stage.animation == StageAnimation::Grid) {
                writer.U32(stage.cols);
                writer.U32(stage.rows);
            }
        }
        writer.NarrowString(stage.diffuse);
        writer.NarrowString(stage.opacity);
        writer.U32(stage.addressU);
        writer.U32(stage.addressV);
        writer.F32(stage.scaleU);
        writer.F32(stage.scaleV);
        writer.F32(stage.offsetU);
        writer.F32(stage.offsetV);
    }
    EndEngineFile(writer);
    return writer.Data();
}

} // namespace Tools
