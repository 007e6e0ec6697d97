// Helpers of the GUI tests: a prompter that answers from a script but lets Qt process
// its events for real (so that Break and timers work during a run), typing into edits,
// and running code inside a modal dialog.
#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "gui/common/QtPrompter.h"

namespace tarvex::guitest {

class ScriptedQtPrompter : public QtPrompter {
 public:
  void Script(const std::string& text, Answer a) { answers_[text] = a; }

  Answer Ask(const std::string& text, AnswerSet answers, MessageKind) override {
    asked.push_back(text);
    auto it = answers_.find(text);
    if (it != answers_.end() && answers.Has(it->second)) return it->second;
    return answers.NonAccepting();
  }
  void Inform(const std::string& text, MessageKind) override { informed.push_back(text); }
  void Beep(MessageKind kind) override { beeps.push_back(kind); }
  std::optional<std::string> ChooseOpenFile(const std::string&, const std::string&,
                                            const std::string&) override {
    return openFile;
  }
  // Cancelled unless acceptProposedName: then the name the program proposed.
  std::optional<std::string> ChooseSaveFile(const std::string&, const std::string&,
                                            const std::string& initial) override {
    if (!acceptProposedName) return std::nullopt;
    return initial;
  }
  std::optional<std::string> ChooseDirectory(const std::string&, const std::string&) override {
    return directory;
  }

  std::optional<std::string> openFile;   // what the open dialog returns
  std::optional<std::string> directory;  // what the directory picker returns
  bool acceptProposedName = false;       // the save dialogs keep the proposed name

  std::vector<std::string> asked;
  std::vector<std::string> informed;
  std::vector<MessageKind> beeps;

 private:
  std::map<std::string, Answer> answers_;
};

// Replaces the text of an edit by typing it key by key (the edit's key filter applies).
inline void TypeInto(QLineEdit* edit, const QString& text) {
  edit->setFocus();
  edit->selectAll();
  QTest::keyClicks(edit, text);
}

// Runs `inside` once the next modal dialog's event loop runs, then calls `open`, which
// shows that dialog and returns when it closed.
inline void WhileModal(const std::function<void()>& inside, const std::function<void()>& open) {
  QTimer::singleShot(0, inside);
  open();
}

// With TARVEX_SCREENSHOTS=<directory> set, saves the widget as <directory>/<name>.png (the
// pictures of docs/images/gui are made so); otherwise does nothing.
inline void Screenshot(QWidget* w, const QString& name) {
  const QString dir = qEnvironmentVariable("TARVEX_SCREENSHOTS");
  if (dir.isEmpty()) return;
  QApplication::processEvents();
  w->grab().save(dir + "/" + name + ".png");
}

}  // namespace tarvex::guitest
