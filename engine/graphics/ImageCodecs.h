#pragma once
// The picture file readers and writers behind Image::Load and Image::Save.
// A reader fills image only when the whole file is sound; every failure is
// raised as FileError with the text to log. A writer raises FileError when
// the file cannot be written.
#include <string>

namespace ZorvaneEngine {

class FileManager;
class Image;
class MessageManager;

namespace ImageCodecs {

void ReadBmp(MessageManager* log, FileManager* files, Image& image, const std::string& name);
void WriteBmp(FileManager* files, const Image& image, const std::string& name);

void ReadTga(MessageManager* log, FileManager* files, Image& image, const std::string& name);
void WriteTga(FileManager* files, const Image& image, const std::string& name);

// A progressive picture comes in scans, each a pass over the whole picture,
// and the format sets no limit on their number: a scan repeated thousands of
// times, some 30 bytes each, keeps the decoder busy for seconds. Real
// pictures have at most a few dozen, so a file with more is refused.
constexpr int MaxJpegScans = 100;

void ReadJpeg(MessageManager* log, FileManager* files, Image& image, const std::string& name);
// At quality 85; a picture of neither 8 nor 24 bits is written from a 24-bit
// copy.
void WriteJpeg(MessageManager* log, FileManager* files, const Image& image, const std::string& name);

// "Incorrect \"<name>\" file format" and its siblings.
[[noreturn]] void RaiseIncorrect(const std::string& name);
[[noreturn]] void RaiseUnsupported(const std::string& name);
[[noreturn]] void RaiseSaveFailure(const std::string& name);

} // namespace ImageCodecs
} // namespace ZorvaneEngine
