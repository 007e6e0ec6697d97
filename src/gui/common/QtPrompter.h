// QtPrompter: the Prompter of the desktop program. Questions are message boxes with the
// fixed answer sets (closing a box counts as its non-accepting answer), beeps are the
// application's beep, the title is the main window's, file choosers are Qt's file
// dialogs. Filters are given in the "Name|*.ext|Name2|*.e2" form of the forms and are
// turned into Qt's "Name (*.ext);;Name2 (*.e2)".
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include "core/common/Prompter.h"

namespace tarvex {

class QtPrompter : public Prompter {
 public:
  QtPrompter() = default;

  // The window that owns the boxes and whose title SetTitle changes.
  void SetMainWindow(QWidget* w) { main_ = w; }

  Answer Ask(const std::string& text, AnswerSet answers,
             MessageKind kind = MessageKind::Question) override;
  void Inform(const std::string& text, MessageKind kind = MessageKind::Information) override;
  void Beep(MessageKind kind) override;
  void SetTitle(const std::string& title) override;
  void ProcessEvents() override;
  std::optional<std::string> ChooseOpenFile(const std::string& caption, const std::string& filter,
                                            const std::string& initial) override;
  std::optional<std::string> ChooseSaveFile(const std::string& caption, const std::string& filter,
                                            const std::string& initial) override;
  std::optional<std::string> ChooseDirectory(const std::string& caption,
                                             const std::string& initial) override;
  // The dialog in front (the one that asked) through the printer set-up.
  bool PrintForm(const std::string& caption) override;

  // Counts the beeps (tests and the status line read it).
  int32_t BeepCount() const { return beeps_; }

 private:
  QPointer<QWidget> main_;
  int32_t beeps_ = 0;
};

// "Text|*.txt|All|*.*" -> "Text (*.txt);;All (*.*)".
QString QtFileFilter(const std::string& filter);

}  // namespace tarvex
