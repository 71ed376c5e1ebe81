// The unit-system tables.
#include "engine/fault.h"
#include "engine/units.h"

#include <gtest/gtest.h>

using namespace hyg;

TEST(UnitTables, EntriesOfTheThreeUnitSystems) {
    EXPECT_EQ(EnthalpyFactor(2), 4.186f);
    EXPECT_EQ(EnthalpyFactor(3), 1.7996f);
    EXPECT_EQ(VolumeFactor(3), 16.018f);
    EXPECT_EQ(KiloJouleFactor(1), 4.186f);
    EXPECT_EQ(KiloJouleFactor(3), 1.0551f);
    EXPECT_EQ(FlowFactor(3), 2.2046f);
    EXPECT_EQ(VolumeStep(3), 0.1f);
    EXPECT_EQ(EnthalpyStep(2), 5);
    EXPECT_EQ(HumidityLabel(2), "kg/kgDA"); // the same as unit system 1
    EXPECT_EQ(HumidityLabel(3), "lbm/lbmDA");
    EXPECT_EQ(EnthalpyLabel(3), "Btu/lbmDA");
    EXPECT_EQ(SpecificEnthalpyLabel(2), "kJ/kg");
    EXPECT_EQ(VolumeLabel(1), "m\u00b3/kgDA");
    EXPECT_EQ(VolumeLabel(3), "ft\u00b3/lbmDA");
    EXPECT_EQ(DensityLabel(3), "lbm/ft\u00b3");
    EXPECT_EQ(PressureUnitLabel(2), "kPa");
}

TEST(UnitTables, DisplayConversionsOfTheStandardState) {
    EXPECT_NEAR(12.09 * EnthalpyFactor(3), 21.76, 5e-3);
    EXPECT_NEAR(0.8583 * VolumeFactor(3), 13.75, 5e-3);
}

TEST(UnitTables, SpareEntriesAreEmptyAndOthersAreFaults) {
    for (int u : {0, 4, 5}) {
        EXPECT_EQ(EnthalpyFactor(u), 0.0f) << u;
        EXPECT_EQ(EnthalpyStep(u), 0) << u;
        EXPECT_EQ(EnthalpyLabel(u), "") << u;
        EXPECT_EQ(DensityLabel(u), "") << u;
    }
    for (int u : {-1, 6, 32767}) {
        EXPECT_THROW(EnthalpyFactor(u), IndexFault) << u;
        EXPECT_THROW(VolumeLabel(u), IndexFault) << u;
        EXPECT_THROW(PressureUnitLabel(u), IndexFault) << u;
    }
}
