// Message boxes, beeps, title and file dialogs of the desktop program.
#include "gui/common/QtPrompter.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <utility>

#include "gui/common/PrintForm.h"

namespace tarvex {

namespace {

struct ButtonMap {
  Answer answer;
  QMessageBox::StandardButton button;
};

constexpr ButtonMap kButtons[] = {
    {Answer::Yes, QMessageBox::Yes},         {Answer::YesToAll, QMessageBox::YesToAll},
    {Answer::Ok, QMessageBox::Ok},           {Answer::No, QMessageBox::No},
    {Answer::NoToAll, QMessageBox::NoToAll}, {Answer::Retry, QMessageBox::Retry},
    {Answer::Cancel, QMessageBox::Cancel},
};

QMessageBox::Icon IconOf(MessageKind kind) {
  switch (kind) {
    case MessageKind::Information:
      return QMessageBox::Information;
    case MessageKind::Warning:
      return QMessageBox::Warning;
    case MessageKind::Error:
      return QMessageBox::Critical;
    default:
      return QMessageBox::Question;
  }
}

}  // namespace

QString QtFileFilter(const std::string& filter) {
  const QStringList parts = QString::fromStdString(filter).split('|');
  QStringList out;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(';', ' ');
    out << QStringLiteral("%1 (%2)").arg(parts[i], patterns);
  }
  if (out.isEmpty()) out << QStringLiteral("All files (*)");
  return out.join(QStringLiteral(";;"));
}

Answer QtPrompter::Ask(const std::string& text, AnswerSet answers, MessageKind kind) {
  QMessageBox box(IconOf(kind), QApplication::applicationDisplayName(),
                  QString::fromStdString(text), QMessageBox::NoButton, main_);
  QAbstractButton* escape = nullptr;
  const Answer nonAccepting = answers.NonAccepting();
  for (const ButtonMap& m : kButtons) {
    if (!answers.Has(m.answer)) continue;
    QAbstractButton* b = box.addButton(m.button);
    if (m.answer == nonAccepting) escape = b;
  }
  if (escape != nullptr) box.setEscapeButton(escape);
  box.exec();
  const QMessageBox::StandardButton clicked = box.standardButton(box.clickedButton());
  for (const ButtonMap& m : kButtons) {
    if (m.button == clicked && answers.Has(m.answer)) return m.answer;
  }
  return nonAccepting;  // closed without an answer
}

void QtPrompter::Inform(const std::string& text, MessageKind kind) {
  QMessageBox box(IconOf(kind), QApplication::applicationDisplayName(),
                  QString::fromStdString(text), QMessageBox::Ok, main_);
  box.exec();
}

void QtPrompter::Beep(MessageKind) {
  ++beeps_;
  QApplication::beep();
}

void QtPrompter::SetTitle(const std::string& title) {
  if (main_) main_->setWindowTitle(QString::fromStdString(title));
}

void QtPrompter::ProcessEvents() {
  QApplication::processEvents();
}

std::optional<std::string> QtPrompter::ChooseOpenFile(const std::string& caption,
                                                      const std::string& filter,
                                                      const std::string& initial) {
  const QString name =
      QFileDialog::getOpenFileName(main_, QString::fromStdString(caption),
                                   QString::fromStdString(initial), QtFileFilter(filter));
  if (name.isEmpty()) return std::nullopt;
  return name.toStdString();
}

std::optional<std::string> QtPrompter::ChooseSaveFile(const std::string& caption,
                                                      const std::string& filter,
                                                      const std::string& initial) {
  const QString name =
      QFileDialog::getSaveFileName(main_, QString::fromStdString(caption),
                                   QString::fromStdString(initial), QtFileFilter(filter));
  if (name.isEmpty()) return std::nullopt;
  return name.toStdString();
}

std::optional<std::string> QtPrompter::ChooseDirectory(const std::string& caption,
                                                       const std::string& initial) {
  const QString dir = QFileDialog::getExistingDirectory(main_, QString::fromStdString(caption),
                                                        QString::fromStdString(initial));
  if (dir.isEmpty()) return std::nullopt;
  return dir.toStdString();
}

bool QtPrompter::PrintForm(const std::string& caption) {
  static_cast<void>(caption);  // the form in front is the one that asks
  QWidget* form = QApplication::activeModalWidget();
  return tarvex::PrintForm(form != nullptr ? form : main_.data());
}

}  // namespace tarvex
