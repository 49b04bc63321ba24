#pragma once
// The pictures a program carries for its windows, under resource ids: what a
// resource section of the executable holds elsewhere. The program adds its
// own before it makes a window; LoadIcon of the windowing finds them here.
#include <cstdint>

namespace Platform {

struct IconPicture {
    uint32_t width = 0;
    uint32_t height = 0;
    // width x height pixels, rows from the top, 4 bytes a pixel: red, green,
    // blue, alpha. Not copied: it must stay (the program's own constant data).
    const uint8_t* pixels = nullptr;
};

// A cursor: a picture and its hot spot, in pixels from the top left.
struct CursorPicture {
    IconPicture picture;
    int32_t hotX = 0;
    int32_t hotY = 0;
};

// Adds the picture under the id, or replaces the one there; a picture
// without pixels or size removes the id.
void AddIconResource(int32_t id, const IconPicture& picture);
// The picture under the id; false when there is none.
bool FindIconResource(int32_t id, IconPicture& picture);

// The same for cursors, which LoadCursor of the windowing finds here.
void AddCursorResource(int32_t id, const CursorPicture& cursor);
bool FindCursorResource(int32_t id, CursorPicture& cursor);

} // namespace Platform
