// UTF-16 file names and modes (the wide overloads) to the UTF-8 the system calls take.
#pragma once

#include <string>

namespace cellstore::detail {

// False for a null or malformed (unpaired surrogate) text.
bool Utf16ToUtf8(const char16_t* text, std::string& out);

}  // namespace cellstore::detail
