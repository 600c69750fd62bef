// Windows-1251, the code page of knowledge-base files written by plain-text editors and of the
// fallback bytes in Rich Text.
#ifndef VEKSA_KB_CODEPAGE_H_
#define VEKSA_KB_CODEPAGE_H_

#include <optional>
#include <string>
#include <string_view>

namespace veksa {

// The character of one Windows-1251 byte (all 256 bytes map; 0x98 has no character in the code
// page and maps to U+0098, so every byte survives a round trip).
char16_t cp1251ToUnicode(unsigned char byte);
// The byte of a character, or nothing when Windows-1251 has no byte for it.
std::optional<unsigned char> unicodeToCp1251(char16_t ch);

std::u16string decodeCp1251(std::string_view bytes);
// Characters without a byte become '?'.
std::string encodeCp1251(std::u16string_view text);

// Windows-1252 for Rich Text written by Western writers (\ansicpg1252).
char16_t cp1252ToUnicode(unsigned char byte);

}  // namespace veksa

#endif  // VEKSA_KB_CODEPAGE_H_
