// Resource description files: an XML tree of groups, loops and resources.
//
//   <resources>
//     <level_models>                          keys below get "level_models/"
//       <loop counter="i" start="0" count="3">
//         <model name="stone%i2%" file_name="stone_%i%.mlf" color_verticies="1"/>
//       </loop>
//       <shader name="sky" diffuse_file_name="sky.jpg" opacity_file_name="32bit"/>
//     </level_models>
//   </resources>
//
// File names inside are relative to the folder of the description file below
// the data folder.
#include "framework/DataKeeper.h"

#include <algorithm>
#include <cstdlib>

#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Paths.h"
#include "engine/core/TextUtils.h"
#include "engine/graphics/AnimationControl.h"
#include "engine/graphics/Model.h"
#include "engine/graphics/ModelFlags.h"
#include "engine/graphics/ModelManager.h"
#include "engine/graphics/ShaderDescriptor.h"
#include "engine/graphics/ShaderManager.h"
#include "framework/tools/XMLNode.h"
#include "framework/tools/XMLParser.h"

namespace GameFramework {

using namespace ZorvaneEngine;
using GameTools::XMLNode;
using GameTools::XMLValue;

namespace {

// Far beyond any real description file; a damaged one ends here.
constexpr uint32_t kMaxLoopIterations = 100000;
constexpr uint32_t kMaxDepth = 64;

// The attribute's narrow text, or the fallback when it is absent.
std::string Text(XMLNode& element, const char* name, const std::string& fallback = std::string())
{
    XMLValue* value = element.GetAttribute(name);
    return value ? value->AsString() : fallback;
}

// The folder of the description file below the data folder: what follows
// its first "data\", or the whole folder when the name holds none.
std::string ResourceFolder(const std::string& fileName)
{
    const std::string folder = GetFileFolder(fileName) + "\\";
    std::string lower = ToLowerCase(folder);
    std::replace(lower.begin(), lower.end(), '/', '\\');
    const size_t at = lower.find("data\\");
    std::string below = at == std::string::npos ? folder : folder.substr(at + 5);
    while (!below.empty() && (below.back() == '\\' || below.back() == '/')) below.pop_back();
    return below;
}

std::string InFolder(const std::string& folder, const std::string& file)
{
    return folder.empty() ? file : folder + "\\" + file;
}

uint32_t AnimationType(const std::string& text)
{
    if (text == "net") return AnimationGrid;
    if (text == "diffuse") return AnimationDiffuse;
    if (text == "opacity") return AnimationOpacity;
    if (text == "diffuse_and_opacity") return AnimationDiffuseAndOpacity;
    return AnimationNone;
}

} // namespace

void DataKeeper::LoadResourceFile(const std::string& fileName)
{
    std::unique_ptr<XMLNode> root;
    try {
        GameTools::XMLParser(fileManager).Parse(root, fileName);
    } catch (const FileError& error) {
        // After a format error the parser has already deleted the tree.
        log->Error(error.message);
    }
    if (!root) return;
    std::vector<LoopVariable> variables;
    FileBudget budget{kMaxLoopIterations};
    ProcessElement(*root, ResourceFolder(fileName), std::string(), variables, 0, budget);
}

void DataKeeper::ProcessElement(XMLNode& element, const std::string& folder, const std::string& prefix,
                                std::vector<LoopVariable>& variables, uint32_t depth, FileBudget& budget)
{
    if (depth > kMaxDepth || budget.iterationsLeft == 0) {
        if (!budget.exhaustedLogged)
            log->Error("(DataKeeper::LoadResourceFile): the file nests or repeats too deeply, the rest is skipped");
        budget.exhaustedLogged = true;
        budget.iterationsLeft = 0;
        return;
    }
    const std::string& tag = element.GetName();
    if (tag == "loop") {
        XMLValue* start = element.GetAttribute("start");
        XMLValue* count = element.GetAttribute("count");
        const int32_t first = start ? start->AsInt() : 0;
        const int32_t end = count ? count->AsInt() : 0;
        variables.push_back({Text(element, "counter", "i"), first});
        const size_t slot = variables.size() - 1;
        for (int64_t value = first; value < end; ++value) {
            if (budget.iterationsLeft == 0) break;
            --budget.iterationsLeft;
            variables[slot].value = static_cast<int32_t>(value);
            for (XMLNode* child : element.GetChildren())
                ProcessElement(*child, folder, prefix, variables, depth + 1, budget);
        }
        variables.pop_back();
        return;
    }

    const std::string name = Text(element, "name");
    if (!name.empty()) {
        XMLValue* language = element.GetAttribute("language");
        if (language && language->AsString() != languageCode) return;
        const std::string key = prefix + Substitute(name, variables);
        if (tag == "model")
            LoadModelElement(element, folder, key, variables);
        else if (tag == "shader")
            LoadShaderElement(element, folder, key, variables);
        return;
    }

    const std::string childPrefix = tag.empty() || tag == "resources" ? prefix : prefix + tag + "/";
    for (XMLNode* child : element.GetChildren())
        ProcessElement(*child, folder, childPrefix, variables, depth + 1, budget);
}

void DataKeeper::LoadModelElement(XMLNode& element, const std::string& folder, const std::string& key,
                                  const std::vector<LoopVariable>& variables)
{
    const std::string file = Substitute(Text(element, "file_name", "unknown_file_name"), variables);
    XMLValue* colors = element.GetAttribute("color_verticies");
    const uint32_t extraFlags = colors && colors->AsBool() ? ModelFlags::VertexColor : 0;
    // A template: the keeper owns it and nothing draws it.
    Model* model = modelManager->LoadUnregisteredModel(InFolder(folder, file), nullptr, extraFlags);
    XMLValue* speed = element.GetAttribute("animation_speed");
    if (speed && model->GetAnimation())
        model->GetAnimation()->speed = speed->AsFloat();
    AddModel(key, model);
}

void DataKeeper::LoadShaderElement(XMLNode& element, const std::string& folder, const std::string& key,
                                   const std::vector<LoopVariable>& variables)
{
    std::string diffuse;
    if (XMLValue* value = element.GetAttribute("diffuse_file_name"))
        diffuse = InFolder(folder, Substitute(value->AsString(), variables));
    std::string opacity;
    if (XMLValue* value = element.GetAttribute("opacity_file_name")) {
        opacity = value->AsString();
        if (opacity != "32bit")
            opacity = InFolder(folder, Substitute(opacity, variables));
    }
    XMLValue* clamp = element.GetAttribute("clamp");
    int32_t cols = 1, rows = 1;
    if (XMLValue* netSize = element.GetAttribute("net_size"))
        netSize->AsIntPair(cols, rows);
    XMLValue* frameCount = element.GetAttribute("frame_count");
    XMLValue* speed = element.GetAttribute("animation_speed");
    const ShaderDescriptor description(
        diffuse, opacity, static_cast<StageAnimation>(AnimationType(Text(element, "animation_type"))),
        static_cast<uint32_t>(cols), static_cast<uint32_t>(rows),
        frameCount ? static_cast<uint32_t>(frameCount->AsInt()) : 1u, speed ? speed->AsFloat() : 0.0f,
        clamp ? clamp->AsBool() : true);
    AddShaderUser(key, shaderManager->CreateShaderUser(description));
}

std::string DataKeeper::Substitute(const std::string& text, const std::vector<LoopVariable>& variables)
{
    std::string result = text;
    for (const LoopVariable& variable : variables) {
        const std::string marker = "%" + variable.name;
        const size_t at = result.find(marker);
        if (at == std::string::npos) continue;
        const size_t close = result.find('%', at + marker.size());
        if (close == std::string::npos) continue;
        const std::string widthText = result.substr(at + marker.size(), close - at - marker.size());
        // Widths beyond the longest number only pad; 63 is plenty.
        const unsigned long width = std::min(63ul, std::strtoul(widthText.c_str(), nullptr, 10));
        result.replace(at, close + 1 - at, UIntToText(static_cast<uint32_t>(variable.value), static_cast<unsigned>(width)));
    }
    return result;
}

} // namespace GameFramework
