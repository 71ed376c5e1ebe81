// The number readers on any text: the leading-number reader of the dialogs
// and the data file, the whole-text test and the input-table cell reader.
// They may raise only the overflow fault; they must agree with each other;
// the general and data-file forms of what they read, and the "##0.00" form
// the input table writes back, must read back as numbers. (Other display
// patterns may show a zero as "." or nothing, as intended.)
#include "fuzz/fuzz_check.h"

#include "engine/fault.h"
#include "engine/number_format.h"
#include "engine/state_solver.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace {

constexpr std::size_t kMaxInput = 256;

template <class F>
auto Overflowing(F read) -> std::optional<decltype(read())> {
    try {
        return read();
    } catch (const hyg::FloatingPointFault& fault) {
        FUZZ_EXPECT(fault.kind() == hyg::FloatingPointFault::Kind::Overflow, "only an overflow fault");
        return std::nullopt;
    }
}

void ExpectReadable(const std::string& text, const char* what) {
    FUZZ_EXPECT(hyg::IsNumeric(text), what);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > kMaxInput)
        return 0;
    const std::string text(reinterpret_cast<const char*>(data), size);

    const std::optional<double> leading = Overflowing([&] { return hyg::LeadingNumber(text); });
    const bool numeric = hyg::IsNumeric(text);
    const std::optional<float> cell = Overflowing([&] { return hyg::ReadCell(text); });

    if (leading)
        FUZZ_EXPECT(std::isfinite(*leading), "a leading number is finite");
    if (!numeric) {
        FUZZ_EXPECT(cell && *cell == hyg::kMissing, "a text that is no number reads as the missing value");
        return 0;
    }
    // A whole-text number: the cell is the leading number, rounded to a single.
    if (!leading) {
        FUZZ_EXPECT(!cell, "the cell overflows where the leading number does");
        return 0;
    }
    const bool fitsSingle = std::fabs(*leading) <= 3.4028234663852886e38;
    if (cell) {
        FUZZ_EXPECT(std::isfinite(*cell), "a cell is finite");
        FUZZ_EXPECT(*cell == static_cast<float>(*leading), "the cell and the leading number agree");
    } else {
        FUZZ_EXPECT(!fitsSingle || std::fabs(static_cast<float>(*leading)) > 3.4e38f,
                    "a cell overflows only beyond a single");
        return 0;
    }

    ExpectReadable(hyg::DataFileNumber(*cell), "the data-file form of a cell reads back");
    ExpectReadable(hyg::GeneralNumber(*cell), "the general form of a cell reads back");
    ExpectReadable(hyg::GeneralNumber(*leading, 15), "the general form of a double reads back");
    ExpectReadable(hyg::Str(*cell), "Str of a cell reads back");
    ExpectReadable(hyg::FormatNumber(*cell, "##0.00"), "the input table's written-back form reads back");
    for (const char* pattern : {"###.#####", "0.0000##", "0.0"})
        FUZZ_EXPECT(hyg::FormatNumber(*cell, pattern).size() < 80, "a formatted cell stays short");
    return 0;
}
