// Puzzle files for a picture of 64 × 48 pixels, written by the puzzle tools:
// jigsaw cuts of a few sizes, with and without blocked pieces, and the
// smallest puzzle of one piece.
#include <cstdint>
#include <vector>

#include "fuzz/seeds/Seeds.h"
#include "tools/common/JigsawCutter.h"
#include "tools/common/PuzzleWriter.h"

TANGROVE_FUZZ_SEEDS(puzzle)
{
    struct Cut {
        const char* name;
        uint32_t columns, rows, blocked, links;
        uint64_t seed;
    } cuts[] = {
        {"2x2.pzf", 2, 2, 0, 0, 1},
        {"3x2-blocked.pzf", 3, 2, 1, 2, 2},
        {"4x3-blocked.pzf", 4, 3, 2, 0, 3},
    };
    for (const Cut& cut : cuts) {
        const Tools::JigsawCut jigsaw = Tools::CutJigsaw(64, 48, cut.columns, cut.rows, cut.seed);
        seeds.Add(cut.name, Tools::BuildPuzzleFile(Tools::BuildJigsawPuzzle(jigsaw, cut.blocked, cut.links, cut.seed)));
    }
    Tools::Puzzle whole;
    whole.width = 64;
    whole.height = 48;
    Tools::PuzzlePiece piece;
    piece.width = 64;
    piece.height = 48;
    piece.mask.assign(64 * 48, 1);
    whole.pieces.push_back(piece);
    whole.cutLines.assign(64 * 48, 0);
    seeds.Add("one-piece.pzf", Tools::BuildPuzzleFile(whole));
}
