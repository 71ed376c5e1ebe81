// The calc command's table reader on any input, then the calculation of the
// rows it accepts and the tables in every output format for scripts. The
// first byte chooses the pressure unit and the unit system. Nothing may go
// wrong but the calculation's own typed faults (which it reports itself);
// every number cell of the tables must come out as a number in JSON.
#include "fuzz/fuzz_check.h"

#include "cli/calc_input.h"
#include "cli/calc_tables.h"
#include "cli/table_output.h"

#include "engine/messages.h"
#include "engine/number_format.h"
#include "engine/psychro.h"
#include "engine/state_points.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

namespace {

constexpr std::size_t kMaxInput = 2048;

class Silent : public hyg::Messenger {
public:
    void showMessage(const std::string&, const std::string&, hyg::MessageIcon) override {}
    void beep() override {}
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1 || size > kMaxInput)
        return 0;
    hyg::ChartSettings settings = hyg::DefaultChartSettings();
    settings.PressureUnit = *hyg::PressureUnitOfCode(1 + data[0] % 3);
    settings.EnthalpyUnit = *hyg::UnitSystemOfCode(1 + data[0] / 3 % 3);
    settings.Pressure = hyg::PressureFromMmHg(settings.PressureMmHg, settings.PressureUnit);

    hyg::ProcessData d{}; // braces: clang 14 crashes on the default-initialised form
    hyg::BuildInputTable(d, settings);
    d.UnitSystem = settings.EnthalpyUnit;
    d.flowText = "50";
    std::istringstream in(std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
    int rows = 0;
    if (hyg::ReadCalcRows(in, d, rows))
        return 0;
    FUZZ_EXPECT(rows >= 0 && rows <= hyg::InputTable::kRows, "at most six rows");

    Silent silent;
    hyg::StatePointList points;
    hyg::Calculate(d, settings, points, &silent);
    FUZZ_EXPECT(points.count >= 0 && points.count <= rows, "no more states than rows");

    for (const hyg::OutputFormat format : {hyg::OutputFormat::Tsv, hyg::OutputFormat::Csv, hyg::OutputFormat::Json}) {
        std::ostringstream out;
        hyg::TableWriter writer(out, format);
        hyg::WriteCalcTables(writer, d, settings.PressureUnit, rows);
        FUZZ_EXPECT(!out.str().empty(), "the tables are written");
    }
    for (int i = 1; i <= rows; ++i) {
        for (int j = 1; j <= hyg::PropertyTable::kColumns; ++j) {
            const std::string& cell = d.property.cell(i, j);
            FUZZ_EXPECT(cell.empty() || hyg::IsNumeric(hyg::ScriptNumber(cell)), "a property cell is a number");
        }
    }
    return 0;
}
