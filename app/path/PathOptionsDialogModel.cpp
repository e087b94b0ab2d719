#include "path/PathOptionsDialogModel.h"

#include "document/NumberText.h"

PathOptionsDialogModel PathOptionsDialogModel::ForPaths(const PolygonList& paths,
                                                       int32_t currentPath) {
    PathOptionsDialogModel model;
    for (int32_t i = 0; i < paths.count(); ++i) {
        model.pathEntries.push_back("Path-" + std::to_string(i + 1));
        model.pathLengths.push_back(PathLength(paths[i]));
    }
    model.selectPath(currentPath);
    return model;
}

std::string PathOptionsDialogModel::lengthText() const {
    if (selectedPath < 0) {
        return {};
    }
    return FormatFixed4(pathLengths[static_cast<size_t>(selectedPath)]);
}

void PathOptionsDialogModel::selectPath(int32_t index) {
    const bool valid = index >= 0 && static_cast<size_t>(index) < pathEntries.size();
    selectedPath = valid ? index : -1;
}

const std::vector<std::string>& DisplayMethodLabels() {
    static const std::vector<std::string> labels{"By Radius", "By Area", "By Color",
                                                 "By Radius+Color", "By Area+Color"};
    return labels;
}
