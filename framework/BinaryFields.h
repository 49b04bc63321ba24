#pragma once
// The little-endian fields of the framework's save files, read from and
// written to an open file. Each read raises the file's FileError when the
// bytes run out.
#include <cstdint>
#include <string>

namespace ZorvaneEngine {
class FileBinary;
}

namespace GameFramework {

uint8_t ReadU8(ZorvaneEngine::FileBinary& file);
uint32_t ReadU32(ZorvaneEngine::FileBinary& file);
int32_t ReadI32(ZorvaneEngine::FileBinary& file);
float ReadF32(ZorvaneEngine::FileBinary& file);
// A wide string of the file (count byte, units, zero unit). A damaged count
// of 255 with no zero among the units gives at most 254 units, the most the
// string form holds with its zero: what is read is written back unchanged.
std::u16string ReadWideText(ZorvaneEngine::FileBinary& file);

void WriteU8(ZorvaneEngine::FileBinary& file, uint8_t value);
void WriteU32(ZorvaneEngine::FileBinary& file, uint32_t value);
void WriteI32(ZorvaneEngine::FileBinary& file, int32_t value);
void WriteF32(ZorvaneEngine::FileBinary& file, float value);

} // namespace GameFramework
