#pragma once
// The interface's feedback sounds. The game registers one or more files per
// GUISoundId at start-up; each play request takes the variant of the id
// that was played longest ago and queues it on the sound manager, so ids
// with several variants alternate. Without a sound manager (no sound
// device) registering and playing do nothing. Main thread only.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace ZorvaneEngine {

class Sound;
class SoundManager;
class TimerManager;

// The sounds the toolkit's widgets ask for; a widget keeps its two ids in
// fields its owner may change.
enum GUISoundId : uint32_t {
    GUISoundButtonHover = 0,
    GUISoundButtonClick = 1,
    GUISoundCheckBoxHover = 2,
    GUISoundCheckBoxClick = 3,
    // 4 and 5 are played by no widget.
    GUISoundSliderThumbHover = 6,
    GUISoundSliderThumbClick = 7,
    GUISoundScrollThumbHover = 8,
    GUISoundScrollThumbClick = 9,
    GUISoundScrollArrowHover = 10,
    GUISoundScrollArrowClick = 11,
    GUISoundEditBoxChange = 12,
};

struct SoundVariant {
    Sound* sound = nullptr;  // the sound manager's
    float lastPlayed = 0.0f;  // seconds of the main timer
};

class GUISoundManager {
public:
    // Two requests of one id closer than this are one: two widgets hovered
    // in the same frame start a single sound.
    static constexpr float RepeatGuard = 0.01f;

    // sounds may be null.
    GUISoundManager(TimerManager* timers, SoundManager* sounds);
    // Hands every variant's sound back to the sound manager.
    virtual ~GUISoundManager();

    GUISoundManager(const GUISoundManager&) = delete;
    GUISoundManager& operator=(const GUISoundManager&) = delete;

    // Appends the file as a new variant of the id, at the manager's volume.
    // A file that does not load still takes its turn (the sound manager
    // substitutes silence).
    void AddSound(GUISoundId id, const std::string& fileName);
    // Queues the variant played longest ago (the first registered on a
    // tie) for the sound manager's next update.
    void PlaySound(GUISoundId id);

    const std::vector<SoundVariant>* GetVariants(GUISoundId id) const;

    // Given to sounds as they are added.
    float volume = 1.0f;

private:
    TimerManager* timers;
    SoundManager* sounds;
    std::map<GUISoundId, std::vector<SoundVariant>> variants;
};

} // namespace ZorvaneEngine
