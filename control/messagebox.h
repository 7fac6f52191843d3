#pragma once

#include <QMessageBox>

// A title bar without a maximize button: the window keeps one size.
constexpr Qt::WindowFlags kFixedSizeFrame =
    Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

// Whether Qt holds this program's windows at the largest size they ask for.
bool HeldAtLargestSize();

// A modal box with an OK button only. It settles its size whenever it shows
// or its layout changes: at least wide enough for its whole title between the
// title bar's buttons, and, where Qt would hold it at that size, taking a
// larger one when the window system gives it.
class MessageBox : public QMessageBox {
public:
    MessageBox(const QString& title, const QString& text, QWidget* parent);

protected:
    bool event(QEvent* event) override;
};
