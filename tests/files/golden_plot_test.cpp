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
        if (got == want)
            continue;
        // Name the first differing statement rather than dumping the files.
        std::size_t at = 0;
        while (at < got.size() && at < want.size() && got[at] == want[at])
            ++at;
        const std::size_t line = static_cast<std::size_t>(std::count(want.begin(), want.begin() + at, '\n')) + 1;
        ADD_FAILURE() << c.name << ": differs from the golden plot file at byte " << at << " (line " << line
                      << "), sizes " << got.size() << " and " << want.size();
    }
}

} // namespace
} // namespace hyg
