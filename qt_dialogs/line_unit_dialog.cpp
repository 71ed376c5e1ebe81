#include "qt_dialogs/line_unit_dialog.h"

#include "qt_dialogs/about_dialog.h"
#include "qt_dialogs/dialog_buttons.h"
#include "chart/setting_ranges.h"
#include "engine/basic.h"
#include "engine/number_format.h"
#include "engine/psychro.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include <cmath>
#include <string>

namespace hyg {

namespace {

// The ratio list shows a tenth of what VertHorizRatio holds (0.3 .. 1.4).
constexpr const ValueList& kRatios = kVertHorizRatioList;

constexpr const char* kLineCaptions[8] = {
    "Draw &Relative Humidity", "Draw &Saturation Degree", "Draw Specific &Volume",      "Draw &Wet Bulb Temp.",
    "Draw &Partical Pressure", "Draw &Moisture Rate",     "Draw Sensible &Heat Factor", "Draw &Charactor",
};

// The units in the order of their option buttons.
constexpr std::array<PressureIn, 3> kPressureOptions{PressureIn::MmHg, PressureIn::KPa, PressureIn::Atm};
constexpr std::array<UnitSystem, 3> kUnitSystemOptions{UnitSystem::MetricKcal, UnitSystem::MetricKJ,
                                                       UnitSystem::Imperial};

template <class Unit, std::size_t N> std::size_t OptionOf(const std::array<Unit, N>& options, Unit unit) {
    for (std::size_t i = 0; i < N; ++i) {
        if (options[i] == unit)
            return i;
    }
    return 0;
}

// Index of an option group for a stored code, brought into 0..count-1 so
// that a code no option stands for still opens the dialog.
int Clamp(int v, int count) {
    return v < 0 ? 0 : (v >= count ? count - 1 : v);
}

template <std::size_t N> int CheckedIndex(const std::array<QRadioButton*, N>& options) {
    for (std::size_t i = 0; i < N; ++i) {
        if (options[i]->isChecked())
            return static_cast<int>(i);
    }
    return 0;
}

template <std::size_t N>
QGroupBox* OptionFrame(QWidget* parent, const char* name, const char* caption, const char* optionName,
                       const char* const (&captions)[N], std::array<QRadioButton*, N>& options) {
    auto* frame = new QGroupBox(caption, parent);
    frame->setObjectName(name);
    auto* layout = new QVBoxLayout(frame);
    layout->setSpacing(2);
    for (std::size_t i = 0; i < N; ++i) {
        options[i] = new QRadioButton(captions[i], frame);
        options[i]->setObjectName(QString("%1_%2").arg(optionName).arg(i));
        options[i]->setProperty("index", static_cast<int>(i));
        layout->addWidget(options[i]);
    }
    layout->addStretch(1);
    return frame;
}

} // namespace

DlgLineUnit::DlgLineUnit(ChartSettings& settings, QWidget* parent)
    : QDialog(parent)
    , settings_(settings) {
    setObjectName("DlgLineUnit");
    setModal(true);

    static const char* const pressureCaptions[3] = {"mm&Hg", "k&Pa", "&atm"};
    static const char* const enthalpyCaptions[3] = {"k&cal/kgDA", "k&J/kgDA", "&Btu/lbm"};
    static const char* const temperatureCaptions[2] = {"&C", "&F"};
    static const char* const typeCaptions[2] = {"&D.B.Temp.- Abs.Hum.", "&Enthalpy - Abs.Hum."};

    auto* units = new QGroupBox("&Unit Selection", this);
    units->setObjectName("Frame3D3");
    auto* unitsLayout = new QHBoxLayout(units);
    QGroupBox* pressureFrame = OptionFrame(units, "Frm_Unit_0", "&Pressure", "Op_Press", pressureCaptions, pressure_);
    QGroupBox* enthalpyFrame = OptionFrame(units, "Frm_Unit_1", "&Enthalpy", "Op_Ent", enthalpyCaptions, enthalpy_);
    QGroupBox* tempFrame = OptionFrame(units, "Frm_Unit_2", "&Temp.", "Op_Temp", temperatureCaptions, temperature_);
    for (int i = 0; i < 3; ++i) {
        QGroupBox* f = i == 0 ? pressureFrame : (i == 1 ? enthalpyFrame : tempFrame);
        f->setProperty("index", i);
        unitsLayout->addWidget(f, i == 2 ? 0 : 1);
    }

    QGroupBox* set2 = OptionFrame(this, "Set2", "Diagram &Type", "Op_Type", typeCaptions, type_);

    auto* set1 = new QGroupBox("Select &Line", this);
    set1->setObjectName("Set1");
    auto* set1Layout = new QVBoxLayout(set1);
    set1Layout->setSpacing(3);
    for (int k = 0; k < 8; ++k) {
        const auto i = static_cast<std::size_t>(k);
        lines_[i] = new QCheckBox(kLineCaptions[k], set1);
        lines_[i]->setObjectName(QString("Chck_Line_%1").arg(k));
        lines_[i]->setProperty("index", k);
        set1Layout->addWidget(lines_[i]);
    }
    set1Layout->addStretch(1);

    ratioTitle_ = new QLabel(this);
    ratioTitle_->setObjectName("Lbl_Title");
    ratios_ = new QListWidget(this);
    ratios_->setObjectName("List_Value");
    ratios_->setSelectionMode(QAbstractItemView::SingleSelection);
    ratios_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette pal = ratios_->palette();
    pal.setColor(QPalette::Inactive, QPalette::Highlight, pal.color(QPalette::Active, QPalette::Highlight));
    pal.setColor(QPalette::Inactive, QPalette::HighlightedText, pal.color(QPalette::Active, QPalette::HighlightedText));
    ratios_->setPalette(pal);
    connect(ratios_, &QListWidget::itemSelectionChanged, this, [this] {
        if (ratios_->selectedItems().isEmpty() && ratios_->currentItem())
            ratios_->currentItem()->setSelected(true);
    });
    ratioTitle_->setBuddy(ratios_);

    const OkCancelButtons okCancel = MakeOkCancelButtons(*this, [this] { storeControls(); });
    ok_ = okCancel.ok;
    cancel_ = okCancel.cancel;

    // Left: units, diagram type and the ratio list. Right: the line
    // families above the buttons.
    auto* ratioBox = new QHBoxLayout;
    ratioBox->addSpacing(8);
    ratioBox->addWidget(ratioTitle_, 0, Qt::AlignTop);
    ratioBox->addSpacing(8);
    ratioBox->addWidget(ratios_);
    ratioBox->addStretch(1);

    auto* left = new QVBoxLayout;
    left->addWidget(units);
    left->addWidget(set2);
    left->addSpacing(6);
    left->addLayout(ratioBox);
    left->addStretch(1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);

    auto* right = new QVBoxLayout;
    right->addWidget(set1);
    right->addStretch(1);
    right->addLayout(buttons);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(14, 12, 14, 12);
    layout->setSpacing(14);
    layout->addLayout(left, 1);
    layout->addLayout(right);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    loadControls();
    // Six ratios in view, as wide as the widest with the scroll bar.
    const int frame = 2 * ratios_->frameWidth();
    ratios_->setFixedSize(fontMetrics().horizontalAdvance("0.00") + ratios_->verticalScrollBar()->sizeHint().width() +
                              frame + 16,
                          ratios_->sizeHintForRow(0) * 6 + frame);
    ratios_->scrollToItem(ratios_->currentItem(), QAbstractItemView::PositionAtCenter);
    adjustSize();
    CentreOnScreen(*this);
}

void DlgLineUnit::loadControls() {
    setWindowTitle("Diagram Setting");
    type_[static_cast<std::size_t>(Clamp(settings_.DiagramType, 2))]->setChecked(true);
    for (std::size_t k = 0; k < lines_.size(); ++k) {
        if (LineOn(settings_, static_cast<ChartLine>(k)))
            lines_[k]->setChecked(true);
    }
    pressure_[OptionOf(kPressureOptions, settings_.PressureUnit)]->setChecked(true);
    enthalpy_[OptionOf(kUnitSystemOptions, settings_.EnthalpyUnit)]->setChecked(true);
    // The temperature options are not set from TemperatureUnit: they open on
    // deg C, the unit every display uses.
    temperature_[0]->setChecked(true);

    ratioTitle_->setText("Vert/Hori&z Rate");
    for (int k = 0; k < kRatios.count(); ++k) {
        ratios_->addItem(QString::fromStdString(FormatNumber(kRatios.item(k) / 10.0, "0.0")));
    }
    ratios_->setCurrentRow(kRatios.nearestItem(settings_.VertHorizRatio));
}

void DlgLineUnit::storeControls() {
    // Into a copy first: a fault part way through stores nothing.
    ChartSettings s = settings_;
    s.DiagramType = type_[1]->isChecked() ? 1 : 0;
    for (std::size_t k = 0; k < lines_.size(); ++k) {
        SetLineOn(s, static_cast<ChartLine>(k), lines_[k]->isChecked());
    }
    s.PressureUnit = kPressureOptions[static_cast<std::size_t>(CheckedIndex(pressure_))];
    s.Pressure = PressureFromMmHg(s.PressureMmHg, s.PressureUnit);
    s.EnthalpyUnit = kUnitSystemOptions[static_cast<std::size_t>(CheckedIndex(enthalpy_))];
    s.TemperatureUnit = static_cast<std::int16_t>(CheckedIndex(temperature_) + 1);

    const QList<QListWidgetItem*> chosen = ratios_->selectedItems();
    const QListWidgetItem* item = chosen.isEmpty() ? ratios_->currentItem() : chosen.first();
    const std::string text = item ? item->text().toStdString() : std::string();
    s.VertHorizRatio = Sgl(10 * LeadingNumber(text), "vertical-horizontal ratio");
    settings_ = s;
}

} // namespace hyg
