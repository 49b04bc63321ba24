#pragma once
// A pool of registered objects addressed by pointer. The slots are an array
// with null holes; freed slot numbers wait in a free list and the last one
// freed is reused first. Slot numbers are not stable: when fewer than half of
// the slots are in use, Remove squeezes the holes out and the objects after a
// hole move down. Never keep a slot number, only the pointer.
//
// Registering does not transfer ownership while the object lives: whoever
// created an object removes it and, when Remove returned true, deletes it.
// What is still registered when the pool is destroyed is deleted here.
#include <cstdint>
#include <deque>
#include <vector>

namespace ZorvaneEngine {

template <typename T>
class ObjectManager {
public:
    ObjectManager() = default;
    virtual ~ObjectManager()
    {
        for (T* object : slots) delete object;
        slots.clear();
        freeSlots.clear();
        count = 0;
    }

    ObjectManager(const ObjectManager&) = delete;
    ObjectManager& operator=(const ObjectManager&) = delete;

    // Registers the object in the slot freed last, else in a new slot at the
    // end. A null pointer is not registered: it would count as an object
    // while its slot reads as free.
    void Add(T* object)
    {
        if (object == nullptr) return;
        if (!freeSlots.empty()) {
            slots[freeSlots.back()] = object;
            freeSlots.pop_back();
        } else {
            slots.push_back(object);
        }
        ++count;
    }

    // Unregisters the object without deleting it; false when it is null or
    // not registered, and then nothing changes.
    bool Remove(T* object)
    {
        if (object == nullptr) return false;
        for (uint32_t index = 0; index < slots.size(); ++index) {
            if (slots[index] != object) continue;
            freeSlots.push_back(index);
            slots[index] = nullptr;
            --count;
            if (count * 2 < slots.size()) Compact();
            return true;
        }
        return false;
    }

    uint32_t GetCount() const { return count; }
    // Walk from index 0 and skip the null entries.
    const std::vector<T*>& GetSlots() const { return slots; }
    // Slot numbers waiting for reuse; the back is taken next.
    const std::deque<uint32_t>& GetFreeSlots() const { return freeSlots; }

private:
    // Drops every hole, keeping the objects in order. A steady population
    // never gets here, so it never reallocates.
    void Compact()
    {
        std::erase(slots, nullptr);
        freeSlots.clear();
    }

    uint32_t count = 0;
    std::vector<T*> slots;
    std::deque<uint32_t> freeSlots;
};

} // namespace ZorvaneEngine
