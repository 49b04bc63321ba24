#pragma once
// The scripted platforms (system, windowing, graphics, input, audio) each
// keep the calls they receive in a list of their own. A test that needs all
// of them in one order, interleaved with what the code under test does
// between them, listens here: every scripted platform reports each call as
// it records it. Main thread only; the real platforms report nothing.
#include <functional>
#include <string>

namespace Platform {

using ScriptedCallListener = std::function<void(const std::string& call)>;

// Installs the listener (an empty one stops listening); returns the one
// before.
ScriptedCallListener SetScriptedCallListener(ScriptedCallListener listener);
// Called by the scripted platforms for every call they record.
void ReportScriptedCall(const std::string& call);

} // namespace Platform
