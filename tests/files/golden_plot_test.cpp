// Every golden chart's plot file, byte for byte as pinned in tests/golden/plot.
#include "files/plot_file.h"

#include "tests/golden/golden_cases.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>

namespace hyg {
namespace {

TEST(GoldenPlotFiles, EveryChartByteForByte) {
    for (const test::GoldenCase& c : test::GoldenCases()) {
        Chart chart;
        chart.settings = DefaultChartSettings();
        c.set(chart.settings);
        std::ostringstream out;
        WritePlotFile(out, chart, nullptr);
        const std::string path = test::GoldenDir() + "/plot/" + c.name + ".plt";
        if (test::UpdatingGoldens()) {
            std::ofstream(path, std::ios::binary) << out.str();
            continue;
        }
        std::ifstream in(path, std::ios::binary);
        ASSERT_TRUE(in) << path;
        const std::string want((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const std::string got = out.str();
        // Name the first differing statement rather than dumping the files.
        const auto at = std::mismatch(got.begin(), got.end(), want.begin(), want.end()).second - want.begin();
        EXPECT_TRUE(got == want) << c.name << ": differs from the golden plot file at line "
                                 << std::count(want.begin(), want.begin() + at, '\n') + 1;
    }
}

} // namespace
} // namespace hyg
