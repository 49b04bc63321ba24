#include "platform/capture/AviFile.h"

namespace Platform {

AviFile::AviFile(std::unique_ptr<AviWriter> writer) : writer(std::move(writer)) {}

AviFile::~AviFile()
{
    writer->Finish();
}

uint32_t AviFile::Release()
{
    const uint32_t left = --references;
    if (left == 0) delete this;
    return left;
}

AviStream::AviStream(AviFile* file, AviStream* source) : file(file), source(source)
{
    if (file != nullptr) file->AddRef();
    if (source != nullptr) source->AddRef();
}

AviStream::~AviStream()
{
    if (source != nullptr) source->Release();
    if (file != nullptr) file->Release();
}

uint32_t AviStream::Release()
{
    const uint32_t left = --references;
    if (left == 0) delete this;
    return left;
}

} // namespace Platform
