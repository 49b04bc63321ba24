// Level maps written by the map tool: the shipped shape of stages of a few
// levels each, one stage of two levels, and a map without elements.
#include "fuzz/seeds/Seeds.h"
#include "tools/common/MapWriter.h"

TANGROVE_FUZZ_SEEDS(map)
{
    seeds.Add("three-stages.gmf", Tools::BuildMapFile(Tools::SerpentineMap({3, 2, 4})));
    seeds.Add("two-levels.gmf", Tools::BuildMapFile(Tools::SerpentineMap({2})));
    seeds.Add("empty.gmf", Tools::BuildMapFile({}));
}
