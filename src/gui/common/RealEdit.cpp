// Key filtering, Enter/Escape and focus handling of the real-number edit.
#include "gui/common/RealEdit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>

#include "core/common/Prompter.h"

namespace tarvex {

TRealEdit::TRealEdit(RealField& field, const QString& name, QWidget* parent)
    : QLineEdit(parent), field_(&field) {
  setObjectName(name);
  ShowField();
  connect(this, &QLineEdit::textEdited, this, &TRealEdit::UserEdited);
}

void TRealEdit::SetField(RealField& field) {
  field_ = &field;
  ShowField();
}

void TRealEdit::SetQuantity(const QString& quantity, const QString& unit) {
  setToolTip(unit.isEmpty() ? quantity : QStringLiteral("%1 [%2]").arg(quantity, unit));
}

void TRealEdit::ShowField() {
  const QString t = QString::fromStdString(field_->Text());
  if (t != text()) setText(t);
}

void TRealEdit::UserEdited(const QString& typed) {
  QString t = typed.toUpper();
  if (t != typed) {
    const int caret = cursorPosition();
    setText(t);
    setCursorPosition(caret);
  }
  const std::string s = t.toStdString();
  if (userEdit_) {
    userEdit_(s);
  } else {
    field_->SetText(s);
  }
}

void TRealEdit::BeepRejected() {
  ++rejected_;
  if (prompter_ != nullptr) {
    prompter_->Beep(MessageKind::Warning);
  } else {
    QApplication::beep();
  }
}

void TRealEdit::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    if (text().toStdString() != field_->Text()) UserEdited(text());
    field_->Enter();
    ShowField();
    emit enterPressed();
    if (next_) next_->setFocus(Qt::TabFocusReason);
    if (consumeEnter_) {
      event->accept();
    } else {
      event->ignore();  // the dialog presses its default button
    }
    return;
  }
  if (key == Qt::Key_Escape) {
    if (field_->Modified() || text().toStdString() != field_->Text()) {
      field_->Escape();
      ShowField();
      event->accept();
      return;
    }
    QLineEdit::keyPressEvent(event);  // nothing to undo: the dialog may close
    return;
  }
  const QString typed = event->text();
  const bool printable = typed.size() == 1 && typed[0].isPrint() &&
                         !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
  if (!printable) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  const QChar upper = typed[0].toUpper();
  if (upper.unicode() > 0x7F) {
    BeepRejected();
    event->accept();
    return;
  }
  // The text as it is without the selection, which the key replaces.
  QString base = text();
  int caret = cursorPosition();
  if (hasSelectedText()) {
    caret = selectionStart();
    base.remove(caret, static_cast<int>(selectedText().size()));
  }
  const TKeyVerdict v = field_->Format().AcceptKey(static_cast<char>(upper.unicode()),
                                                   base.toStdString(), static_cast<size_t>(caret));
  if (!v.accepted) {
    BeepRejected();
    event->accept();
    return;
  }
  base.insert(caret, QChar::fromLatin1(v.key));
  setText(base);
  setCursorPosition(caret + 1);
  UserEdited(base);
  event->accept();
}

void TRealEdit::focusInEvent(QFocusEvent* event) {
  if (text().toStdString() != field_->Text()) UserEdited(text());
  field_->FocusIn();
  ShowField();
  QLineEdit::focusInEvent(event);
}

void TRealEdit::focusOutEvent(QFocusEvent* event) {
  if (text().toStdString() != field_->Text()) UserEdited(text());
  QLineEdit::focusOutEvent(event);
  // A menu or another window taking the focus for a moment is no leaving of the field.
  if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason) {
    emit left();
  }
}

}  // namespace tarvex
