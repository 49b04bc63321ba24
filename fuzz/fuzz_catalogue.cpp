// The level catalogue: "data\levels\stages_info.ini" and the stage files
// "data\levels\stage<i>.ini", read by the game's level manager. The input
// holds the files one after another, each ended by a line "=====": the
// stage list first, then stage 0, stage 1 and so on. Stages without a part
// have no file.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "engine/core/Error.h"
#include "fuzz/support/FuzzSupport.h"
#include "game/common/LevelManager.h"

namespace {

constexpr std::string_view kSeparator = "\n=====\n";
// A stage list naming more stages finds the rest missing, which is fatal
// as soon as the first is; more files would add nothing.
constexpr size_t kMaxFiles = 10;

std::vector<std::string_view> SplitFiles(std::string_view input)
{
    std::vector<std::string_view> files;
    while (files.size() + 1 < kMaxFiles) {
        const size_t end = input.find(kSeparator);
        if (end == std::string_view::npos)
            break;
        files.push_back(input.substr(0, end));
        input.remove_prefix(end + kSeparator.size());
    }
    files.push_back(input);
    return files;
}

void Write(const std::string& name, std::string_view bytes)
{
    FuzzSupport::WriteFile("data/levels/" + name, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

// What a catalogue that loaded must hold, whatever its files said.
void Check(const ActionPuzzle::LevelManager& catalogue)
{
    if (catalogue.stages.empty() || catalogue.levels.size() != catalogue.stages.size())
        std::abort();
    for (size_t i = 0; i < catalogue.stages.size(); ++i) {
        const auto& stage = static_cast<const ActionPuzzle::StageInfo&>(*catalogue.stages[i]);
        if (stage.index != i || stage.miniGameSize < 1 || stage.levelCount < 1 ||
            stage.levelCount != catalogue.levels[i].size())
            std::abort();
        for (size_t j = 0; j < catalogue.levels[i].size(); ++j) {
            const auto& level = static_cast<const ActionPuzzle::LevelInfo&>(*catalogue.levels[i][j]);
            if (level.stageIndex != i || level.levelIndex != j || level.puzzleName.empty())
                std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static size_t stageFilesWritten = 0;

    const std::vector<std::string_view> files =
        SplitFiles(std::string_view(reinterpret_cast<const char*>(data), size));
    Write("stages_info.ini", files[0]);
    for (size_t i = 1; i < files.size(); ++i)
        Write("stage" + std::to_string(i - 1) + ".ini", files[i]);
    // The previous input's extra stage files would stand in for missing ones.
    for (size_t i = files.size() - 1; i < stageFilesWritten; ++i) {
        std::error_code error;
        std::filesystem::remove(FuzzSupport::Folder() + "/data/levels/stage" + std::to_string(i) + ".ini", error);
    }
    stageFilesWritten = files.size() - 1;

    {
        ActionPuzzle::LevelManager catalogue(FuzzSupport::Log(), FuzzSupport::Files());
        try {
            catalogue.Load();
            Check(catalogue);
        } catch (const ZorvaneEngine::FatalError&) {
            // A damaged catalogue ends the program with its text: the outcome wanted.
        }
    }
    FuzzSupport::EndInput();
    return 0;
}
