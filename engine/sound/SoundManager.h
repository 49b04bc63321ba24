#pragma once
// Creates and deletes sounds by file name in a slot table, owns the buffer
// manager, runs the queue of deferred play, pause and stop requests, and
// once a frame updates every sound and every buffer (which refills streams).
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "engine/sound/Sound.h"

namespace ZorvaneEngine {

class FileManager;
class MessageManager;
class SoundBufferManager;
class SoundSystem;

class SoundManager {
public:
    // Creates the buffer manager and hands it to the sound system too.
    SoundManager(MessageManager* log, FileManager* files, SoundSystem* system);
    // Drops the queued commands unrun, deletes the sounds, then the buffers.
    virtual ~SoundManager();

    SoundManager(const SoundManager&) = delete;
    SoundManager& operator=(const SoundManager&) = delete;

    // A new stopped sound; the manager keeps it until DeleteSound.
    Sound* CreateSound(const std::string& name);
    // Deletes the sound and drops its queued commands; null is ignored.
    void DeleteSound(Sound* sound);
    // Now, or queued for the next update that runs commands.
    void Play(Sound* sound, bool now);
    // Once a frame. Without runCommands the queue waits (loading screens).
    void Update(bool runCommands);

    // Slot indices in order of creation, and the slots (null when free).
    std::vector<uint32_t> GetUsedSlots() const;
    size_t GetSlotCount() const;
    Sound* GetSound(uint32_t slot) const;
    SoundBufferManager* GetSoundBufferManager() const { return soundBuffers.get(); }

    // Filled by other parts directly; run and emptied by Update(true).
    std::vector<SoundCommand> commandQueue;

private:
    void PlayNow(Sound* sound);

    MessageManager* log;
    FileManager* files;
    SoundSystem* system;
    std::unique_ptr<SoundBufferManager> soundBuffers;
    uint32_t nextSlot = 0;
    std::deque<uint32_t> freeSlots;
    std::vector<uint32_t> usedSlots;
    std::vector<Sound*> slots;  // owned
    // Sounds may be created on the loading thread while the main thread
    // updates the manager.
    mutable std::mutex mutex;
};

} // namespace ZorvaneEngine
