#include "platform/system/System.h"

#include "platform/system/real/RealSystem.h"

namespace Platform {

namespace {

System& Real()
{
    static RealSystem real;
    return real;
}

constinit Installed<System> installed{&Real};

} // namespace

System& GetSystem()
{
    return installed.Get();
}

System* SetSystem(System* system)
{
    return installed.Set(system);
}

} // namespace Platform
