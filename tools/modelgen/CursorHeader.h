#pragma once
// The pictures the executable carries itself: the three system cursors and
// the window icon, written as a C++ header of RGBA arrays.
#include <string>

namespace ModelGen {

// Throws std::runtime_error when the file cannot be written.
void WriteCursorHeader(const std::string& path);

} // namespace ModelGen
