#pragma once
// The system cursors the executable carries itself, written as a C++ header
// of RGBA arrays. The window icon comes from tools/iconbuild.
#include <string>

namespace ModelGen {

// Throws std::runtime_error when the file cannot be written.
void WriteCursorHeader(const std::string& path);

} // namespace ModelGen
