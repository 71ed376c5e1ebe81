#include "chart/plot_file_writer.h"

#include "engine/basic.h"
#include "engine/number_format.h"

#include <algorithm>
#include <initializer_list>
#include <string>
#include <string_view>

namespace hyg {

namespace {

// ETX, the character with code 3 that closes most statements.
constexpr const char* kEtx = "\x03";

// Column width of a zone jump: a separator that pads with blanks to the
// next multiple of 14 columns.
constexpr int kZoneWidth = 14;

// UTF-8 text of the program to the Windows-1252 bytes of the plot file. Only
// characters of Latin-1 occur in chart texts (the degree sign, superscript
// three); anything else becomes '?'.
std::string ToCp1252(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if ((c & 0xE0) == 0xC0 && i + 1 < s.size()) {
            const unsigned cp = ((c & 0x1Fu) << 6) | (static_cast<unsigned char>(s[i + 1]) & 0x3Fu);
            out.push_back(cp < 0x100 ? static_cast<char>(cp) : '?');
            ++i;
        } else {
            out.push_back('?');
            while (i + 1 < s.size() && (static_cast<unsigned char>(s[i + 1]) & 0xC0) == 0x80)
                ++i;
        }
    }
    return out;
}

} // namespace

// One item of a statement: a text as it stands, a number in single or
// double precision (its text and one blank after it), or a zone jump. A
// text item only refers to its characters: statements are written within
// the expression that makes their items.
struct PlotItem {
    enum class Kind { Text, Single, Double, Zone };
    Kind kind = Kind::Text;
    std::string_view text;
    double number = 0;

    PlotItem(const char* s)
        : text(s) {}
    PlotItem(const std::string& s)
        : text(s) {}
    PlotItem(Kind k, double v)
        : kind(k)
        , number(v) {}
};

namespace {

// A coordinate stored as a single, or kept as a double.
PlotItem Single(double v) {
    return {PlotItem::Kind::Single, static_cast<double>(static_cast<float>(v))};
}
PlotItem Double(double v) {
    return {PlotItem::Kind::Double, v};
}
const PlotItem Zone{PlotItem::Kind::Zone, 0};

} // namespace

// Writes statements: items in turn, then CR LF. Numbers must be finite: a
// non-finite value raises FloatingPointFault before anything of the
// statement is written.
class PlotStatements {
public:
    explicit PlotStatements(std::ostream& os)
        : os_(os) {}

    void statement(std::initializer_list<PlotItem> items) {
        for (const PlotItem& item : items) {
            if (item.kind == PlotItem::Kind::Single || item.kind == PlotItem::Kind::Double)
                Checked(item.number, "plot number");
        }
        for (const PlotItem& item : items) {
            switch (item.kind) {
            case PlotItem::Kind::Text:
                if (std::all_of(item.text.begin(), item.text.end(), [](char c) { return (c & 0x80) == 0; }))
                    write(item.text);
                else
                    write(ToCp1252(item.text));
                break;
            case PlotItem::Kind::Single:
                write(PrintNumber(item.number, 7));
                break;
            case PlotItem::Kind::Double:
                write(PrintNumber(item.number, 15));
                break;
            case PlotItem::Kind::Zone: {
                const int next = (column_ / kZoneWidth + 1) * kZoneWidth;
                write(std::string(static_cast<std::size_t>(next - column_), ' '));
                break;
            }
            }
        }
        os_ << "\r\n";
        column_ = 0;
        if (!os_)
            throw RunTimeFault("plot file write failed");
    }

private:
    void write(std::string_view s) {
        os_ << s;
        column_ += static_cast<int>(s.size());
    }
    std::ostream& os_;
    int column_ = 0;
};

PlotFileWriter::PlotFileWriter(std::ostream& out)
    : out_(out)
    , statements_(std::make_unique<PlotStatements>(out)) {}

PlotFileWriter::~PlotFileWriter() = default;

