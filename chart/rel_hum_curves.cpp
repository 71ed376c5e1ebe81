// Relative-humidity and saturation-degree curves: 29 levels from 2 % to
// 100 %, one point per whole degree, cut at the top edge and labelled once
// along the curve. The 100 % curve of either family is the saturation curve.
#include "chart/chart_driver.h"

#include "engine/basic.h"
#include "engine/number_format.h"

#include <cmath>

namespace hyg {

namespace {

enum class Family { RelHum, SatDegree };

// Direction of a label along the piece of curve from (x1, y1) to (x2, y2):
// the slope for the plotter and the angle for the screen. A vertical piece
// keeps slope 0 and turns the screen label by a right angle.
struct Direction {
    float slope = 0;
    float angle = 0;
};

Direction LabelDirection(double x1, double x2, double y1, double y2) {
    const double dx = x2 - x1, dy = y2 - y1;
    Direction d;
    if (std::fabs(dx) >= 0.00001) {
        d.slope = Sgl(dy / dx, "label slope");
        d.angle = Sgl(std::atan(d.slope));
    } else {
        d.angle = Sgl((dy > 0 ? 1 : dy < 0 ? -1 : 0) * kPi / 2);
    }
    return d;
}

// Humidity [g/kgDA] of the curve `level` at table index i. The relative
// humidity converts with 760 and 622 whatever the chart pressure.
float CurveHumidity(Family family, const SaturationTable& tab, float level, int i) {
    const double si = tab.S(i);
    if (family == Family::SatDegree)
        return Sgl(level * si, "saturation degree humidity");
    const float pws = Sgl(Div(760 * si, si + 622, "vapour pressure"), "vapour pressure");
    const float pw = Sgl(static_cast<double>(level) * pws, "vapour pressure");
    return Sgl(Div(622.0 * pw, 760.0 - pw, "relative humidity humidity"), "relative humidity humidity");
}

struct CurvePoint {
    float X = 0, Y = 0, x = 0;
};

CurvePoint CurveAt(Family family, const Chart& chart, float level, int i) {
    const ChartSettings& s = chart.settings;
    CurvePoint p;
    p.x = CurveHumidity(family, chart.table, level, i);
    double t = chart.table.T(i);
    if (family == Family::RelHum)
        t = CInt(t, "curve temperature");
    p.X = Sgl(ChartX(s, t, p.x), "curve X");
    p.Y = Sgl(ChartY(s, p.x), "curve Y");
    return p;
}

void DrawCurves(Family family, ChartDevice& dev, const Chart& chart, float& level, std::int16_t tempCount,
                std::int16_t idxMin, std::int16_t idxMax) {
    const ChartSettings& s = chart.settings;
    const bool rh = family == Family::RelHum;
    constexpr double kPolylineFactor = 0.06667; // twips to pixels on the polyline path

    if (dev.isFile()) {
        dev.PlotLine({rh ? "SP2" : "SP1", ETX});
        dev.PlotLine({"SI", F(s.PlotTextSize3), F(2.0f * s.PlotTextSize3), ETX});
    }
    const int labelIdx =
        rh ? idxMin + CInt(tempCount * 0.5, "label index") : CInt(tempCount * 3.0 / 4 + idxMin, "label index");

    PointBuffer& buffer = dev.pointBuffer();
    for (int j = 1; j <= 10; ++j) {
        const int m = j < 4 ? 5 : 2;
        for (int kk = 1; kk <= m; ++kk) {
            level = Sgl(static_cast<double>(Sgl(static_cast<double>(kk) / (m * 10))) + (j - 1) / 10.0, "level");
            const std::int16_t p = CInt(static_cast<double>(level) * 100, "level percentage");

            CurvePoint prev = CurveAt(family, chart, level, idxMin);
            int count = 1;
            if (dev.isDraw()) {
                buffer.at(0) = dev.ToPixel(prev.X, prev.Y, kPolylineFactor);
            } else if (dev.isFile()) {
                dev.PlotLine({"PU", F(prev.X), F(prev.Y)});
            }
            for (int i = idxMin; i <= idxMax; ++i) {
                const CurvePoint cur = CurveAt(family, chart, level, i);
                const int slot = i - idxMin + 1;
                if (rh && Sgl(static_cast<double>(level) * 500) >= Sgl(static_cast<double>(cur.Y) - s.OriginY) &&
                    Sgl(static_cast<double>(level) * 10) == Sgl(Int(static_cast<double>(cur.x) * 10))) {
                    // A skipped point near the bottom: the curve goes straight
                    // on from the previous point, so its buffer slot repeats it
                    // (the slot would otherwise hold a point of another curve).
                    if (dev.isDraw()) {
                        buffer.at(slot) = dev.ToPixel(prev.X, prev.Y, kPolylineFactor);
                        count = slot + 1;
                    }
                    continue;
                }
                // End point: the point itself, or where the piece from the
                // previous point reaches the top edge.
                float ex = cur.X, ey = cur.Y;
                if (!(cur.x < s.MaxAbsHum)) {
                    const double f = Div(static_cast<double>(s.MaxAbsHum) - prev.x, static_cast<double>(cur.x) - prev.x,
                                         "curve top crossing");
                    ex = Sgl(prev.X + f * (static_cast<double>(cur.X) - prev.X), "curve top crossing");
                    ey = Sgl(prev.Y + f * (static_cast<double>(cur.Y) - prev.Y), "curve top crossing");
                }
                if (dev.isDraw()) {
                    buffer.at(slot) = dev.ToPixel(ex, ey, kPolylineFactor);
                    count = slot + 1;
                } else if (dev.isFile()) {
                    dev.PlotLine({rh ? "LT4;" : "LT6;"});
                    dev.PlotLine({"PD", F(ex), F(ey)});
                }
                if (i == labelIdx) {
                    dev.SetLineStyle(kSolid);
                    if (rh) {
                        LabelRelHumCurve(dev, chart, prev.X, cur.X, prev.Y, cur.Y, p);
                    } else {
                        LabelSatDegreeCurve(dev, chart, prev.X, cur.X, prev.Y, cur.Y, p);
                    }
                    if (dev.isDraw())
                        dev.SetPoint(cur.X, cur.Y);
                }
                if (cur.x > s.MaxAbsHum)
                    break;
                prev = cur;
            }
            if (dev.isDraw()) {
                dev.SetPenColor(s.PenColor[rh ? 3 : 1]);
                if (rh)
                    dev.SetLineStyle(kDot);
                dev.DrawPolyline(buffer, count);
            } else if (dev.isFile()) {
                dev.PlotLine({ETX});
            }
        }
    }
    dev.SetLineStyle(kSolid);
}

} // namespace

void DrawRelHumCurves(ChartDevice& dev, const Chart& chart, std::int16_t tempCount, std::int16_t idxMin,
                      std::int16_t idxMax) {
    float level = 0;
    DrawCurves(Family::RelHum, dev, chart, level, tempCount, idxMin, idxMax);
}

void DrawSatDegreeCurves(ChartDevice& dev, const Chart& chart, float& lastSatDegree, std::int16_t tempCount,
                         std::int16_t idxMin, std::int16_t idxMax) {
    DrawCurves(Family::SatDegree, dev, chart, lastSatDegree, tempCount, idxMin, idxMax);
}

void LabelRelHumCurve(ChartDevice& dev, const Chart& chart, double x1, double x2, double y1, double y2,
                      std::int16_t p) {
    const ChartSettings& s = chart.settings;
    const double u = s.LabelUnit;
    const Direction d = LabelDirection(x1, x2, y1, y2);
    const float lx = Sgl(x1 - (std::cos(d.angle) - 1) * u, "label X");
    const float ly = Sgl(y1 - (std::sin(d.angle) + 1) * u, "label Y");
    const double size = (p / 100.0 + 3) * u / 6;
    if (dev.isDraw()) {
        if (p == 60)
            dev.DrawLabel(lx - 4 * 0.8 * u, ly - 2.5 * 0.8 * u, d.angle, "Phi", s.PenColor[3], 0.8 * u, true);
        dev.DrawLabel(lx, ly, d.angle, GeneralNumber(p), s.PenColor[3], size, false);
    } else if (dev.isFile()) {
        dev.PlotLine({"LT;", ETX});
        dev.PlotLine({"DI", "1,", FormatNumber(d.slope, "0.0000##"), ETX});
        if (p == 60) {
            dev.PlotLine({"PU", F(lx - 3.2 * u), ",", F(ly - 2 * u), ETX});
            dev.PlotLine({"LB", "Phi", ETX});
        }
        dev.PlotLine({"PU", F(lx), ",", F(ly), ETX});
        dev.PlotLine({"LB", FormatNumber(p, "##0"), ETX});
        dev.PlotLine({"DI 1, 0", ETX});
    }
}

void LabelSatDegreeCurve(ChartDevice& dev, const Chart& chart, double x1, double x2, double y1, double y2,
                         std::int16_t p) {
    const ChartSettings& s = chart.settings;
    const double u = s.LabelUnit;
    const Direction d = LabelDirection(x1, x2, y1, y2);
    const double c = std::cos(d.angle), sn = std::sin(d.angle);
    // The anchor moves back by the width of the number.
    const double back = p < 10 ? 0.5 : p < 100 ? 1.0 : 1.5;
    const double down = p < 10 ? 0.2 : p < 100 ? 0.6 : 1.1;
    const float lx = Sgl(x1 - back * u * c, "label X");
    const float ly = Sgl(y1 - down * u * sn, "label Y");
    const double size = (p / 100.0 + 2) * u / 3.5;
    if (dev.isDraw()) {
        if (p == 60)
            dev.DrawLabel(x1 - 4.5 * u, y1 - 4 * u, d.angle, "Psi", s.PenColor[0], u, true);
        dev.DrawLabel(lx, ly, d.angle, FormatNumber(p, "###"), s.PenColor[0], size, false);
    } else if (dev.isFile()) {
        dev.PlotLine({"LT;", ETX});
        dev.PlotLine({"DI", "1,", FormatNumber(d.slope, "0.0000##"), ETX});
        if (p == 60) {
            dev.PlotLine({"PU", D(lx - 20 * u * c), Zone, D(ly - 15 * u * sn), ETX});
            dev.PlotLine({"LB", "Psi", ETX});
        }
        dev.PlotLine({"PU", F(lx), F(ly), ETX});
        dev.PlotLine({"LB", FormatNumber(p, "##0"), ETX});
        dev.PlotLine({"DI 1,0;", ETX});
    }
}

} // namespace hyg
