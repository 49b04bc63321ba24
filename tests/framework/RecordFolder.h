#pragma once
// The world of the framework's save-file tests: a fresh folder with the log
// and the file manager over it, the user folder below it, and readers for the
// files left behind.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "platform/system/TemporaryFolder.h"
#include "tools/common/BinaryWriter.h"

namespace TestSupport {

using Bytes = std::vector<uint8_t>;

struct RecordFolder {
    // Native paths: the code under test joins its own names with "\".
    std::string UserFolder() const { return root / "user"; }
    std::string ProfilePath(const std::string& fileName) const { return root / ("user/profiles/" + fileName); }

    Bytes Read(const std::string& path) const {
        Bytes bytes;
        Tools::LoadFile(path, bytes);
        return bytes;
    }
    void Write(const std::string& path, const Bytes& bytes) const {
        WriteWholeFile(path, std::string(bytes.begin(), bytes.end()));
    }

    // The error texts logged since the last call, as the code passed them.
    std::vector<std::string> TakeErrors() {
        std::vector<std::string> errors;
        for (const ZorvaneEngine::LogMessage& message : log.GetFrameMessages()) {
            if (message.level != 2) continue;
            std::string text = message.text;
            const std::string prefix = "\nError: ";
            const std::string suffix = "!\n\n";
            if (text.starts_with(prefix) && text.ends_with(suffix))
                text = text.substr(prefix.size(), text.size() - prefix.size() - suffix.size());
            errors.push_back(text);
        }
        log.ClearFrameMessages();
        return errors;
    }

    TemporaryFolder root;
    ZorvaneEngine::MessageManager log{"", "test", "Test", false, false};
    ZorvaneEngine::FileManager files{"data", &log, root.Path()};
};

// Little-endian bytes of a value.
inline void Append32(Bytes& bytes, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

} // namespace TestSupport
