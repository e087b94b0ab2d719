// The isovist engine: the region visible from one point of the plan, as an ordered fan of
// radial lines from the point to the visible boundary.
//
// A pure, reentrant function over plain data: it reads the plan through PlanTables and works
// in a caller-owned IsovistScratch, so many threads may compute isovists of one plan at once
// (one scratch per thread). The document's ComputePointIsovist stores its results into the
// document's members.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "document/PlanTypes.h"
#include "isovist/IsovistAngleIndex.h"
#include "isovist/IsovistPlanIndex.h"
#include "isovist/IsovistVisibilityPolygon.h"

// The plan as the engine reads it. Polygon 0 is the boundary, polygons 1 onward are walls;
// the wall segments are every edge of every polygon, in polygon order.
struct PlanTables {
    std::span<const PlanPolygon> polygons;
    std::span<const PlanSegment> wallSegments;
    int32_t wallVertexCount = 0;
    // The hash of the tables made with them (isovist/PlanFingerprint.h), 0 when not known. The
    // plan caches of the scratch take a plan with their own known fingerprint as unchanged and
    // compare any other plan whole; so tables whose contents change get a new fingerprint.
    uint64_t fingerprint = 0;
};

// How the candidate segments of a sight line are found. Both give identical results; the
// full scan is the plain reference the indexed search is tested against. Indexed walks the
// radial method's rays through a grid of the wall segments, looks up the exact method's sight
// lines in an angular index, and tells the exact method's fall-back before sorting.
enum class CandidateSearch { FullScan, Indexed };

struct IsovistResult {
    enum class Outcome {
        NoWalls,        // no wall segments or vertices: nothing computed
        InvalidPoint,   // outside the boundary or inside a wall polygon
        UnknownMethod,  // a method code other than 0, 1 and 2
        Computed,
    };
    Outcome outcome = Outcome::NoWalls;
    PlanPoint origin;
    // True when the radial method ran (chosen, or as the exact method's fall-back).
    bool usedRadialMethod = false;
    // The radial lines of every ray that met a wall, before reduction (radial method only).
    std::vector<PlanSegment> unreducedRadialLines;
    // The final radial lines, counter-clockwise, after reduction.
    std::vector<PlanSegment> radialLines;
    // Area of the polygon of the line ends: -1 with fewer than 3 lines.
    double area = 0.0;
    // Its centroid; empty when the area is zero or there are fewer than 3 lines.
    std::optional<PlanPoint> centroid;
};

// Working tables of one request, kept between requests so that their memory is reused.
struct IsovistScratch {
    std::vector<double> lo;  // segment angle table
    std::vector<double> hi;
    // Which entries of the angle table belong to the current request (the walk fills it only
    // for the segments it meets), and which segments the current ray has met.
    std::vector<uint32_t> angleStamp;
    uint32_t requestStamp = 0;
    std::vector<uint32_t> rayStamp;
    uint32_t rayCounter = 0;
    IsovistPlanIndex planIndex;
    std::vector<uint64_t> angleKeys;  // the exact method's tie test
    struct Vertex {
        PlanPoint point;
        uint8_t flags = 0;
        double angle = 0.0;
        double distance = 0.0;
    };
    std::vector<Vertex> vertices;
    IsovistAngleIndex index;
    std::vector<double> reducedX;
    std::vector<double> reducedY;
    // The visibility-polygon method's arrangement of the plan and its outline of one request.
    IsovistVisibilityPolygon visibility;
    std::vector<PlanPoint> outline;
    std::vector<double> outlineAngles;
};

// Computes the isovist at `point` by `method` (0 exact node method, 1 approximate radial
// method, 2 exact visibility polygon) into `result`, reusing its storage.
//
// The visibility-polygon method takes the region an exact arrangement of the wall segments
// leaves visible from the point (no tie fall-back, no minimum crossing distance), and gives it
// as the other methods do: the polygon's vertices as line ends, counter-clockwise from the
// smallest angle (-pi, pi], reduced the same way. A point the validity test rejects gives the
// invalid-point result; a valid point on an edge or vertex of the drawing sees one open side
// (IsovistVisibilityPolygon::compute), or none: then the invalid-point result too.
void ComputeIsovistAt(const PlanTables& plan, PlanPoint point, int32_t method,
                    IsovistScratch& scratch, IsovistResult& result,
                    CandidateSearch search = CandidateSearch::Indexed);
