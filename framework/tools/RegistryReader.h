#pragma once
// Reads a string value of the game's registry key: the machine-wide value
// first, then the current user's, through the platform's registry store
// (which holds strings only, so no value is of another type).
#include <string>

namespace GameTools {

// False when neither has the value, or when it does not fit the reader's
// 4096-byte buffer with its terminating zero; text is then left as it was.
// The text ends at its first zero byte.
bool ReadRegistryString(const std::string& keyPath, const std::string& valueName, std::string& text);

} // namespace GameTools
