// Windows-1252 bytes in the files, UTF-8 in memory.
#pragma once

#include <string>
#include <string_view>

namespace stk {

// Every byte becomes one character. The 27 bytes of 0x80-0x9F that the code
// page assigns take their characters (0x80 is €); the five it leaves
// unassigned (81, 8D, 8F, 90, 9D) become the control characters of the same
// number, so that every byte read is written back unchanged.
std::string cp1252_to_utf8(std::string_view bytes);

// The reverse. A character the code page cannot hold, and each byte of a
// malformed UTF-8 sequence, is written as '?'. CR characters are dropped: a
// field never carries a line end into the file.
std::string utf8_to_cp1252(std::string_view text);

}  // namespace stk
