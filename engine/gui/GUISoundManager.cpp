#include "engine/gui/GUISoundManager.h"

#include <cmath>

#include "engine/core/Timer.h"
#include "engine/core/TimerManager.h"
#include "engine/sound/SoundManager.h"

namespace ZorvaneEngine {

GUISoundManager::GUISoundManager(TimerManager* timers, SoundManager* sounds)
    : timers(timers), sounds(sounds)
{
}

GUISoundManager::~GUISoundManager()
{
    if (sounds == nullptr) return;
    for (auto& entry : variants) {
        for (SoundVariant& variant : entry.second) {
            sounds->DeleteSound(variant.sound);
        }
    }
}

void GUISoundManager::AddSound(GUISoundId id, const std::string& fileName)
{
    if (sounds == nullptr) return;
    Sound* sound = sounds->CreateSound(fileName);
    if (sound == nullptr) return;
    sound->SetVolume(volume);
    variants[id].push_back(SoundVariant{sound, 0.0f});
}

void GUISoundManager::PlaySound(GUISoundId id)
{
    if (sounds == nullptr) return;
    const auto found = variants.find(id);
    if (found == variants.end() || found->second.empty()) return;
    std::vector<SoundVariant>& list = found->second;

    const float now = timers->GetMainTimer()->GetTime();
    SoundVariant* oldest = &list.front();
    for (SoundVariant& variant : list) {
        if (std::fabs(now - variant.lastPlayed) < RepeatGuard) return;
        if (variant.lastPlayed < oldest->lastPlayed) oldest = &variant;
    }
    sounds->commandQueue.push_back(SoundCommand{SoundCommand::Play, oldest->sound});
    oldest->lastPlayed = now;
}

const std::vector<SoundVariant>* GUISoundManager::GetVariants(GUISoundId id) const
{
    const auto found = variants.find(id);
    return found == variants.end() ? nullptr : &found->second;
}

} // namespace ZorvaneEngine
