#include "platform/window/sdl/RasterizerThreads.h"

#include <sched.h>

#include <cstdlib>
#include <thread>

namespace Platform {

const char* RasterizerThreadsFor(unsigned cores)
{
    return cores >= 2 ? "2" : "0";
}

bool ChooseRasterizerThreads()
{
    if (std::getenv("LP_NUM_THREADS") != nullptr) {
        return false;
    }
    // The cores the process is allowed on, as the rasterizer counts them.
    cpu_set_t allowed;
    CPU_ZERO(&allowed);
    const unsigned cores = sched_getaffinity(0, sizeof allowed, &allowed) == 0
                               ? static_cast<unsigned>(CPU_COUNT(&allowed))
                               : std::thread::hardware_concurrency();
    return setenv("LP_NUM_THREADS", RasterizerThreadsFor(cores), 0) == 0;
}

} // namespace Platform
