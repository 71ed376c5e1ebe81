// The family symbols on the screen stand where the plot file puts them: at
// the 60 % curve of the relative-humidity and saturation-degree families.
#include "chart/canvas_writer.h"
#include "chart/chart_driver.h"

#include "tests/chart/recording_canvas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace hyg {
namespace {

using test::CanvasCall;
using test::Family;
using test::Laid;
using test::RecordingCanvas;

TEST(SymbolsOnScreen, PhiAndPsiLabelTheSixtyPercentCurves) {
    for (const auto& [family, symbol] : {std::pair{Family::RelHum, "Phi"}, std::pair{Family::SatDegree, "Psi"}}) {
        for (std::int16_t type : {0, 1}) {
            Laid l(10, 40, type);
            RecordingCanvas canvas;
            test::OnCanvas(l, family, canvas);
            const auto texts = canvas.of(CanvasCall::Kind::Text);
            int symbols = 0;
            for (std::size_t i = 0; i + 1 < texts.size(); ++i) {
                if (texts[i]->text != symbol)
                    continue;
                ++symbols;
                // The symbol comes right before the curve's number, close beside it.
                EXPECT_EQ(texts[i + 1]->text, "60") << symbol << " type " << type;
                EXPECT_LT(std::hypot(texts[i + 1]->x1 - texts[i]->x1, texts[i + 1]->y1 - texts[i]->y1), 40.0)
                    << symbol;
            }
            EXPECT_EQ(symbols, 1) << symbol << " type " << type;
        }
    }
}

} // namespace
} // namespace hyg
