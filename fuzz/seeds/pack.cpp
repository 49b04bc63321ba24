#include "fuzz/seeds/Seeds.h"
#include "tools/common/PackWriter.h"

TANGROVE_FUZZ_SEEDS(pack)
{
    Tools::PackWriter empty;
    seeds.Add("empty.pak", empty.Build());

    Tools::PackWriter some;
    some.Add("data\\ui\\fonts\\ge.ini", "2 0\nui\\fonts\\ge_00.fnt x.tga 32bit 12 0.3 1 0 0\n");
    some.Add("data\\ui\\texts\\ge.txt", "[KEY]\nText\n");
    some.Add("data\\sounds\\click.wav", std::vector<uint8_t>(40, 0x11));
    some.Add("data\\empty.bin", std::string());
    some.Add("readme.txt", "outside data");
    seeds.Add("some.pak", some.Build());
}
