// The path isovists: one record per observation point, serial and parallel runs bit for bit
// the same, progress in order.
#include "path/PathIsovists.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <variant>
#include <bit>
#include <cmath>
#include <cstdint>
#include <vector>

#include "document/DxfDrawing.h"
#include "document/DxfImportSteps.h"
#include "document/DxfPlanReaders.h"
#include "isovist/IsovistMeasures.h"
#include "path/ObservationPoints.h"
#include "testing/IsovistPlans.h"

namespace {

constexpr int32_t kExact = 0;
constexpr int32_t kRadial = 1;

class RecordingProgress : public ProgressSink {
  public:
    std::vector<int> positions;
    void beginPass(const std::string&, int, int) override {}
    void setPosition(int position) override { positions.push_back(position); }
};

const IsovistTestPlan& SquareRoom() {
    static const IsovistTestPlan room({Rectangle(0, 0, 10, 10, false)});
    return room;
}

// The record as stored, and its polygon, compared byte for byte.
::testing::AssertionResult SameRecord(const IsovistRecord& a, const IsovistRecord& b) {
    if (StoreIsovistRecord(a, 0) != StoreIsovistRecord(b, 0)) {
        return ::testing::AssertionFailure() << "fields differ";
    }
    if (a.polygon.count() != b.polygon.count()) {
        return ::testing::AssertionFailure() << "polygon sizes differ";
    }
    for (int32_t i = 0; i < a.polygon.count(); ++i) {
        if (std::bit_cast<uint64_t>(a.polygon[i].x) != std::bit_cast<uint64_t>(b.polygon[i].x) ||
            std::bit_cast<uint64_t>(a.polygon[i].y) != std::bit_cast<uint64_t>(b.polygon[i].y)) {
            return ::testing::AssertionFailure() << "polygon point " << i << " differs";
        }
    }
    return ::testing::AssertionSuccess();
}

TEST(PathIsovists, OneRecordPerPointInASquareRoom) {
    const std::vector<PlanPoint> points{{2, 5}, {5, 5}, {8, 5}, {12, 5}};
    for (const int32_t method : {kExact, kRadial}) {
        PathIsovistRun run;
        RecordingProgress progress;
        ComputePathIsovists(SquareRoom().tables(), points, method, run, progress);
        ASSERT_EQ(run.records.size(), points.size());
        EXPECT_EQ(run.radialStats.size(), method == kRadial ? points.size() : 0u);
        // The exact method sees the four corners; the radial method's rays miss them by a
        // little except from the centre.
        const double tolerance = method == kExact ? 1e-9 : 2e-2;
        for (size_t i = 0; i < 3; ++i) {
            const IsovistRecord& r = run.records[i];
            EXPECT_EQ(r.origin, points[i]);
            if (method == kExact || i == 1) {
                EXPECT_EQ(r.polygon.count(), 4) << method;
            }
            EXPECT_NEAR(r.area, 100.0, tolerance);
            EXPECT_NEAR(r.perimeter, 40.0, tolerance);
            EXPECT_NEAR(r.centroid.x, 5.0, tolerance);
            EXPECT_NEAR(r.drift, std::abs(points[i].x - 5.0), tolerance);
            EXPECT_NEAR(r.occlusivity, 1.0, tolerance);
        }
        if (method == kRadial) {
            EXPECT_DOUBLE_EQ(run.radialStats[1].rayCount, 1440.0);
            EXPECT_NEAR(run.radialStats[1].min, 5.0, 1e-9);
            EXPECT_NEAR(run.radialStats[1].max, 5.0 * std::sqrt(2.0), 1e-9);
            EXPECT_NEAR(run.radialStats[0].min, 2.0, 1e-9);
        }
        // A point outside the plan: a new record at the point with nothing seen.
        const IsovistRecord& outside = run.records[3];
        EXPECT_EQ(outside.origin, (PlanPoint{12, 5}));
        EXPECT_TRUE(outside.polygon.empty());
        EXPECT_EQ(outside.area, 0.0);
        EXPECT_EQ(outside.perimeter, 0.0);
        if (method == kRadial) {
            EXPECT_EQ(run.radialStats[3], RadialStats{});
        }
        EXPECT_EQ(progress.positions, (std::vector<int>{1, 2, 3, 4}));
    }
}

TEST(PathIsovists, NoWallsOrUnknownMethodGiveEmptyRecords) {
    const IsovistTestPlan empty({});
    const std::vector<PlanPoint> points{{1, 1}, {2, 2}};
    struct Case {
        const char* name;
        const IsovistTestPlan& plan;
        int32_t method;
    };
    const Case cases[] = {{"no walls", empty, kExact}, {"method 3", SquareRoom(), 3}};
    for (const Case& c : cases) {
        PathIsovistRun run;
        run.records.resize(5);  // an old run's records are replaced
        NullProgress progress;
        ComputePathIsovists(c.plan.tables(), points, c.method, run, progress);
        ASSERT_EQ(run.records.size(), 2u) << c.name;
        EXPECT_TRUE(run.radialStats.empty()) << c.name;
        for (size_t i = 0; i < 2; ++i) {
            EXPECT_EQ(run.records[i].origin, points[i]) << c.name;
            EXPECT_TRUE(run.records[i].polygon.empty()) << c.name;
            EXPECT_EQ(run.records[i].area, 0.0) << c.name;
        }
    }
}

// Points along a winding walk through a room full of pillars, some on pillar edges, some
// inside pillars and some on the boundary: every core gives what one gives.
TEST(PathIsovists, ParallelRunEqualsSerialRun) {
    const IsovistTestPlan plan = RoomWithPillars(160, 11);
    std::vector<PlanPoint> points;
    for (int i = 0; i < 240; ++i) {
        const double t = i * 0.37;
        points.push_back(PlanPoint{1.0 + std::fmod(t * 3.1, 58.0), 1.0 + std::fmod(t * 1.7, 58.0)});
    }
    points.push_back(plan.polygons[1][0]);        // a pillar corner
    points.push_back(PlanPoint{0.0, 30.0});       // on the boundary
    points.push_back(PillarRoomGap(2, 3));
    for (const int32_t method : {kExact, kRadial}) {
        PathIsovistRun serial;
        PathIsovistRun parallel;
        NullProgress progress;
        ComputePathIsovists(plan.tables(), points, method, serial, progress, PathRunMode::Serial);
        ComputePathIsovists(plan.tables(), points, method, parallel, progress,
                            PathRunMode::Parallel);
        ASSERT_EQ(serial.records.size(), parallel.records.size());
        size_t seen = 0;
        for (size_t i = 0; i < points.size(); ++i) {
            EXPECT_TRUE(SameRecord(serial.records[i], parallel.records[i])) << i << "/" << method;
            seen += serial.records[i].polygon.empty() ? 0 : 1;
        }
        EXPECT_GT(seen, points.size() / 2);
        ASSERT_EQ(serial.radialStats.size(), parallel.radialStats.size());
        for (size_t i = 0; i < serial.radialStats.size(); ++i) {
            EXPECT_EQ(StoreRadialStats(serial.radialStats[i]),
                      StoreRadialStats(parallel.radialStats[i]))
                << i;
        }
    }
}

// The same on a real floor (skipped without the shared plans): observation points along the
// extent's diagonal and every 25th wall vertex, where the exact method meets its hardest cases.
TEST(PathIsovists, ParallelRunEqualsSerialRunOnARealFloor) {
    const auto file = std::filesystem::path(ORVELLE_PLANS_DIR) / "tuebingen_sand_floor.dxf";
    auto loaded = DxfDrawing::load(file.string());
    if (!std::holds_alternative<DxfDrawing>(loaded)) {
        GTEST_SKIP() << "no shared plans at " << ORVELLE_PLANS_DIR;
    }
    const DxfDrawing& drawing = std::get<DxfDrawing>(loaded);
    PolygonList polygons;
    const auto boundary = ReadBoundaryPolygon(drawing, "valid_area").polygon;
    ASSERT_TRUE(boundary);
    polygons.append(*boundary);
    AppendWallPolygons(drawing, "walls", polygons);
    OrientPlanPolygons(polygons);
    const IsovistTestPlan plan(polygons.items());

    PlanPoint low = (*boundary)[0];
    PlanPoint high = low;
    for (const PlanPoint& p : boundary->points()) {
        low = {std::min(low.x, p.x), std::min(low.y, p.y)};
        high = {std::max(high.x, p.x), std::max(high.y, p.y)};
    }
    const PlanPolygon diagonal({low, high});
    std::vector<PlanPoint> points =
        PlaceObservationPoints(diagonal, {ObservationPointMode::ByNodeCount, 118}, {}).points();
    for (size_t i = 1; i < plan.polygons.size(); i += 25) {
        points.push_back(plan.polygons[i][0]);
    }
    for (const int32_t method : {kExact, kRadial}) {
        PathIsovistRun serial;
        PathIsovistRun parallel;
        NullProgress progress;
        ComputePathIsovists(plan.tables(), points, method, serial, progress, PathRunMode::Serial);
        ComputePathIsovists(plan.tables(), points, method, parallel, progress);
        ASSERT_EQ(serial.records.size(), points.size());
        size_t seen = 0;
        for (size_t i = 0; i < points.size(); ++i) {
            EXPECT_TRUE(SameRecord(serial.records[i], parallel.records[i])) << i << "/" << method;
            seen += serial.records[i].polygon.empty() ? 0 : 1;
        }
        EXPECT_GT(seen, 20u);
        for (size_t i = 0; i < serial.radialStats.size(); ++i) {
            EXPECT_EQ(StoreRadialStats(serial.radialStats[i]),
                      StoreRadialStats(parallel.radialStats[i]));
        }
    }
}

TEST(PathIsovists, ProgressText) {
    EXPECT_EQ(PathProgressText(0, 5), "0/5");
    EXPECT_EQ(PathProgressText(12, 1000), "12/1000");
}

}  // namespace
