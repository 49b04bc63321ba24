#include "engine/sound/SoundFileReader.h"

#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Paths.h"
#include "engine/core/TextUtils.h"
#include "engine/sound/SoundFileReaderEMP.h"
#include "engine/sound/SoundFileReaderOGG.h"
#include "engine/sound/SoundFileReaderWAV.h"

namespace ZorvaneEngine {

SoundFileReader::SoundFileReader(const std::string& name, FileManager* files, MessageManager* log)
    : log(log), files(files), name(name), path(AddDataFolderPrefix(name)) {
    file = files->OpenFile(path, false);
}

SoundFileReader::SoundFileReader(FileManager* files, MessageManager* log) : log(log), files(files) {}

SoundFileReader::~SoundFileReader() = default;

void SoundFileReader::Fail(const std::string& reason) {
    file.reset();
    throw FileError("Failed to load \"" + path + "\" sound file - " + reason);
}

std::unique_ptr<SoundFileReader> OpenSoundFileReader(const std::string& name, FileManager* files,
                                                     MessageManager* log) {
    if (name.empty()) {
        return std::make_unique<SoundFileReaderEMP>(files, log);
    }
    const std::string lowered = ToLowerCase(name);
    const std::string extension = GetFileExtension(lowered);
    try {
        if (extension == "wav") {
            return std::make_unique<SoundFileReaderWAV>(lowered, files, log);
        }
        if (extension == "ogg") {
            return std::make_unique<SoundFileReaderOGG>(lowered, files, log);
        }
        log->Error("Failed to load \"" + lowered + "\" sound file - unknown type");
    } catch (const Error& error) {
        log->Error(error.message);
    }
    return std::make_unique<SoundFileReaderEMP>(files, log);
}

} // namespace ZorvaneEngine
