#pragma once
// The registry kept in text files. Each file holds sections named by the full
// key and "Name=Value" lines:
//     [SOFTWARE\Quobin Games\Tangrove]
//     Version=103
// Key and value names are compared ignoring case; blanks around "=" and
// around the name and value are not part of them.
#include <string>

namespace Platform {

// Reads valueName below key from the file at path (a program path, resolved
// as File::Open does). False when the file, the section or the value is missing.
bool ReadRegistryFile(const std::string& path, const std::string& key,
                      const std::string& valueName, std::string& value);

// The file holding the current user's values of key: the configuration folder
// ($XDG_CONFIG_HOME, else ~/.config) + "/<A>/<B>/registry.ini", where A and B
// are the last two components of the key. Empty when no folder is known.
std::string UserRegistryFile(const std::string& key);

} // namespace Platform
