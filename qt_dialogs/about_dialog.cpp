#include "qt_dialogs/about_dialog.h"

#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <array>
#include <cmath>

namespace hyg {

void CentreOnScreen(QWidget& form) {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    // A dialog not yet shown has no screen of its own: take its owner's.
    QScreen* screen = form.parentWidget() ? form.parentWidget()->screen() : form.screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (screen) {
        const QRect area = screen->geometry();
        const QSize size = form.size();
        form.move(area.left() + (area.width() - size.width()) / 2, area.top() + (area.height() - size.height()) / 2);
    }
    QGuiApplication::restoreOverrideCursor();
}

namespace {

// The program icon: a small chart with its frame, a few humidity lines and
// the saturation curve, drawn at the screen's pixel density.
QPixmap ProgramIcon(int side, qreal dpr) {
    QPixmap pm(QSize(side, side) * dpr);
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(2, 2, side - 4, side - 4);
    p.setPen(QPen(QColor(40, 40, 40), 1.5));
    p.setBrush(Qt::white);
    p.drawRoundedRect(r, 3, 3);

    const QRectF plot = r.adjusted(5, 5, -5, -5);
    p.setPen(QPen(QColor(0, 0, 255), 1));
    for (int i = 1; i <= 4; ++i) {
        const double y = plot.bottom() - plot.height() * i / 5.0;
        p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
    }
    // Saturation curve: humidity growing roughly exponentially with temperature.
    QPainterPath curve;
    const int n = 24;
    for (int i = 0; i <= n; ++i) {
        const double u = static_cast<double>(i) / n;
        const double v = (std::exp(2.4 * u) - 1.0) / (std::exp(2.4) - 1.0);
        const QPointF pt(plot.left() + u * plot.width(), plot.bottom() - v * plot.height());
        if (i == 0)
            curve.moveTo(pt);
        else
            curve.lineTo(pt);
    }
    p.setPen(QPen(QColor(255, 0, 0), 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(curve);
    // A process line with its two states.
    p.setPen(QPen(Qt::black, 1.5));
    const QPointF a(plot.left() + plot.width() * 0.78, plot.bottom() - plot.height() * 0.30);
    const QPointF b(plot.left() + plot.width() * 0.45, plot.bottom() - plot.height() * 0.18);
    p.drawLine(a, b);
    p.setBrush(Qt::black);
    p.drawEllipse(a, 1.8, 1.8);
    p.drawEllipse(b, 1.8, 1.8);
    return pm;
}

QFrame* Separator(QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace

DlgAbout::DlgAbout(QWidget* parent)
    : QDialog(parent) {
    setObjectName("DlgAbout");
    setWindowTitle("About Hygrana");
    setModal(true);
    setAttribute(Qt::WA_DeleteOnClose, false);

    std::array<QLabel*, 5> aLabel{};
    for (int i = 0; i < 5; ++i) {
        aLabel[static_cast<std::size_t>(i)] = new QLabel(this);
        aLabel[static_cast<std::size_t>(i)]->setObjectName(QString("aLabel_%1").arg(i));
        aLabel[static_cast<std::size_t>(i)]->setProperty("index", i);
    }
    aLabel[3]->setText("Hygrana Ver 5.0");
    QFont big = aLabel[3]->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    big.setBold(true);
    aLabel[3]->setFont(big);
    aLabel[0]->setText("Psychrometric Chart and Air-Conditioning Process Analysis");
    aLabel[1]->setText("Programing\nThe Hygrana developers");
    aLabel[4]->setText("Win32 System(Win95/WinNT)");

    auto* image = new QLabel(this);
    image->setObjectName("Image1");
    image->setPixmap(ProgramIcon(48, devicePixelRatio()));
    image->setFixedSize(52, 52);
    image->setAlignment(Qt::AlignCenter);

    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("ok_Button");
    ok->setDefault(true);
    ok->setMinimumWidth(88);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* text = new QVBoxLayout;
    text->addWidget(aLabel[3]);
    text->addWidget(aLabel[0]);
    text->addSpacing(4);
    text->addWidget(Separator(this));
    text->addWidget(aLabel[1]);
    text->addWidget(Separator(this));
    text->addWidget(aLabel[4]);

    auto* top = new QHBoxLayout;
    top->addWidget(image, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(text, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->addLayout(top);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    adjustSize();
    CentreOnScreen(*this);
}

} // namespace hyg
