#pragma once
// Case folding, trimming, replacing, number formatting and the conversion
// between narrow text (bytes in the active code page) and wide text (UTF-16).
#include <cstdint>
#include <string>

namespace ZorvaneEngine {

void ToLowerCaseInPlace(std::string& text);
void ToLowerCaseInPlace(std::u16string& text);  // units from 256 up stay
std::string ToLowerCase(const std::string& text);
std::u16string ToLowerCase(const std::u16string& text);
void ToUpperCaseInPlace(std::string& text);
std::string ToUpperCase(const std::string& text);

void TrimLeft(std::string& text);
void TrimLeft(std::u16string& text);
void TrimRight(std::string& text);
void TrimRight(std::u16string& text);
std::string TrimRightCopy(const std::string& text);
std::u16string TrimRightCopy(const std::u16string& text);
std::u16string TrimLeftCopy(const std::u16string& text);
std::u16string Trim(const std::u16string& text);
void StripLeadingBackslashes(std::string& text);

// The search resumes behind the inserted text; an empty pattern changes nothing.
void ReplaceAll(std::string& text, const std::string& pattern, const std::string& replacement);
void ReplaceAll(std::u16string& text, const std::u16string& pattern, const std::u16string& replacement);
std::u16string ReplaceAllInCopy(const std::u16string& text, const std::u16string& pattern,
                                const std::u16string& replacement);
std::u16string RemoveAllInCopy(const std::u16string& text, const std::u16string& pattern);
void ReplaceAllNoCase(std::u16string& text, const std::u16string& pattern,
                      const std::u16string& replacement);

// width is the printf precision: at least that many digits, 0 for plain.
std::string IntToText(int32_t value, unsigned width = 0);
std::u16string IntToWideText(int32_t value, unsigned width = 0);
std::string UIntToText(uint32_t value, unsigned width = 0);
std::u16string UIntToWideText(uint32_t value, unsigned width = 0);
std::string FloatToText(float value, unsigned decimals);
std::string HexToText(uint32_t value);
std::string BoolToText(bool value);
// TextToInt(text) != 0.
bool TextToBool(const std::string& text);
// atoi, with a number beyond the 32-bit range clamped to its end instead of
// undefined; text that is no number reads 0.
int32_t TextToInt(const std::string& text);
// atof as a float, with a number beyond the float range (infinity too)
// clamped to the largest finite float of its sign. "nan" stays NaN for the
// caller to refuse.
float TextToFloat(const std::string& text);

// Unrepresentable units are dropped; the conversion ends at a zero unit.
std::string ToNarrow(const std::u16string& text);
void ConvertToNarrow(const std::u16string& text, std::string& out);
// The conversion ends at a zero byte.
std::u16string ToWide(const std::string& text);
void ConvertToWide(const std::string& text, std::u16string& out);

// UTF-8 for the platform's interfaces (window captions, message boxes).
std::string WideToUtf8(const std::u16string& text);
std::u16string Utf8ToWide(const std::string& text);

// The folder of the running program, without a trailing separator.
std::string GetApplicationFolder();

} // namespace ZorvaneEngine
