// Timing of a repaint of a 46,000-cell grid, run by hand (it asserts nothing):
//   orvelle_view_tests --gtest_also_run_disabled_tests --gtest_filter='*GridRepaint*'
// It prints the painter's repaint time and, beside it, one fill call per cell for comparison.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <chrono>
#include <cstdio>

#include "view/GridColoring.h"
#include "view/PlanPainter.h"

namespace {

TEST(GridRepaint, DISABLED_FortySixThousandCells) {
    CAnalysisGrid grid;
    grid.nx = 215;
    grid.ny = 214;  // 46,010 cells
    grid.count = grid.nx * grid.ny;
    grid.span = 1.0;
    for (int32_t row = 0; row < grid.ny; ++row) {
        for (int32_t column = 0; column < grid.nx; ++column) {
            CGridCell cell;
            cell.xMin = column;
            cell.xMax = column + 1.0;
            cell.yMin = row;
            cell.yMax = row + 1.0;
            cell.effective = 1;
            cell.isovist.area = (column * 7 + row * 13) % 101;
            grid.cells.push_back(cell);
        }
    }
    const std::vector<RadialStats> noRadial;
    PlanScene scene;
    scene.colors = DefaultColors();
    scene.show.fill(1);
    scene.show[kShowGrid] = 0;
    scene.show[kShowMarkers] = 0;
    scene.grid = &grid;
    scene.gridRadialStats = &noRadial;
    scene.gridResults = true;
    scene.gridDisplayProperty = 1;
    ViewTransform t;
    t.originY = 900;
    t.scale = 10.0;  // about 3.8 pixels per cell
    QImage image(1200, 900, QImage::Format_RGB32);

    using Clock = std::chrono::steady_clock;
    constexpr int kRuns = 20;
    auto time = [&](auto&& paint) {
        paint();  // warm up
        const auto start = Clock::now();
        for (int i = 0; i < kRuns; ++i) {
            paint();
        }
        return std::chrono::duration<double, std::milli>(Clock::now() - start).count() / kRuns;
    };
    const double batched = time([&] {
        QPainter painter(&image);
        PlanPainter(painter, t, image.size()).draw(scene);
    });
    const double perCell = time([&] {
        QPainter painter(&image);
        painter.translate(t.originX, t.originY);
        painter.scale(kPixelsPerLogicalUnit, -kPixelsPerLogicalUnit);
        const auto coloring = ColorGridCells(grid, noRadial, 1, scene.colorScale);
        for (const GridCellColor& c : coloring->cells) {
            const CGridCell& cell = grid.cells[static_cast<size_t>(c.index)];
            painter.setPen(Qt::NoPen);
            painter.setBrush(ColorFromRef(c.color));
            painter.drawRect(QRectF(
                QPointF(PlanToLogical(cell.xMin, t.scale), PlanToLogical(cell.yMax, t.scale)),
                QPointF(PlanToLogical(cell.xMax, t.scale), PlanToLogical(cell.yMin, t.scale))));
        }
    });
    scene.show[kShowGrid] = 1;
    scene.show[kShowMarkers] = 1;
    const double withLines = time([&] {
        QPainter painter(&image);
        PlanPainter(painter, t, image.size()).draw(scene);
    });
    std::printf(
        "46,010 cells, 1200x900: repaint %.2f ms (with grid lines and markers %.2f ms); "
        "one fill call per cell %.2f ms (%.1fx)\n",
        batched, withLines, perCell, perCell / batched);
}

}  // namespace
