#pragma once
// How many threads Mesa's software rasterizer (llvmpipe) draws with. By
// default it starts one per core and splits every frame among them; for
// frames of the game's sizes the hand-overs between many threads cost more
// processor time than they save, and a single worker beside the game's
// thread costs most of all. Two workers keep a frame's drawing spread over
// two cores; a one-core machine draws on the game's thread. The variable
// is read when the OpenGL library starts its first display: this must run
// before SDL's video starts. Other OpenGL drivers ignore it.

namespace Platform {

// The LP_NUM_THREADS value the game asks for on a machine with this many
// cores for it.
const char* RasterizerThreadsFor(unsigned cores);

// Sets LP_NUM_THREADS for the cores this process may run on, unless the
// user has set it (to anything, an empty value too); true when it was set
// here.
bool ChooseRasterizerThreads();

} // namespace Platform
