#include "cli/CliIsovistMethod.h"

#include "document/DocumentSettings.h"

const std::vector<std::string>& IsovistMethodNames() {
    // Indexed by kExactNodeMethod, kApproximateRadialMethod, kExactVisibilityPolygonMethod.
    static const std::vector<std::string> names = {"exact", "radial", "visibility"};
    return names;
}

const std::string& IsovistMethodHelp() {
    static const std::string help =
        "exact (default: the node method), radial, or visibility (the exact visibility polygon)";
    return help;
}

int32_t IsovistMethodOfName(const std::string& name) {
    const std::vector<std::string>& names = IsovistMethodNames();
    for (size_t i = 0; i < names.size(); ++i) {
        if (names[i] == name) {
            return static_cast<int32_t>(i);
        }
    }
    return kExactNodeMethod;
}

std::string IsovistMethodName(int32_t method) {
    const std::vector<std::string>& names = IsovistMethodNames();
    return method >= 0 && static_cast<size_t>(method) < names.size()
               ? names[static_cast<size_t>(method)]
               : names[kExactNodeMethod];
}
