#include "framework/tools/RandomSelecter.h"

#include "engine/core/Random.h"

namespace GameTools {

namespace {
constexpr int kMaxAttempts = 1000;
}

void RandomSelecter::AddEntry(int32_t value, uint32_t weight)
{
    entries.push_back({value, weight});
    totalWeight += weight;
}

int32_t RandomSelecter::Select()
{
    if (entries.empty())
        return 0;
    int32_t choice = -1;
    for (int attempt = 0; attempt < kMaxAttempts; ++attempt) {
        const uint64_t r = ZorvaneEngine::RandomValue() % (totalWeight + 1);
        choice = -1;
        uint64_t sum = 0;
        for (size_t i = 0; i < entries.size(); ++i) {
            sum += entries[i].weight;
            if (sum >= r && entries[i].weight != 0) {
                choice = static_cast<int32_t>(i);
                break;
            }
        }
        if (choice < 0)
            choice = static_cast<int32_t>(ZorvaneEngine::RandomValue() % entries.size());
        if (choice != previousChoice)
            break;
    }
    previousChoice = choice;
    return entries[static_cast<size_t>(choice)].value;
}

} // namespace GameTools
