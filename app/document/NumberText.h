// Numbers as the dialogs and summaries show them.
#pragma once

#include <cstdio>
#include <string>

// The value with four decimals, as printf's "%.4f".
inline std::string FormatFixed4(double value) {
    char text[400];  // room for the largest double printed in full
    std::snprintf(text, sizeof text, "%.4f", value);
    return text;
}
