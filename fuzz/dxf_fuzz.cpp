// Feeds arbitrary bytes to the DXF readers: the layer table and every role's reader on the
// layers found (and on layer "0").
#include <cstddef>
#include <cstdint>
#include <string>

#include "document/DxfDrawing.h"
#include "document/DxfPlanReaders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const DxfDrawing drawing(std::string(reinterpret_cast<const char*>(data), size));
    std::vector<std::string> layers = drawing.readLayerNames();
    layers.resize(std::min<size_t>(layers.size(), 4));
    layers.push_back("0");
    for (const std::string& layer : layers) {
        (void)readBoundaryPolygon(drawing, layer);
        PolygonList walls;
        appendWallPolygons(drawing, layer, walls);
        PolygonList paths;
        appendPaths(drawing, layer, paths);
        std::vector<PlanPoint> points;
        appendCircleCentres(drawing, layer, points);
        std::vector<PlanSegment> axial;
        appendAxialSegments(drawing, layer, axial);
    }
    return 0;
}
