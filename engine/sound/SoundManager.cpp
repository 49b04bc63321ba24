#include "engine/sound/SoundManager.h"

#include <algorithm>

#include "engine/sound/SoundBuffer.h"
#include "engine/sound/SoundBufferManager.h"
#include "engine/sound/SoundSystem.h"

namespace ZorvaneEngine {

SoundManager::SoundManager(MessageManager* log, FileManager* files, SoundSystem* system)
    : log(log),
      files(files),
      system(system),
      soundBuffers(std::make_unique<SoundBufferManager>(log, files, system))
{
    system->soundBufferManager = soundBuffers.get();
}

SoundManager::~SoundManager()
{
    commandQueue.clear();
    freeSlots.clear();
    for (uint32_t index : usedSlots) {
        delete slots[index];
        slots[index] = nullptr;
    }
    usedSlots.clear();
    soundBuffers.reset();
    if (system->soundBufferManager)
        system->soundBufferManager = nullptr;
}

Sound* SoundManager::CreateSound(const std::string& name)
{
    std::lock_guard<std::mutex> lock(mutex);
    uint32_t index;
    if (!freeSlots.empty()) {
        index = freeSlots.back();
        freeSlots.pop_back();
    } else {
        index = nextSlot++;
    }
    usedSlots.push_back(index);
    Sound* sound = system->CreateSound(name);
    if (index == slots.size())
        slots.push_back(sound);
    else
        slots[index] = sound;
    return sound;
}

void SoundManager::DeleteSound(Sound* sound)
{
    if (!sound)
        return;
    std::lock_guard<std::mutex> lock(mutex);
    const auto used = std::find_if(usedSlots.begin(), usedSlots.end(),
                                   [&](uint32_t index) { return slots[index] == sound; });
    if (used == usedSlots.end())
        return;
    const uint32_t index = *used;
    // A queued command must not outlive its sound.
    std::erase_if(commandQueue, [&](const SoundCommand& command) { return command.sound == sound; });
    delete sound;
    slots[index] = nullptr;
    freeSlots.push_back(index);
    usedSlots.erase(used);
}

void SoundManager::Play(Sound* sound, bool now)
{
    std::lock_guard<std::mutex> lock(mutex);
    if (!now) {
        commandQueue.push_back({SoundCommand::Play, sound});
        return;
    }
    PlayNow(sound);
}

void SoundManager::PlayNow(Sound* sound)
{
    if (!sound || sound->Play())
        return;
    // No voice left: give up the first other sound that plays once.
    for (uint32_t index : usedSlots) {
        Sound* other = slots[index];
        if (other && other != sound && other->GetState() != SoundState::Stopped &&
            !other->IsLooping()) {
            other->Stop();
            break;
        }
    }
    sound->Play();
}

void SoundManager::Update(bool runCommands)
{
    std::lock_guard<std::mutex> lock(mutex);
    if (runCommands) {
        for (const SoundCommand& command : commandQueue) {
            if (!command.sound)
                continue;
            switch (command.operation) {
            case SoundCommand::Play:
                PlayNow(command.sound);
                break;
            case SoundCommand::Pause:
                command.sound->Pause();
                break;
            case SoundCommand::Stop:
                command.sound->Stop();
                break;
            default:
                break;
            }
        }
        commandQueue.clear();
    }
    for (uint32_t index : usedSlots) {
        if (slots[index])
            slots[index]->Update();
    }
    for (uint32_t index : soundBuffers->GetUsedSlots()) {
        if (SoundBuffer* buffer = soundBuffers->GetSlot(index))
            buffer->Update();
    }
}

std::vector<uint32_t> SoundManager::GetUsedSlots() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return usedSlots;
}

size_t SoundManager::GetSlotCount() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return slots.size();
}

Sound* SoundManager::GetSound(uint32_t slot) const
{
    std::lock_guard<std::mutex> lock(mutex);
    return slot < slots.size() ? slots[slot] : nullptr;
}

} // namespace ZorvaneEngine
