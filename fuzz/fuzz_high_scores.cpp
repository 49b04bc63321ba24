// The high-score file. Whatever the bytes, the table loads (or starts
// empty), reads back as it is held, and an added score leaves the table in
// order with at most ten entries of its mode.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "framework/HighScoresTable.h"
#include "fuzz/support/FuzzSupport.h"

namespace {

using GameFramework::HighScoresTable;

bool SameEntries(const HighScoresTable& a, const HighScoresTable& b)
{
    if (a.GetNextSequence() != b.GetNextSequence() || a.GetEntries().size() != b.GetEntries().size()) return false;
    for (size_t i = 0; i < a.GetEntries().size(); ++i) {
        const GameFramework::HighScoreEntry& x = *a.GetEntries()[i];
        const GameFramework::HighScoreEntry& y = *b.GetEntries()[i];
        if (x.name != y.name || x.mode != y.mode || x.score != y.score || x.sequence != y.sequence) return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzSupport::WriteFile("user/high_scores.hsf", FuzzSupport::WithOwnSize(data, size));
    const std::string user = FuzzSupport::Folder() + "/user";

    HighScoresTable table(&FuzzSupport::Log(), &FuzzSupport::Files(), user);
    if (!SameEntries(table, HighScoresTable(&FuzzSupport::Log(), &FuzzSupport::Files(), user))) std::abort();

    const uint32_t mode = table.GetEntries().empty() ? 0 : table.GetEntries().front()->mode;
    table.AddScore(u"fuzz", mode, 1000);
    uint32_t ofMode = 0;
    const GameFramework::HighScoreEntry* previous = nullptr;
    for (const auto& entry : table.GetEntries()) {
        if (previous && (previous->score < entry->score ||
                         (previous->score == entry->score && previous->sequence > entry->sequence))) {
            std::abort();
        }
        previous = entry.get();
        if (entry->mode == mode) ++ofMode;
    }
    if (ofMode > 10) std::abort();
    if (!SameEntries(table, HighScoresTable(&FuzzSupport::Log(), &FuzzSupport::Files(), user))) std::abort();
    // A damaged table is kept beside it; the next input starts without it.
    std::error_code error;
    std::filesystem::remove(user + "/high_scores.hsf.bad", error);
    FuzzSupport::EndInput();
    return 0;
}
