#include "files/plot_file.h"

#include "chart/plane.h"
#include "chart/plot_file_writer.h"
#include "chart/chart_driver.h"
#include "engine/basic.h"

#include <sstream>

namespace hyg {

namespace {

// Width of P2 in plotter units for each paper of the menu.
constexpr std::int32_t kPaperWidths[] = {15000, 12500, 10000};

// The plot's A3 width: the paper factor is the paper width over this one.
constexpr double kA3Width = 15000;

std::size_t PaperIndex(PlotterPaper paper) {
    const auto i = static_cast<int>(paper);
    if (i < 0 || i > 2)
        throw IndexFault("plotter paper " + std::to_string(i));
    return static_cast<std::size_t>(i);
}

} // namespace

std::int32_t PaperWidth(PlotterPaper paper) {
    return kPaperWidths[PaperIndex(paper)];
}

std::int32_t PaperHeight(PlotterPaper paper) {
    // The paper takes the proportion of the plane's upper right corner,
    // worked out in single precision as the menu does.
    const float ratio = static_cast<float>(static_cast<double>(kPlaneYMax) / kPlaneXMax);
    return CLng(static_cast<double>(Sgl(static_cast<double>(PaperWidth(paper)) * ratio)), "PlotterP2Y");
}

void SetPlotterPaper(ChartSettings& s, PlotterPaper paper) {
    s.PlotterP1X = 0;
    s.PlotterP1Y = 0;
    s.PlotterP2X = PaperWidth(paper);
    s.PlotterP2Y = PaperHeight(paper);
}

float PlotCharacterSizes(ChartSettings& s) {
    const float paper = Sgl((static_cast<double>(s.PlotterP2X) - s.PlotterP1X) / kA3Width, "paper factor");
    const std::int16_t nX = CInt(static_cast<double>(s.PlaneXMax) - s.PlaneXMin, "plane width");
    const std::int16_t nT = CInt(static_cast<double>(s.MaxDryBulb) - s.MinDryBulb, "temperature span");
    const float k = Sgl(Div(Div(60000.0 * paper, nX, "character size"), nT, "character size"), "character size");
    const float size1 = Sgl(50 * static_cast<double>(k));
    const float size2 = Sgl(0.7 * k);
    const float size3 = Sgl(0.4 * k);
    const float size4 = Sgl(0.35 * k);
    s.PlotTextSize1 = size1;
    s.PlotTextSize2 = size2;
    s.PlotTextSize3 = size3;
    s.PlotTextSize4 = size4;
    return k;
}

void WritePlotFile(std::ostream& out, Chart& chart, Messenger* messenger) {
    ChartSettings& s = chart.settings;
    PlotCharacterSizes(s);

    PlotFileWriter writer(out);
    writer.header(s);
    const ChartFrame frame = LayoutChart(chart, messenger);
    CountDrawing(s);
    DrawChart(writer, chart, frame);
    writer.closing();
}

FileReplacement WritePlotFile(const std::string& path, Chart& chart, Messenger* messenger) {
    // The whole file is drawn into memory first: a failure of the drawing or
    // of the disk leaves an earlier file of that name as it was.
    std::ostringstream out(std::ios::binary);
    WritePlotFile(out, chart, messenger);
    return WriteFileAtomically(path, out.str());
}

} // namespace hyg
