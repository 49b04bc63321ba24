#pragma once
// Path helpers shared by every subsystem. Paths are written the program's way
// ("data\ui\x.ini"); both "\" and "/" separate components. Whether a path is
// absolute is decided by Platform::IsAbsolutePath alone; a relative path is
// taken below the application folder.
#include <string>
#include <vector>

namespace ZorvaneEngine {

// The user's application-data folder, created when missing; empty on failure.
std::string GetApplicationDataFolder();

// A file or a folder exists.
bool FileExistsOnDisk(const std::string& path);

// Creates every folder of the path, from the left; the part after the last
// separator is a file name and is not created. Failures are ignored.
void CreateDirectories(const std::string& path);

// The text after the last "."; empty when there is none.
std::string GetFileExtension(const std::string& name);
// Compares the extension ignoring case.
bool HasFileExtension(const std::string& name, const std::string& extension);
// Replaces the text after the last "." (an empty extension removes the "."
// too); without a ".", appends "." + extension unless it is empty.
void SetFileExtension(std::string& name, const std::string& extension);
// The text before the last separator; empty when there is none.
std::string GetFileFolder(const std::string& path);

// "data\" + name, unless the name is absolute.
std::string AddDataFolderPrefix(const std::string& name);
// The path unchanged when absolute, else below the application folder.
std::string MakeAbsolutePath(const std::string& path);

// Deletes a folder tree (or a file) for good, silently.
void DeleteFolder(const std::string& path);

// Appends the full path of every file below the folder matching the mask.
// Sub-folders are entered only when their names match the mask too.
void ListFolderFiles(const std::string& folder, const std::string& mask, std::vector<std::string>& out);

} // namespace ZorvaneEngine
