#include "utf16_name.h"

namespace cellstore::detail {

namespace {

void AppendUtf8(char32_t code, std::string& out) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

}  // namespace

bool Utf16ToUtf8(const char16_t* text, std::string& out) {
    out.clear();
    if (text == nullptr)
        return false;
    for (const char16_t* at = text; *at != 0; ++at) {
        char32_t unit = *at;
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            char32_t low = at[1];
            if (low < 0xDC00 || low > 0xDFFF)
                return false;
            AppendUtf8(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00), out);
            ++at;
        } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
            return false;
        } else {
            AppendUtf8(unit, out);
        }
    }
    return true;
}

}  // namespace cellstore::detail
