#pragma once
// The objects behind the AVI file functions of Capture: a movie file and
// its streams, counted references as in the original interface. A stream
// holds a reference to its file and a compressing stream one to its
// source, so the file is completed only when everything built on it is
// released.
#include <cstdint>
#include <memory>

#include "platform/capture/AviTypes.h"
#include "platform/capture/AviWriter.h"

namespace Platform {

class AviFile {
public:
    explicit AviFile(std::unique_ptr<AviWriter> writer);

    void AddRef() { ++references; }
    // At 0 the movie is completed and the object deleted.
    uint32_t Release();

    AviWriter& GetWriter() { return *writer; }
    // The file holds one stream at most.
    bool hasStream = false;

private:
    ~AviFile();

    std::unique_ptr<AviWriter> writer;
    uint32_t references = 1;
};

class AviStream {
public:
    // A stream of file, or (source not null) a compressing stream over
    // source.
    AviStream(AviFile* file, AviStream* source);

    void AddRef() { ++references; }
    uint32_t Release();

    // The file stream the frames end up in.
    AviStream& Target() { return source != nullptr ? source->Target() : *this; }
    AviFile* GetFile() { return Target().file; }
    // Samples written so far.
    uint32_t length = 0;

private:
    ~AviStream();

    AviFile* file;      // a reference held; null for a compressing stream
    AviStream* source;  // a reference held; null for a file stream
    uint32_t references = 1;
};

} // namespace Platform
