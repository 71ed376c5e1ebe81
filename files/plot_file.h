// The HPGL plot file of the chart: character sizes for the paper, the header
// that maps the chart plane onto the paper, the chart drawn in "file" mode
// and the closing line.
//
// Plain C++ (no window system): the window's Output command and the command
// line both write through here.
#pragma once

#include "chart/chart_settings.h"
#include "engine/messages.h"
#include "files/atomic_file.h"

#include <cstdint>
#include <ostream>
#include <string>

namespace hyg {

// The plotter papers of the paper-size menu: A3 (index 0), B4 (1), A4 (2).
enum class PlotterPaper : std::int16_t { A3 = 0, B4 = 1, A4 = 2 };

// Plotter units of the far corner P2 on each paper (P1 is always 0, 0).
// The height is the width times 3150 / 4500 (single precision), rounded to
// the nearest whole unit with halves to even.
std::int32_t PaperWidth(PlotterPaper paper);
std::int32_t PaperHeight(PlotterPaper paper);

// Sets PlotterP1X/P1Y to 0 and P2X/P2Y to the paper's corner.
void SetPlotterPaper(ChartSettings& s, PlotterPaper paper);

// Computes PlotTextSize1..4 for the paper and the chart's temperature range
// and returns the factor K they derive from:
//   K = 60000 * ((P2X - P1X) / 15000) / nX / nT, nX = CInt(plane width),
//   nT = CInt(MaxDryBulb - MinDryBulb); sizes 50 K, 0.7 K, 0.4 K, 0.35 K.
// A zero nT (or nX) raises FloatingPointFault and leaves the sizes unchanged.
float PlotCharacterSizes(ChartSettings& s);

// Writes the whole plot file to `out`: character sizes, the header, the
// layout (its top-humidity notice goes to `messenger`), the chart in "file"
// mode and a last line holding only ETX. Raises RunTimeFault (or one of its
// kinds) on any failure, including a failed stream.
void WritePlotFile(std::ostream& out, Chart& chart, Messenger* messenger);

// The same into the file `path` (created or replaced as a whole, see
// WriteFileAtomically). On any failure RunTimeFault (IoFault for the disk)
// is raised and an earlier file of that name is left as it was; the caller
// reports "'Save...'".
FileReplacement WritePlotFile(const std::string& path, Chart& chart, Messenger* messenger);

} // namespace hyg
