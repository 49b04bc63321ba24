#include "framework/MenuScreenBases.h"

#include "engine/Engine.h"
#include "engine/core/TextUtils.h"
#include "framework/ProfileManagerBase.h"

namespace GameFramework {

GUILogosWindowBase::GUILogosWindowBase(ZorvaneEngine::Engine* engine)
    : engine(engine), log(engine->log.get()), timers(engine->timers.get())
{
}

bool GUIRenameProfileWindowBase::RenameProfile(const std::u16string& newName)
{
    // Profiles store their names trimmed: " Alice" must meet "Alice" here.
    const std::u16string name = ZorvaneEngine::Trim(newName);
    if (ZorvaneEngine::ToLowerCase(name) == ZorvaneEngine::ToLowerCase(ZorvaneEngine::Trim(oldName)))
        return true;
    if (profileManager->FindProfile(name) != nullptr)
        return false;
    profileManager->RenameProfile(name, oldName);
    return true;
}

} // namespace GameFramework
