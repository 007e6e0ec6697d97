// Printing a dialog: the printer set-up (QPrintDialog), then the form without its push
// buttons, scaled to fit the page. The buttons are shown again afterwards.
#pragma once

#include <QList>

class QWidget;
class QPushButton;

namespace tarvex {

// False when the person cancelled the printer set-up or nothing could be printed.
// `keep` lists buttons that stay visible on paper.
bool PrintForm(QWidget* form, const QList<QPushButton*>& keep = {});

}  // namespace tarvex
