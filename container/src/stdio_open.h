// Opening stdio streams by narrow or UTF-16 name and mode.
#pragma once

#include <cstdio>

namespace cellstore::detail {

FILE* OpenStream(const char* name, const char* mode);
FILE* OpenStream(const char16_t* name, const char16_t* mode);
bool ModeReads(const char* mode);
bool ModeReads(const char16_t* mode);

}  // namespace cellstore::detail
