// Printing a dialog through Qt's printer set-up.
#include "gui/common/PrintForm.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <algorithm>

namespace tarvex {

bool PrintForm(QWidget* form, const QList<QPushButton*>& keep) {
  if (form == nullptr) return false;
  QPrinter printer(QPrinter::HighResolution);
  QPrintDialog setup(&printer, form);
  if (setup.exec() != QDialog::Accepted) return false;
  QList<QPushButton*> hidden;
  for (QPushButton* b : form->findChildren<QPushButton*>()) {
    if (b->isVisible() && !keep.contains(b)) {
      b->hide();
      hidden.append(b);
    }
  }
  QPainter painter;
  bool printed = painter.begin(&printer);
  if (printed) {
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    const qreal scale = std::min(page.width() / form->width(), page.height() / form->height());
    painter.scale(scale, scale);
    form->render(&painter);
    printed = painter.end();
  }
  for (QPushButton* b : hidden) b->show();
  return printed;
}

}  // namespace tarvex
