#include "qt_dialogs/chart_range_dialog.h"

#include "qt_dialogs/about_dialog.h"
#include "qt_dialogs/dialog_buttons.h"
#include "chart/setting_ranges.h"
#include "engine/basic.h"
#include "engine/number_format.h"
#include "engine/psychro.h"
#include "engine/units.h"

#include <QAbstractItemView>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <string>

namespace hyg {

namespace {

// The row titles; the lists are the settings' own (chart/setting_ranges.h).
constexpr const char* kRowTitles[DlgChartRange::kRows] = {
    "&Pressure",           "M&in. Temp.",           "Max. &Temp.",
    "Max. Abs. &Hum.",     "&D.B.T. of SHF Origin", "&Abs.Hum. of SHF Origin",
    "Max. &Moisture Rate",
};

const ValueList& RowList(int k, PressureIn pressureUnit) {
    switch (k) {
    case 0:
        return PressureList(pressureUnit);
    case 1:
        return kMinDryBulbList;
    case 2:
        return kMaxDryBulbList;
    case 3:
        return kMaxAbsHumList;
    case 4:
        return kShfOriginDryBulbList;
    case 5:
        return kShfOriginAbsHumList;
    default:
        return kMaxMoistureRatioList;
    }
}

QString PressureUnitText(PressureIn unit) {
    return QString::fromStdString("[" + PressureUnitLabel(unit) + "]");
}

} // namespace

DlgChartRange::DlgChartRange(ChartSettings& settings, QWidget* parent)
    : QDialog(parent)
    , settings_(settings) {
    setObjectName("DlgChartRange");
    setModal(true);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(4);
    for (int k = 0; k < kRows; ++k) {
        const auto i = static_cast<std::size_t>(k);
        titles_[i] = new QLabel(this);
        titles_[i]->setObjectName(QString("Lbl_Title_%1").arg(k));
        titles_[i]->setProperty("index", k);
        titles_[i]->setWordWrap(true);
        titles_[i]->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);

        lists_[i] = new QListWidget(this);
        lists_[i]->setObjectName(QString("List_Value_%1").arg(k));
        lists_[i]->setProperty("index", k);
        lists_[i]->setSelectionMode(QAbstractItemView::SingleSelection);
        lists_[i]->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        // Every row shows its chosen value, not only the row with the focus.
        QPalette pal = lists_[i]->palette();
        pal.setColor(QPalette::Inactive, QPalette::Highlight, pal.color(QPalette::Active, QPalette::Highlight));
        pal.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     pal.color(QPalette::Active, QPalette::HighlightedText));
        lists_[i]->setPalette(pal);
        // A ctrl-click must not leave a row without a value.
        QListWidget* list = lists_[i];
        connect(list, &QListWidget::itemSelectionChanged, this, [list] {
            if (list->selectedItems().isEmpty() && list->currentItem())
                list->currentItem()->setSelected(true);
        });
        titles_[i]->setBuddy(lists_[i]);

        units_[i] = new QLabel(this);
        units_[i]->setObjectName(QString("lbl_Unit_%1").arg(k));
        units_[i]->setProperty("index", k);
        units_[i]->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

        grid->addWidget(titles_[i], 0, k);
        grid->addWidget(lists_[i], 1, k);
        grid->addWidget(units_[i], 2, k);
        grid->setColumnStretch(k, 1);
    }

    auto* label1 = new QLabel("To Change a Value, Return Number's Color to Blue from Red after Chenge it!", this);
    label1->setObjectName("Label1");

    const OkCancelButtons okCancel = MakeOkCancelButtons(*this, [this] { storeSelections(); });
    ok_ = okCancel.ok;
    cancel_ = okCancel.cancel;

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(label1);
    bottom->addStretch(1);
    bottom->addWidget(ok_);
    bottom->addWidget(cancel_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 12, 14, 12);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setWindowTitle("Diagram Setting");
    fillLists();

    // Columns as wide as the widest value plus the scroll bar, nine items high.
    int textWidth = fontMetrics().horizontalAdvance("-0000.000");
    for (QLabel* unit : units_)
        textWidth = std::max(textWidth, unit->sizeHint().width());
    for (QListWidget* list : lists_) {
        const int frame = 2 * list->frameWidth();
        list->setFixedSize(textWidth + list->verticalScrollBar()->sizeHint().width() + frame + 8,
                           list->sizeHintForRow(0) * 9 + frame);
        list->scrollToItem(list->currentItem(), QAbstractItemView::PositionAtCenter);
    }
    const int column = lists_[0]->width();
    for (QLabel* title : titles_) {
        title->setFixedWidth(column);
        title->setMinimumHeight(title->fontMetrics().lineSpacing() * 2);
    }
    for (QPushButton* b : {ok_, cancel_})
        b->setFixedWidth(std::max(b->sizeHint().width(), column));
    lists_[0]->setFocus();

    adjustSize();
    CentreOnScreen(*this);
}

void DlgChartRange::fillLists() {
    const PressureIn pressureUnit = settings_.PressureUnit;
    const UnitSystem unitSystem = settings_.EnthalpyUnit;
    const QString deg = QString::fromUtf8(kDeg);
    const QString humidity = QString::fromStdString("[x0.001" + HumidityLabel(unitSystem) + "]");

    const QString unitTexts[kRows] = {
        PressureUnitText(pressureUnit),
        "[" + deg + "C]",
        "[" + deg + "C] ",
        humidity,
        "[" + deg + "C] \"",
        humidity,
        QString::fromStdString("[" + SpecificEnthalpyLabel(unitSystem) + "]"),
    };
    const double values[kRows] = {
        settings_.Pressure,         settings_.MinDryBulb,      settings_.MaxDryBulb,       settings_.MaxAbsHum,
        settings_.ShfOriginDryBulb, settings_.ShfOriginAbsHum, settings_.MaxMoistureRatio,
    };

    for (int k = 0; k < kRows; ++k) {
        const auto i = static_cast<std::size_t>(k);
        const ValueList& row = RowList(k, pressureUnit);
        titles_[i]->setText(kRowTitles[k]);
        units_[i]->setText(unitTexts[k]);

        QListWidget* list = lists_[i];
        list->clear();
        QStringList items;
        items.reserve(row.count());
        for (int j = 0; j < row.count(); ++j) {
            items << QString::fromStdString(FormatNumber(row.item(j), row.pattern));
        }
        list->addItems(items);
        list->setCurrentRow(row.nearestItem(values[k]));
    }
}

void DlgChartRange::storeSelections() {
    // Into a copy first: a fault part way through stores nothing.
    ChartSettings s = settings_;
    float* fields[kRows] = {
        &s.Pressure,         &s.MinDryBulb,      &s.MaxDryBulb,       &s.MaxAbsHum,
        &s.ShfOriginDryBulb, &s.ShfOriginAbsHum, &s.MaxMoistureRatio,
    };
    for (int k = 0; k < kRows; ++k) {
        QListWidget* list = lists_[static_cast<std::size_t>(k)];
        const QList<QListWidgetItem*> chosen = list->selectedItems();
        const QListWidgetItem* item = chosen.isEmpty() ? list->currentItem() : chosen.first();
        const std::string text = item ? item->text().toStdString() : std::string();
        *fields[k] = Sgl(LeadingNumber(text), "chart range");
    }
    s.PressureMmHg = PressureToMmHg(s.Pressure, s.PressureUnit);
    settings_ = s;
}

} // namespace hyg
