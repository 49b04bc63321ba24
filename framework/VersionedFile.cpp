#include "framework/VersionedFile.h"

#include <algorithm>
#include <cstring>

#include "engine/Engine.h"
#include "engine/core/EngineFileHeader.h"
#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Paths.h"
#include "engine/core/TextUtils.h"
#include "framework/BinaryFields.h"
#include "platform/system/FileSystem.h"

namespace GameFramework {

using ZorvaneEngine::EngineFileHeader;
using ZorvaneEngine::FileBinary;
using ZorvaneEngine::FileError;

VersionedFile::VersionedFile(ZorvaneEngine::FileManager* fileManager, const std::string& magic,
                             uint32_t version)
    : fileManager(fileManager), version(version)
{
    std::memcpy(this->magic, magic.data(), std::min<size_t>(magic.size(), sizeof(this->magic)));
}

VersionedFile::VersionedFile(ZorvaneEngine::Engine* engine, const std::string& magic, uint32_t version)
    : VersionedFile(engine->fileManager.get(), magic, version)
{
}

VersionedFile::~VersionedFile()
{
    Abandon();
}

void VersionedFile::Open(uint32_t mode, const std::string& path)
{
    Close();
    this->mode = mode;
    this->path = path;

    // Held locally until the header is right: on a failure the file goes,
    // and a file being written is abandoned by the exception unwinding it.
    std::unique_ptr<FileBinary> opened = fileManager->OpenFile(path, mode != ModeRead, false);
    if (mode != ModeRead) {
        WriteU32(*opened, 0);
        opened->Write(magic, sizeof(magic));
        WriteU32(*opened, version);
    } else {
        if (opened->GetSize() < HeaderSize) {
            throw FileError("Failed to read " + ZorvaneEngine::UIntToText(HeaderSize) + " bytes from \"" +
                            path + "\" file");
        }
        const EngineFileHeader header = EngineFileHeader::Read(*opened);
        if (!header.HasMagic(magic) || header.fileSize != opened->GetSize()) {
            throw FileError("Incorrect + \"" + path + "\" file format");
        }
        if (header.version != version) {
            throw FileError("Incorrect \"" + path + "\" format version (" +
                            ZorvaneEngine::UIntToText(header.version) + "), current is " +
                            ZorvaneEngine::UIntToText(version));
        }
    }
    file = std::move(opened);
}

void VersionedFile::Close()
{
    if (!file) {
        return;
    }
    std::unique_ptr<FileBinary> closing = std::move(file);
    if (mode != ModeRead) {
        // The position is the end of everything written.
        const uint32_t size = closing->GetPosition();
        closing->Seek(0, FileBinary::SeekStart);
        WriteU32(*closing, size);
        closing->Close();
    }
}

void VersionedFile::Abandon()
{
    if (file && mode != ModeRead) {
        file->Abandon();
    }
    file.reset();
}

void VersionedFile::KeepDamaged(ZorvaneEngine::MessageManager* log, const std::string& reason)
{
    const std::string onDisk = ZorvaneEngine::MakeAbsolutePath(fileManager->DiskPath(path));
    if (!Platform::PathExists(onDisk)) return;
    const std::string kept = Platform::RenameToFreeName(onDisk, ".bad");
    if (!log) return;
    if (kept.empty())
        log->Error("Damaged \"" + onDisk + "\" could not be kept: " + reason);
    else
        log->Error("Damaged \"" + onDisk + "\" kept as \"" + kept + "\": " + reason);
}

} // namespace GameFramework
