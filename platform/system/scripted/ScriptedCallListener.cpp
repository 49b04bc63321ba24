#include "platform/system/scripted/ScriptedCallListener.h"

#include <utility>

namespace Platform {

namespace {

ScriptedCallListener& Listener()
{
    static ScriptedCallListener listener;
    return listener;
}

} // namespace

ScriptedCallListener SetScriptedCallListener(ScriptedCallListener listener)
{
    return std::exchange(Listener(), std::move(listener));
}

void ReportScriptedCall(const std::string& call)
{
    // A copy: the listener may install another while it runs.
    const ScriptedCallListener listener = Listener();
    if (listener) {
        listener(call);
    }
}

} // namespace Platform
