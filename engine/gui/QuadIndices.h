#pragma once
// The index list of a GUI quad model: one strip of two triangles over its
// four vertices.

namespace ZorvaneEngine {

class IndexBuffer;

// Writes 0, 1, 2, 3 into the first four indices, 16- or 32-bit as the buffer
// stores them; nothing when the buffer cannot be locked.
void WriteQuadIndices(IndexBuffer& indices);

} // namespace ZorvaneEngine
