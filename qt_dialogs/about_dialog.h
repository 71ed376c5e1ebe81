// The About box "About Hygrana", and the centring routine every dialog
// calls when it opens.
//
// Controls (object names): aLabel_0..4, Image1, ok_Button.
#pragma once

#include <QDialog>

namespace hyg {

// Centres a top-level form on the screen of its owner (its own screen when
// it has no owner, else the primary screen), showing the busy pointer while it moves. Call it after the
// form has its final size, before it is shown.
void CentreOnScreen(QWidget& form);

class DlgAbout : public QDialog {
    Q_OBJECT
public:
    explicit DlgAbout(QWidget* parent = nullptr);
};

} // namespace hyg
