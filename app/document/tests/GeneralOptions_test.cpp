#include "document/GeneralOptions.h"

#include <gtest/gtest.h>

namespace {

TEST(GeneralOptions, ListsHoldTheirLabelsInValueOrder) {
    EXPECT_EQ(IsovistMethodLabels(),
              (std::vector<std::string>{"Exact - Node", "Approximate - Radial",
                                        "Exact - Visibility Polygon"}));
    EXPECT_EQ(UnitLabels(), (std::vector<std::string>{"mm", "cm", "m", "in", "ft"}));
    ASSERT_EQ(ColorRoleLabels().size(), static_cast<size_t>(kColorCount));
    EXPECT_EQ(ColorRoleLabels()[kColorPathText], "Path Text");
    EXPECT_EQ(ColorRoleLabels()[kColorAxialLines], "Axial Lines");
}

TEST(GeneralOptions, EditsStayInTheCopy) {
    const GeneralOptionsBlocks original;
    GeneralOptionsModel model(original);
    model.setColor(kColorWalls, Rgb(1, 2, 3));
    model.settings().m_unit = 4;
    model.acceptLayerNames({"a", "b", "c", "d"});
    EXPECT_EQ(original, GeneralOptionsBlocks{});
    EXPECT_EQ(model.blocks().settings.m_colors[kColorWalls], Rgb(1, 2, 3));
    EXPECT_EQ(model.blocks().settings.m_unit, 4);
}

TEST(GeneralOptions, ColoursOutsideTheTableAreIgnored) {
    GeneralOptionsModel model{GeneralOptionsBlocks{}};
    const auto before = model.blocks();
    model.setColor(-1, 5);
    model.setColor(kColorCount, 5);
    EXPECT_EQ(model.blocks(), before);
    EXPECT_EQ(model.color(kColorCount), 0u);
    // A colour keeps its top byte zero.
    model.setColor(kColorGrid, 0xFF123456u);
    EXPECT_EQ(model.color(kColorGrid), 0x00123456u);
}

TEST(GeneralOptions, RangeFieldsFollowManual) {
    GeneralOptionsModel model{GeneralOptionsBlocks{}};
    EXPECT_FALSE(model.rangeFieldsEnabled());
    model.settings().scaleRange = 1;
    EXPECT_TRUE(model.rangeFieldsEnabled());
}

TEST(GeneralOptions, LayerNamesAreStoredUpperCased) {
    GeneralOptionsModel model{GeneralOptionsBlocks{}};
    EXPECT_EQ(model.layerNamesForEditing(),
              (EditableLayerNames{"BOUNDARY", "WALLS", "PATH", "GLINES"}));
    model.acceptLayerNames({"outer", "Wände-2", "route", "ref lines"});
    EXPECT_EQ(model.layerNamesForEditing(),
              (EditableLayerNames{"OUTER", "WäNDE-2", "ROUTE", "REF LINES"}));
    EXPECT_EQ(model.blocks().layerNames.names[LayerNames::kReferenceLine], "REF LINES");
}

TEST(GeneralOptions, LongLayerNamesAreCutToTheField) {
    GeneralOptionsModel model{GeneralOptionsBlocks{}};
    model.acceptLayerNames({std::string(300, 'x'), "", "", ""});
    EXPECT_EQ(model.layerNamesForEditing()[0], std::string(LayerNames::kMaxNameLength, 'X'));
}

}  // namespace
