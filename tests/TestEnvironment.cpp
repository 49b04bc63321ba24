// Linked into every test program: what each test process needs whether it
// is started by ctest or by hand, and what the programs it starts inherit.
#include <cstdlib>

#define TANGROVE_LEAK_OPTIONS "suppressions=" TANGROVE_SOURCE_DIR "/tests/lsan.supp:print_suppressions=0"
// The dynamic-TLS tracking of the leak checker misreads the blocks of the GL
// driver's threads and crashes at exit, so it is left off; static TLS and
// every thread's stack are still scanned.
#define TANGROVE_ADDRESS_OPTIONS "detect_leaks=1:intercept_tls_get_addr=0"

extern "C" {

const char* __asan_default_options()
{
    return TANGROVE_ADDRESS_OPTIONS;
}

// Leaks inside the system's OpenGL, display and sound libraries are listed
// in tests/lsan.supp; ours are reported.
const char* __lsan_default_options()
{
    return TANGROVE_LEAK_OPTIONS;
}

const char* __ubsan_default_options()
{
    return "print_stacktrace=1";
}

} // extern "C"

namespace {

// No test needs a display or a sound card: SDL runs on its offscreen video
// driver (real OpenGL on Mesa) and its dummy audio driver unless the caller
// chose otherwise. The sanitizer options reach the programs a test starts.
const bool kEnvironmentSet = [] {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("LSAN_OPTIONS", TANGROVE_LEAK_OPTIONS, 0);
    setenv("ASAN_OPTIONS", TANGROVE_ADDRESS_OPTIONS, 0);
    return true;
}();

} // namespace
