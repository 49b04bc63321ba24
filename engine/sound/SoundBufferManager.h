#pragma once
// The buffers under the sounds, in a slot table. Sounds of one static file
// share the first static buffer's samples through duplicates; every sound
// of a streamed file gets a buffer, a reader and an open file of its own.
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace ZorvaneEngine {

class FileManager;
class MessageManager;
class SoundBuffer;
class SoundSystem;

class SoundBufferManager {
public:
    SoundBufferManager(MessageManager* log, FileManager* files, SoundSystem* system);
    // Deletes every buffer still registered.
    virtual ~SoundBufferManager();

    SoundBufferManager(const SoundBufferManager&) = delete;
    SoundBufferManager& operator=(const SoundBufferManager&) = delete;

    SoundBuffer* GetSoundBuffer(const std::string& name);
    // Deletes the buffer; null, or a buffer got elsewhere, is ignored. The
    // freed slot is the next one taken.
    void ReleaseSoundBuffer(SoundBuffer* buffer);

    // Slot indices in order of creation, and the slots (null when free).
    const std::vector<uint32_t>& GetUsedSlots() const { return usedSlots; }
    SoundBuffer* GetSlot(uint32_t index) const { return slots[index]; }

private:
    MessageManager* log;
    FileManager* files;
    SoundSystem* system;
    std::deque<uint32_t> freeSlots;
    std::vector<uint32_t> usedSlots;
    std::vector<SoundBuffer*> slots;  // owned
};

} // namespace ZorvaneEngine
