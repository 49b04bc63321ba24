#pragma once
// A weighted random choice among integers that avoids choosing the same
// entry twice in a row, for a selecter that lives on and is drawn from
// again. Draws from the program's shared generator.
#include <cstdint>
#include <vector>

namespace GameTools {

struct RandomSelecterEntry {
    int32_t value = 0;
    uint32_t weight = 0;
};

class RandomSelecter {
public:
    virtual ~RandomSelecter() = default;

    void AddEntry(int32_t value, uint32_t weight);
    // The value of the chosen entry; 0, without a draw, when there is none.
    // An entry of weight w is chosen with a chance of about w in (total + 1)
    // (the first entry of non-zero weight also takes the draw of 0); when
    // every weight is 0 the choice is uniform. The choice is drawn again
    // while it repeats the previous one, up to 1000 draws in all, after
    // which the repeat stands.
    int32_t Select();

private:
    // In 64 bits: weights summing past 32 bits would wrap and make the draw
    // range 0, a division by zero.
    uint64_t totalWeight = 0;
    std::vector<RandomSelecterEntry> entries;
    int32_t previousChoice = -1;  // entry index, -1 for none
};

} // namespace GameTools
