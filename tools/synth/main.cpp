// synth OUT_FOLDER [NAME...]
// Synthesises the game's sounds below OUT_FOLDER/audio: the effects as WAVE
// files (16-bit mono, 22050 Hz) and the tunes as Ogg Vorbis (44100 Hz
// stereo). A NAME picks what to build: one sound ("menu/button_click",
// "music/menu"), or "effects" or "music" for a group; without names,
// everything. The output is the same on every run.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#if defined(__SSE__)
#include <xmmintrin.h>
#endif

#include "platform/system/FileSystem.h"
#include "tools/synth/Effects.h"
#include "tools/synth/MusicTracks.h"
#include "tools/synth/SoundOutput.h"

namespace {

using namespace Tools::Synth;

constexpr float OggQuality = 0.4f;

bool Wanted(const std::vector<std::string>& names, const std::string& name, const char* group) {
    if (names.empty()) {
        return true;
    }
    for (const std::string& n : names) {
        if (n == name || n == group) {
            return true;
        }
    }
    return false;
}

// Creates root (one level) and each missing folder of the path below it.
// Parallel builds may race to create the same folder, so only a folder still
// missing afterwards fails.
bool MakeFolders(const std::string& root, const std::string& relative) {
    std::string path = root;
    Platform::CreateFolder(path);
    if (!Platform::IsFolder(path)) {
        return false;
    }
    size_t start = 0;
    while (start < relative.size()) {
        size_t end = relative.find('/', start);
        if (end == std::string::npos) {
            end = relative.size();
        }
        path += "/" + relative.substr(start, end - start);
        Platform::CreateFolder(path);
        if (!Platform::IsFolder(path)) {
            return false;
        }
        start = end + 1;
    }
    return true;
}

std::string FolderOf(const std::string& name) {
    const size_t slash = name.rfind('/');
    return slash == std::string::npos ? std::string() : name.substr(0, slash);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: synth OUT_FOLDER [NAME...]\n");
        return 2;
    }
#if defined(__SSE__)
    // Decaying tails would otherwise reach denormal floats, which are slow
    // and sound no different from zero.
    _mm_setcsr(_mm_getcsr() | 0x8040);
#endif
    const std::string root = argv[1];
    const std::vector<std::string> names(argv + 2, argv + argc);
    int written = 0;
    try {
        for (const std::string& name : names) {
            bool known = name == "effects" || name == "music";
            for (const EffectRecipe& recipe : EffectRecipes()) {
                known = known || name == recipe.name;
            }
            for (const MusicRecipe& recipe : MusicRecipes()) {
                known = known || name == recipe.name;
            }
            if (!known) {
                std::fprintf(stderr, "synth: no sound named %s\n", name.c_str());
                return 2;
            }
        }
        for (const EffectRecipe& recipe : EffectRecipes()) {
            if (!Wanted(names, recipe.name, "effects")) {
                continue;
            }
            const std::string folder = "audio/" + FolderOf(recipe.name);
            const std::string path = root + "/audio/" + recipe.name + ".wav";
            const std::vector<int16_t> pcm = LevelledPcm(RenderEffect(recipe, EffectRate), recipe.peakDecibels);
            if (!MakeFolders(root, folder) || !SaveWave(path, pcm, 1, EffectRate)) {
                std::fprintf(stderr, "synth: cannot write %s\n", path.c_str());
                return 1;
            }
            ++written;
        }
        for (const MusicRecipe& recipe : MusicRecipes()) {
            if (!Wanted(names, recipe.name, "music")) {
                continue;
            }
            const std::string folder = "audio/" + FolderOf(recipe.name);
            const std::string path = root + "/audio/" + recipe.name + ".ogg";
            const std::vector<int16_t> pcm = LevelledPcm(RenderSong(recipe.compose(), MusicRate), recipe.peakDecibels);
            if (!MakeFolders(root, folder) || !SaveOggVorbis(path, pcm, 2, MusicRate, OggQuality)) {
                std::fprintf(stderr, "synth: cannot write %s\n", path.c_str());
                return 1;
            }
            ++written;
        }
    } catch (const std::exception& exception) {
        std::fprintf(stderr, "synth: %s\n", exception.what());
        return 1;
    }
    std::printf("synth: %d sound files below %s/audio\n", written, root.c_str());
    return 0;
}
