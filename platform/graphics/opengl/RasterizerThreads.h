#pragma once
// How many threads Mesa's software rasterizer (llvmpipe) draws with. By
// default it starts one per core and splits every frame among them; for
// frames of the game's sizes the hand-over between the threads costs about
// as much processor time as the drawing itself, so the game asks for fewer.
// The variable is read when the OpenGL library starts its first display:
// this must run before SDL's video starts. Other OpenGL drivers ignore it.

namespace Platform {

// The number of drawing threads the game asks the software rasterizer for.
inline constexpr const char* kRasterizerThreads = "1";

// Sets LP_NUM_THREADS to kRasterizerThreads unless the user has set it
// (to anything, an empty value too); true when it was set here.
bool ChooseRasterizerThreads();

} // namespace Platform
