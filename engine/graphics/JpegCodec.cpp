#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include <jpeglib.h>
#include <jerror.h>

#include "engine/core/Error.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/graphics/Image.h"
#include "engine/graphics/ImageCodecs.h"

// libjpeg reports errors by calling error_exit, which must not return. Ours
// jumps back to the setjmp in Decode or Encode. Those two functions and the
// callbacks hold only plain data (libjpeg's records, pointers, flags), so the
// jump leaves no destructor unrun; every C++ object (files, pictures, texts)
// lives in the callers, which turn an outcome into a FileError.

namespace ZorvaneEngine::ImageCodecs {

namespace {

static_assert(JPEG_LIB_VERSION == 62, "the codec is written for libjpeg interface 62");

constexpr size_t BlockSize = 4096;
constexpr int Quality = 85;

struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    MessageManager* log;
    void (*libraryEmitMessage)(j_common_ptr, int);
    // A warning said that part of the picture's data is missing or garbled.
    bool damaged;
    // The decoder was stopped at the scan past MaxJpegScans.
    bool tooManyScans;
};

[[noreturn]] void ExitWithError(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

// The library's own texts (warnings, and the reason of a failure) go to the
// log as warnings, before the error line of the load or save.
void OutputMessage(j_common_ptr info)
{
    MessageManager* log = reinterpret_cast<ErrorManager*>(info->err)->log;
    if (!log) {
        return;
    }
    char text[JMSG_LENGTH_MAX];
    (*info->err->format_message)(info, text);
    try {
        log->Warning(std::string("JPEG: ") + text);
    } catch (...) {
        // Nothing may unwind through the library's frames.
    }
}

// The library only warns when the data of a scan ends early or holds
// codes that mean nothing, and fills the rest with grey; such a picture is
// refused like any other damaged file.
void EmitMessage(j_common_ptr info, int level)
{
    ErrorManager* errors = reinterpret_cast<ErrorManager*>(info->err);
    if (level < 0) {
        switch (errors->pub.msg_code) {
        case JWRN_HIT_MARKER:
        case JWRN_JPEG_EOF:
        case JWRN_HUFF_BAD_CODE:
        case JWRN_ARITH_BAD_CODE:
        case JWRN_MUST_RESYNC:
            errors->damaged = true;
            break;
        default:
            break;
        }
    }
    errors->libraryEmitMessage(info, level);
}

void UseErrorManager(ErrorManager& errors, MessageManager* log, jpeg_error_mgr*& slot)
{
    slot = jpeg_std_error(&errors.pub);
    errors.libraryEmitMessage = errors.pub.emit_message;
    errors.pub.error_exit = ExitWithError;
    errors.pub.emit_message = EmitMessage;
    errors.pub.output_message = OutputMessage;
    errors.log = log;
    errors.damaged = false;
    errors.tooManyScans = false;
}

// Called by the library between pieces of work, among them at the start of
// every scan it reads.
void MonitorProgress(j_common_ptr info)
{
    const j_decompress_ptr decompress = reinterpret_cast<j_decompress_ptr>(info);
    if (decompress->input_scan_number > MaxJpegScans) {
        ErrorManager* errors = reinterpret_cast<ErrorManager*>(info->err);
        errors->tooManyScans = true;
        std::longjmp(errors->jump, 1);
    }
}

// --- Reading: the engine's file served in 4096-byte blocks.

struct Source {
    jpeg_source_mgr pub;
    FileBinary* file;
    JOCTET* buffer;
    bool startOfFile;
    // The data ran out and an end-of-image marker was put in its place.
    bool ended;
};

void InitSource(j_decompress_ptr info)
{
    Source* source = reinterpret_cast<Source*>(info->src);
    source->startOfFile = true;
    source->ended = false;
}

boolean FillInputBuffer(j_decompress_ptr info)
{
    Source* source = reinterpret_cast<Source*>(info->src);
    uint32_t count = 0;
    source->file->Read(source->buffer, BlockSize, &count);
    if (count == 0) {
        // Past the end: an end-of-image marker lets the library stop cleanly.
        source->buffer[0] = 0xFF;
        source->buffer[1] = JPEG_EOI;
        count = 2;
        source->ended = true;
    }
    source->pub.next_input_byte = source->buffer;
    source->pub.bytes_in_buffer = count;
    source->startOfFile = false;
    return TRUE;
}

void SkipInputData(j_decompress_ptr info, long count)
{
    if (count <= 0) {
        return;
    }
    Source* source = reinterpret_cast<Source*>(info->src);
    while (count > static_cast<long>(source->pub.bytes_in_buffer)) {
        count -= static_cast<long>(source->pub.bytes_in_buffer);
        FillInputBuffer(info);
    }
    source->pub.next_input_byte += count;
    source->pub.bytes_in_buffer -= static_cast<size_t>(count);
}

void TermSource(j_decompress_ptr) {}

Source* UseSource(j_decompress_ptr info, FileBinary* file)
{
    if (info->src == nullptr) {
        void* memory = (*info->mem->alloc_small)(reinterpret_cast<j_common_ptr>(info), JPOOL_PERMANENT, sizeof(Source));
        Source* source = static_cast<Source*>(memory);
        source->buffer = static_cast<JOCTET*>(
            (*info->mem->alloc_small)(reinterpret_cast<j_common_ptr>(info), JPOOL_PERMANENT, BlockSize));
        info->src = &source->pub;
    }
    Source* source = reinterpret_cast<Source*>(info->src);
    source->pub.init_source = InitSource;
    source->pub.fill_input_buffer = FillInputBuffer;
    source->pub.skip_input_data = SkipInputData;
    source->pub.resync_to_restart = jpeg_resync_to_restart;
    source->pub.term_source = TermSource;
    source->pub.bytes_in_buffer = 0;
    source->pub.next_input_byte = nullptr;
    source->file = file;
    source->ended = false;
    return source;
}

enum class Outcome { Done, Incorrect, Unsupported };

void LogLibraryMessage(j_common_ptr info)
{
    (*info->err->output_message)(info);
}

Outcome Decode(FileBinary* file, Image* picture, MessageManager* log)
{
    jpeg_decompress_struct info;
    ErrorManager errors;
    jpeg_progress_mgr progress;
    progress.progress_monitor = MonitorProgress;
    UseErrorManager(errors, log, info.err);
    if (setjmp(errors.jump)) {
        if (!errors.tooManyScans) {
            LogLibraryMessage(reinterpret_cast<j_common_ptr>(&info));
        }
        jpeg_destroy_decompress(&info);
        if (errors.tooManyScans && log) {
            log->Warning("JPEG: more than " + std::to_string(MaxJpegScans) + " scans");
        }
        return Outcome::Incorrect;
    }
    jpeg_create_decompress(&info);
    info.progress = &progress;
    Source* source = UseSource(&info, file);
    jpeg_read_header(&info, TRUE);

    Outcome refusal = Outcome::Done;
    if (info.image_width == 0 || info.image_height == 0 || info.image_width > Image::MaxDimension ||
        info.image_height > Image::MaxDimension ||
        static_cast<uint64_t>(info.image_width) * info.image_height > Image::MaxPixels) {
        refusal = Outcome::Incorrect;
    } else if (info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK) {
        // Four channels of ink, not red, green, blue and opacity.
        refusal = Outcome::Unsupported;
    }
    if (refusal == Outcome::Done) {
        jpeg_start_decompress(&info);
        if (info.output_components != 1 && info.output_components != 3) {
            refusal = Outcome::Unsupported;
        } else if (source->ended || errors.damaged) {
            refusal = Outcome::Incorrect;
        }
    }
    if (refusal != Outcome::Done) {
        jpeg_destroy_decompress(&info);
        return refusal;
    }

    const JDIMENSION width = info.output_width;
    const JDIMENSION height = info.output_height;
    const size_t rowBytes = static_cast<size_t>(width) * info.output_components;
    JSAMPARRAY row = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                               static_cast<JDIMENSION>(rowBytes), 1);
    try {
        while (info.output_scanline < height) {
            const JDIMENSION scanline = info.output_scanline;
            jpeg_read_scanlines(&info, row, 1);
            // A file that ends early would decode into grey rows: refused as
            // soon as the missing data shows, and before the picture is
            // allocated when that is at the first row (a tiny file claiming a
            // huge size).
            if (source->ended || errors.damaged) {
                jpeg_destroy_decompress(&info);
                return Outcome::Incorrect;
            }
            if (picture->IsEmpty()) {
                picture->Create(width, height, 8 * static_cast<uint32_t>(info.output_components), log);
            }
            // The top scanline is the picture's last row.
            std::memcpy(picture->GetRow(height - 1 - scanline), row[0], rowBytes);
        }
    } catch (...) {
        jpeg_destroy_decompress(&info);
        throw;
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return Outcome::Done;
}

// --- Writing: through the engine's file, 4096 bytes at a time.

struct Destination {
    jpeg_destination_mgr pub;
    FileBinary* file;
    JOCTET buffer[BlockSize];
};

bool WriteBlock(Destination* destination, size_t count) noexcept
{
    try {
        destination->file->Write(destination->buffer, static_cast<uint32_t>(count));
        return true;
    } catch (...) {
        return false;
    }
}

void InitDestination(j_compress_ptr info)
{
    Destination* destination = reinterpret_cast<Destination*>(info->dest);
    destination->pub.next_output_byte = destination->buffer;
    destination->pub.free_in_buffer = BlockSize;
}

boolean EmptyOutputBuffer(j_compress_ptr info)
{
    Destination* destination = reinterpret_cast<Destination*>(info->dest);
    // The whole buffer, whatever free_in_buffer says: the library's rule.
    if (!WriteBlock(destination, BlockSize)) {
        ERREXIT(info, JERR_FILE_WRITE);
    }
    InitDestination(info);
    return TRUE;
}

void TermDestination(j_compress_ptr info)
{
    Destination* destination = reinterpret_cast<Destination*>(info->dest);
    const size_t count = BlockSize - destination->pub.free_in_buffer;
    if (count > 0 && !WriteBlock(destination, count)) {
        ERREXIT(info, JERR_FILE_WRITE);
    }
}

bool Encode(FileBinary* file, const Image* picture, MessageManager* log)
{
    jpeg_compress_struct info;
    ErrorManager errors;
    UseErrorManager(errors, log, info.err);
    if (setjmp(errors.jump)) {
        LogLibraryMessage(reinterpret_cast<j_common_ptr>(&info));
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    Destination* destination = static_cast<Destination*>(
        (*info.mem->alloc_small)(reinterpret_cast<j_common_ptr>(&info), JPOOL_PERMANENT, sizeof(Destination)));
    destination->pub.init_destination = InitDestination;
    destination->pub.empty_output_buffer = EmptyOutputBuffer;
    destination->pub.term_destination = TermDestination;
    destination->file = file;
    info.dest = &destination->pub;

    const bool grey = picture->GetBits() == 8;
    info.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
    info.input_components = grey ? 1 : 3;
    info.image_width = picture->GetWidth();
    info.image_height = picture->GetHeight();
    jpeg_set_defaults(&info);
    info.input_gamma = 1.0;
    jpeg_set_quality(&info, Quality, FALSE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        // The top scanline is the picture's last row. The library only
        // reads the rows it is given.
        JSAMPROW row = const_cast<JSAMPROW>(picture->GetRow(info.image_height - 1 - info.next_scanline));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

} // namespace

void ReadJpeg(MessageManager* log, FileManager* files, Image& image, const std::string& name)
{
    const std::unique_ptr<FileBinary> file = files->OpenFile(name, false, true);
    Image picture;
    switch (Decode(file.get(), &picture, log)) {
    case Outcome::Done:
        image = std::move(picture);
        return;
    case Outcome::Unsupported:
        RaiseUnsupported(name);
    case Outcome::Incorrect:
        break;
    }
    RaiseIncorrect(name);
}

void WriteJpeg(MessageManager* log, FileManager* files, const Image& image, const std::string& name)
{
    Image copy;
    const Image* source = &image;
    if (image.GetBits() != 8 && image.GetBits() != 24) {
        image.Convert(24, copy);
        source = &copy;
    }
    std::unique_ptr<FileBinary> file;
    try {
        file = files->OpenFile(name, true);
    } catch (const Error&) {
        RaiseSaveFailure(name);
    }
    // Raised while the file is open, a failure abandons the partial file.
    if (!Encode(file.get(), source, log)) {
        RaiseSaveFailure(name);
    }
    // A save that fails only when the file is completed still fails.
    try {
        file->Close();
    } catch (const Error&) {
        RaiseSaveFailure(name);
    }
}

} // namespace ZorvaneEngine::ImageCodecs