void PlotFileWriter::header(const ChartSettings& s) {
    auto whole = [](std::int32_t v) { return Double(v); };
    statements_->statement({"IN", kEtx});
    statements_->statement({"IP", whole(s.PlotterP1X), ",", whole(s.PlotterP1Y), ",", whole(s.PlotterP2X), ",",
                            whole(s.PlotterP2Y), kEtx});
    statements_->statement({"SC", Single(s.PlaneXMin), ",", Single(s.PlaneXMax), ",", Single(s.PlaneYMin), ",",
                            Single(s.PlaneYMax), kEtx});
    statements_->statement({"VS20", kEtx});
    statements_->statement({"SP1", kEtx});
}

void PlotFileWriter::closing() {
    statements_->statement({kEtx});
    out_.flush();
    if (!out_)
        throw RunTimeFault("plot file write failed");
}

void PlotFileWriter::pen(Pen p) {
    if (p.plotter != 0)
        statements_->statement({"SP" + std::to_string(p.plotter), kEtx});
}

void PlotFileWriter::lineStyle(Dash d) {
    statements_->statement({d.plotter == 0 ? std::string("LT;") : "LT" + std::to_string(d.plotter) + ";", kEtx});
}

void PlotFileWriter::textSize(float plotWidth) {
    statements_->statement({"SI", Single(plotWidth), Single(2.0 * plotWidth), kEtx});
}

void PlotFileWriter::direction(const PlotDirection& d) {
    statements_->statement({"DI", d.spaced ? " 1," : "1,", FormatNumber(d.slope, d.pattern), kEtx});
}

void PlotFileWriter::resetDirection(DirectionReset form) {
    statements_->statement({form == DirectionReset::Spaced ? "DI 1, 0" : "DI 1,0;", kEtx});
}

void PlotFileWriter::position(const char* command, PlotPoint p, PlotForm form) {
    const PlotItem x = form.wide ? Double(p.x) : Single(p.x);
    const PlotItem y = form.wide ? Double(p.y) : Single(p.y);
    const PlotItem between =
        form.separator == Separator::Zone ? Zone : PlotItem(form.separator == Separator::Comma ? "," : "");
    if (form.closed)
        statements_->statement({command, x, between, y, kEtx});
    else
        statements_->statement({command, x, between, y});
}

void PlotFileWriter::move(PlotPoint p, PlotForm form) {
    position("PU", p, form);
}

void PlotFileWriter::segment(PlotPoint a, PlotPoint b, SegmentForm form) {
    position("PU", a, {form.separator, form.closedMove});
    position("PD", b, {form.separator, true});
}

void PlotFileWriter::beginPolyline(PlotPoint first, Dash dash) {
    polylinePattern_ = dash.plotter;
    position("PU", first, {});
}

void PlotFileWriter::polylineTo(PlotPoint p) {
    // Labels set along a curve switch the plotter to solid lines, so every
    // vertex states the curve's pattern again.
    statements_->statement({"LT" + std::to_string(polylinePattern_) + ";"});
    position("PD", p, {});
}

void PlotFileWriter::endPolyline() {
    statements_->statement({kEtx});
}

void PlotFileWriter::circle(PlotPoint centre, double radius, CircleForm form) {
    position("PU", centre, {});
    if (form == CircleForm::Whole)
        statements_->statement({"CI", ",", Double(CLng(radius)), ",", Double(0), kEtx});
    else
        statements_->statement({"CI", ",", Single(radius), ", 0", kEtx});
}

void PlotFileWriter::arc(const ArcSpec& a) {
    position("PU", a.plotStart, {});
    statements_->statement({"PD", "AA", Single(a.centre.x), ",", Single(a.centre.y), Double(a.plotSweep)});
}

void PlotFileWriter::text(const Label& l) {
    if (!l.onPlot)
        return;
    if (!l.plotAtPen)
        position("PU", l.plotAt.value_or(l.at), l.plotForm);
    if (l.plotText)
        statements_->statement({"LB", *l.plotText, kEtx});
    else if (l.number && l.plotPattern)
        statements_->statement({"LB", FormatNumber(*l.number, l.plotPattern), kEtx});
    else if (l.number)
        statements_->statement({"LB", Double(*l.number), kEtx});
    else
        statements_->statement({"LB", l.text, kEtx});
}

} // namespace hyg
