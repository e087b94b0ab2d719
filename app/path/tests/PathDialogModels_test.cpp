// The logic the path dialogs and the Entropy Parameters dialog bind to.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "path/EntropyParamsDialogModel.h"
#include "path/PathDataTable.h"
#include "path/PathOptionsDialogModel.h"

namespace {

using Lines = std::vector<std::string>;

TEST(EntropyParamsDialog, SetsAndTheirLines) {
    EntropyParamsDialogModel model{EntropyParams{}};
    EXPECT_EQ(EntropyParamsDialogModel::SetEntries(),
              (Lines{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}));
    EXPECT_EQ(model.selectedSet(), 0u);
    EXPECT_EQ(model.thresholdLines(), (Lines{"0.0000", "3.0000", "12.0000", "25.0000", "140.0000"}));
    model.selectSet(1);  // 9 pi, 144 pi, 625 pi, 19600 pi
    EXPECT_EQ(model.thresholdLines(),
              (Lines{"0.0000", "28.2743", "452.3893", "1963.4954", "61575.2160"}));
    model.selectSet(3);
    EXPECT_EQ(model.thresholdLines(), (Lines{"-1.0000", "-0.6000", "-0.2000", "0.2000", "0.6000"}));
    model.selectSet(9);
    EXPECT_TRUE(model.thresholdLines().empty());
    model.selectSet(10);  // not an entry
    EXPECT_EQ(model.selectedSet(), 9u);
}

TEST(EntropyParamsDialog, SelectionKeptWhenTheNewSetHasTheLine) {
    EntropyParamsDialogModel model{EntropyParams{}};
    model.selectLine(4);
    model.selectSet(2);
    EXPECT_EQ(model.selectedLine(), 4u);
    model.selectSet(5);  // empty
    EXPECT_FALSE(model.selectedLine());
    model.selectLine(0);  // a line the empty set does not have
    EXPECT_FALSE(model.selectedLine());
}

TEST(EntropyParamsDialog, AddReadsLeadingDigitsOnly) {
    struct Case {
        const char* text;
        double added;
    };
    const Case cases[] = {
        {"0.5", 0.0},  {"7", 7.0},  {"12abc", 12.0}, {"  42", 42.0}, {"-3", -3.0},
        {"+8", 8.0},   {"abc", 0.0}, {"", 0.0},       {"1e3", 1.0},
        {"99999999999", 2147483647.0}, {"-99999999999", -2147483648.0},
    };
    for (const Case& c : cases) {
        EntropyParamsDialogModel model{EntropyParams{}};
        model.selectSet(6);
        ASSERT_TRUE(model.add(c.text)) << c.text;
        ASSERT_EQ(model.params().sets[6].size(), 1u);
        EXPECT_EQ(model.params().sets[6][0], c.added) << c.text;
    }
    EntropyParamsDialogModel model{EntropyParams{}};
    model.add("0.5");
    EXPECT_EQ(model.thresholdLines().back(), "0.0000");
    EXPECT_EQ(model.params().sets[0].size(), 6u);
}

TEST(EntropyParamsDialog, AFullSetTakesNoMore) {
    EntropyParamsDialogModel model{EntropyParams{}};
    model.selectSet(7);
    for (int i = 0; i < 100; ++i) {
        ASSERT_TRUE(model.add(std::to_string(i)));
    }
    EXPECT_FALSE(model.add("5"));
    EXPECT_EQ(model.params().sets[7].size(), 100u);
    EXPECT_EQ(model.params().sets[7].back(), 99.0);
}

TEST(EntropyParamsDialog, DeleteAndEdit) {
    EntropyParamsDialogModel model{EntropyParams{}};
    EXPECT_FALSE(model.deleteSelected());
    EXPECT_FALSE(model.edit(1.0));
    EXPECT_FALSE(model.selectedThreshold());

    model.selectLine(1);
    EXPECT_EQ(model.selectedThreshold(), 3.0);
    ASSERT_TRUE(model.deleteSelected());
    EXPECT_EQ(model.thresholdLines(), (Lines{"0.0000", "12.0000", "25.0000", "140.0000"}));
    EXPECT_EQ(model.selectedLine(), 1u);
    ASSERT_TRUE(model.edit(-2.25));  // neither sorted nor tested for sign
    EXPECT_EQ(model.thresholdLines(), (Lines{"0.0000", "-2.2500", "25.0000", "140.0000"}));
    model.selectLine(3);
    ASSERT_TRUE(model.deleteSelected());  // the last line: nothing left to select there
    EXPECT_FALSE(model.selectedLine());
    EXPECT_EQ(model.params().sets[0], (std::vector<double>{0, -2.25, 25}));
    // The other sets are untouched.
    EXPECT_EQ(model.params().sets[1], EntropyParams{}.sets[1]);
}

TEST(PathOptionsDialog, EntriesLengthsAndSelection) {
    PolygonList paths;
    paths.append(PlanPolygon({{0, 0}, {3, 4}, {3, 5}}));  // 5 + 1
    paths.append(PlanPolygon({{0, 0}, {0.5, 0}}));
    PathOptionsDialogModel model = PathOptionsDialogModel::ForPaths(paths, 1);
    EXPECT_EQ(model.pathEntries, (Lines{"Path-1", "Path-2"}));
    EXPECT_EQ(model.selectedPath, 1);
    EXPECT_EQ(model.lengthText(), "0.5000");
    model.selectPath(0);
    EXPECT_EQ(model.lengthText(), "6.0000");
    model.selectPath(2);
    EXPECT_EQ(model.selectedPath, -1);
    EXPECT_EQ(model.lengthText(), "");
    EXPECT_EQ(PathOptionsDialogModel::ForPaths(paths, -1).selectedPath, -1);
    EXPECT_EQ(PathOptionsDialogModel::ForPaths(PolygonList(), 0).selectedPath, -1);
    EXPECT_EQ(DisplayMethodLabels(),
              (Lines{"By Radius", "By Area", "By Color", "By Radius+Color", "By Area+Color"}));
}

TEST(PathOptionsDialog, CreateObservationPointsOpensOnCount) {
    ObservationPointsDialogModel model;
    EXPECT_EQ(model.request.mode, ObservationPointMode::ByNodeCount);
    EXPECT_EQ(model.request.count, 0);
    EXPECT_EQ(model.request.spacing, 0.0);
    EXPECT_FALSE(model.request.applyToAllPaths);
    EXPECT_TRUE(model.countFieldEnabled());
    EXPECT_FALSE(model.spacingFieldEnabled());
    model.request.mode = ObservationPointMode::ByNodeSpacing;
    EXPECT_FALSE(model.countFieldEnabled());
    EXPECT_TRUE(model.spacingFieldEnabled());
}

TEST(PathDataTable, TitlesWithUnitsAndRows) {
    IsovistRecord record;
    record.origin = {1.5, 2};
    record.centroid = {3, 4.25};
    record.area = 100;
    record.perimeter = 40;
    record.drift = 0.123456;
    record.occlusivity = 1;
    record.compactness = 2.5;
    record.circularity = 16;
    const std::vector<IsovistRecord> records{record, IsovistRecord{}};

    const PathDataTable exact = MakePathDataTable(2, records, {}, 0, 0);
    EXPECT_EQ(exact.currentPath, "Path-3");
    Lines titles;
    std::vector<int> widths;
    for (const PathDataColumn& c : exact.columns) {
        titles.push_back(c.title);
        widths.push_back(c.width);
    }
    EXPECT_EQ(titles, (Lines{"Index", "Origin X (mm)", "Origin Y (mm)", "Centroid X (mm)",
                             "Centroid Y (mm)", "Area (mm\xC2\xB2)", "Perimeter (mm)",
                             "Drift (mm)", "Occlusivity", "Compactness", "Circularity"}));
    EXPECT_EQ(widths, (std::vector<int>{50, 80, 80, 80, 80, 80, 80, 80, 80, 80, 80}));
    ASSERT_EQ(exact.rows.size(), 2u);
    EXPECT_EQ(exact.rows[0], (Lines{"0", "1.5000", "2.0000", "3.0000", "4.2500", "100.0000",
                                    "40.0000", "0.1235", "1.0000", "2.5000", "16.0000"}));
    EXPECT_EQ(exact.rows[1][0], "1");

    RadialStats stats;
    stats.mean = 5;
    stats.max = 7.5;
    stats.min = 2;
    stats.variance = 3.25;
    stats.elongation = 0.5;
    stats.autocorrelation = -0.75;
    const PathDataTable radial = MakePathDataTable(0, records, std::vector<RadialStats>{stats}, 1, 4);
    ASSERT_EQ(radial.columns.size(), 17u);
    EXPECT_EQ(radial.columns[1].title, "Origin X (ft)");
    EXPECT_EQ(radial.columns[11].title, "Mean Radial (ft)");
    EXPECT_EQ(radial.columns[13].title, "Min Radial (ft)");
    EXPECT_EQ(radial.columns[14].title, "Complexity");
    EXPECT_EQ(radial.columns[16].title, "Autocorrelation");
    EXPECT_EQ(Lines(radial.rows[0].begin() + 11, radial.rows[0].end()),
              (Lines{"5.0000", "7.5000", "2.0000", "3.2500", "0.5000", "-0.7500"}));
    // The second record has no statistics: its radial cells stay empty.
    ASSERT_EQ(radial.rows[1].size(), 17u);
    EXPECT_EQ(radial.rows[1][11], "");

    // A unit outside 0..4 adds nothing to the titles.
    EXPECT_EQ(MakePathDataTable(0, records, {}, 0, 9).columns[5].title, "Area");
}

}  // namespace
