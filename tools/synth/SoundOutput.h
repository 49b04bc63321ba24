#pragma once
// From float signals to the files the game reads: levelled 16-bit PCM in a
// WAVE file or an Ogg Vorbis stream.
#include <cstdint>
#include <string>
#include <vector>

#include "tools/synth/Signal.h"

namespace Tools::Synth {

// Scales the signal so that its loudest sample sits at peakDecibels below
// full scale, and rounds to 16 bits (interleaved for stereo). A silent
// signal stays silent.
std::vector<int16_t> LevelledPcm(const Buffer& mono, double peakDecibels);
std::vector<int16_t> LevelledPcm(const Stereo& stereo, double peakDecibels);

bool SaveWave(const std::string& path, const std::vector<int16_t>& pcm, uint16_t channels, uint32_t rate);
bool SaveOggVorbis(const std::string& path, const std::vector<int16_t>& pcm, int channels, uint32_t rate,
                   float quality);

} // namespace Tools::Synth
