#include "engine/sound/SoundBufferManager.h"

#include <algorithm>

#include "engine/core/TextUtils.h"
#include "engine/sound/SoundBuffer.h"
#include "engine/sound/SoundSystem.h"

namespace ZorvaneEngine {

SoundBufferManager::SoundBufferManager(MessageManager* log, FileManager* files,
                                       SoundSystem* system)
    : log(log), files(files), system(system)
{
}

SoundBufferManager::~SoundBufferManager()
{
    for (uint32_t index : usedSlots) {
        delete slots[index];
        slots[index] = nullptr;
    }
}

SoundBuffer* SoundBufferManager::GetSoundBuffer(const std::string& name)
{
    const std::string lowered = ToLowerCase(name);
    const SoundBuffer* source = nullptr;
    for (uint32_t index : usedSlots) {
        const SoundBuffer* buffer = slots[index];
        if (buffer && buffer->name == lowered) {
            if (!buffer->streaming)
                source = buffer;
            break;
        }
    }

    SoundBuffer* buffer =
        source ? system->DuplicateSoundBuffer(*source) : system->CreateSoundBuffer(name);

    uint32_t index;
    if (!freeSlots.empty()) {
        index = freeSlots.back();
        freeSlots.pop_back();
    } else {
        index = static_cast<uint32_t>(slots.size());
    }
    usedSlots.push_back(index);
    if (index == slots.size())
        slots.push_back(buffer);
    else
        slots[index] = buffer;
    return buffer;
}

void SoundBufferManager::ReleaseSoundBuffer(SoundBuffer* buffer)
{
    if (!buffer)
        return;
    const auto used = std::find_if(usedSlots.begin(), usedSlots.end(),
                                   [&](uint32_t index) { return slots[index] == buffer; });
    if (used == usedSlots.end())
        return;
    const uint32_t index = *used;
    usedSlots.erase(used);
    delete buffer;
    slots[index] = nullptr;
    freeSlots.push_back(index);
}

} // namespace ZorvaneEngine
