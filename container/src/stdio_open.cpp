#include "stdio_open.h"

#include <cstring>
#include <string>

#include "utf16_name.h"

namespace cellstore::detail {

FILE* OpenStream(const char* name, const char* mode) {
    if (name == nullptr || mode == nullptr)
        return nullptr;
    return std::fopen(name, mode);
}

FILE* OpenStream(const char16_t* name, const char16_t* mode) {
    std::string narrowName;
    std::string narrowMode;
    if (!Utf16ToUtf8(name, narrowName) || !Utf16ToUtf8(mode, narrowMode))
        return nullptr;
    return std::fopen(narrowName.c_str(), narrowMode.c_str());
}

bool ModeReads(const char* mode) {
    return mode != nullptr && std::strchr(mode, 'r') != nullptr;
}

bool ModeReads(const char16_t* mode) {
    for (const char16_t* at = mode; at != nullptr && *at != 0; ++at) {
        if (*at == u'r')
            return true;
    }
    return false;
}

}  // namespace cellstore::detail
