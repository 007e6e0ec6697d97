// RoutedPrompter: the prompter the desktop program's session asks. It passes every
// question to the desktop's own prompter (message boxes, file dialogs), except while a
// settings file is applied: the forms then ask their questions exactly as in the batch
// runner, answered from the file's script, so that no message box interrupts the apply.
#pragma once

#include "core/common/Prompter.h"

namespace tarvex {

class RoutedPrompter : public Prompter {
 public:
  explicit RoutedPrompter(Prompter& desktop) : desktop_(desktop) {}

  // Sends every call to `script` until Route(nullptr).
  void Route(Prompter* script) { route_ = script; }
  Prompter& Current() { return route_ != nullptr ? *route_ : desktop_; }

  Answer Ask(const std::string& text, AnswerSet answers,
             MessageKind kind = MessageKind::Question) override {
    return Current().Ask(text, answers, kind);
  }
  void Inform(const std::string& text, MessageKind kind = MessageKind::Information) override {
    Current().Inform(text, kind);
  }
  void Beep(MessageKind kind) override { Current().Beep(kind); }
  void SetTitle(const std::string& title) override { Current().SetTitle(title); }
  void ProcessEvents() override { Current().ProcessEvents(); }
  std::optional<std::string> ChooseOpenFile(const std::string& caption, const std::string& filter,
                                            const std::string& initial) override {
    return Current().ChooseOpenFile(caption, filter, initial);
  }
  std::optional<std::string> ChooseSaveFile(const std::string& caption, const std::string& filter,
                                            const std::string& initial) override {
    return Current().ChooseSaveFile(caption, filter, initial);
  }
  std::optional<std::string> ChooseDirectory(const std::string& caption,
                                             const std::string& initial) override {
    return Current().ChooseDirectory(caption, initial);
  }
  bool PrintForm(const std::string& caption) override { return Current().PrintForm(caption); }

 private:
  Prompter& desktop_;
  Prompter* route_ = nullptr;
};

}  // namespace tarvex
