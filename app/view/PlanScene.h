// Everything the plan view draws, gathered from the document for one paint.
//
// The scene only points into the document's members; it is built at the start of a paint and
// dropped at its end, so it never outlives what it points to.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "document/AnalysisGrid.h"
#include "document/DocumentSettings.h"
#include "document/IsovistRecord.h"
#include "document/PlanTypes.h"
#include "view/ColorScale.h"

struct PlanScene {
    std::array<uint32_t, kColorCount> colors{};  // 0x00BBGGRR
    std::array<int32_t, kShowFlagCount> show{};

    const std::vector<PlanSegment>* wallSegments = nullptr;
    const PolygonList* referenceLines = nullptr;

    const PlanPolygon* pointIsovist = nullptr;
    PlanPoint isovistOrigin;
    PlanPoint isovistCentroid;
    double isovistArea = 0.0;

    std::vector<const PlanPolygon*> pathIsovists;
    const std::vector<IsovistRecord>* pathRecords = nullptr;
    const std::vector<RadialStats>* pathRadialStats = nullptr;
    int32_t pathDisplayProperty = 0;
    int32_t pathDisplayMethod = 0;
    int32_t pathCircleRadius = 0;
    const PolygonList* paths = nullptr;
    const PolygonList* observationPoints = nullptr;
    int32_t currentPath = -1;

    const std::vector<PlanPoint>* customPoints = nullptr;
    const std::vector<PlanSegment>* axialLines = nullptr;
    const std::vector<IsovistRecord>* axialRecords = nullptr;
    int32_t axialDisplayProperty = 0;

    const CAnalysisGrid* grid = nullptr;
    const std::vector<RadialStats>* gridRadialStats = nullptr;
    bool gridResults = false;
    int32_t gridDisplayProperty = 0;
    GridCellIndex currentCell;

    ColorScale colorScale;
    int32_t legendFamily = kLegendGrid;
    // The legend registry as the document holds it before the draw.
    std::array<double, 2> legendRange{};

    bool shows(int flag) const { return show[static_cast<size_t>(flag)] != 0; }
};
