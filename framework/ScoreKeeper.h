#pragma once
// The score of one level. The level logic registers what each kind of
// scoring event is worth and adds points[id] x multiplier to the score for
// each event; the game base moves the score into the profile when the level
// is won.
#include <cstdint>
#include <map>

namespace GameFramework {

class ScoreKeeper {
public:
    virtual ~ScoreKeeper() = default;

    std::map<int32_t, int32_t> points;  // by score id; an id not here is worth 0
    int32_t multiplier = 1;
    int32_t score = 0;
};

} // namespace GameFramework
