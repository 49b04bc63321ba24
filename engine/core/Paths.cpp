#include "engine/core/Paths.h"

#include "engine/core/TextUtils.h"
#include "platform/system/FileSystem.h"
#include "platform/system/System.h"

namespace ZorvaneEngine {

namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

std::string BelowApplicationFolder(const std::string& path) {
    if (Platform::IsAbsolutePath(path)) {
        return path;
    }
    return GetApplicationFolder() + "\\" + path;
}

} // namespace

std::string GetApplicationDataFolder() {
    return Platform::GetSystem().GetAppDataFolder();
}

bool FileExistsOnDisk(const std::string& path) {
    return Platform::PathExists(BelowApplicationFolder(path));
}

void CreateDirectories(const std::string& path) {
    for (size_t i = 0; i < path.size(); ++i) {
        if (IsSeparator(path[i]) && i > 0) {
            Platform::CreateFolder(path.substr(0, i));
        }
    }
}

std::string GetFileExtension(const std::string& name) {
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

bool HasFileExtension(const std::string& name, const std::string& extension) {
    return ToLowerCase(GetFileExtension(name)) == ToLowerCase(extension);
}

void SetFileExtension(std::string& name, const std::string& extension) {
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos) {
        name.resize(extension.empty() ? dot : dot + 1);
        name += extension;
    } else if (!extension.empty()) {
        name += "." + extension;
    }
}

std::string GetFileFolder(const std::string& path) {
    const size_t separator = path.find_last_of("\\/");
    return separator == std::string::npos ? std::string() : path.substr(0, separator);
}

std::string AddDataFolderPrefix(const std::string& name) {
    return Platform::IsAbsolutePath(name) ? name : "data\\" + name;
}

std::string MakeAbsolutePath(const std::string& path) {
    return BelowApplicationFolder(path);
}

void DeleteFolder(const std::string& path) {
    Platform::DeleteTree(BelowApplicationFolder(path));
}

void ListFolderFiles(const std::string& folder, const std::string& mask, std::vector<std::string>& out) {
    std::string base = MakeAbsolutePath(folder);
    if (base.empty() || !IsSeparator(base.back())) {
        base += "\\";
    }
    for (const Platform::FoundFile& found : Platform::FindFiles(base, mask)) {
        if (found.folder) {
            ListFolderFiles(base + found.name, mask, out);
        } else {
            out.push_back(base + found.name);
        }
    }
}

} // namespace ZorvaneEngine
