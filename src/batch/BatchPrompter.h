// The prompter of the batch runner: answers questions from the run file's [answers]
// table (ScriptedPrompter), reports what a person would have seen in a message box, and
// turns an interrupt request (Ctrl-C) into the main window's break action.
#pragma once

#include <atomic>
#include <functional>
#include <string>

#include "core/common/Prompter.h"

namespace tarvex {
class TMainForm;
}

namespace tarvex::batch {

class BatchPrompter : public ScriptedPrompter {
 public:
  // Receives the texts of messages and of questions the run file did not answer.
  using MessageSink = std::function<void(const std::string&)>;

  // `breakFlag` is set from outside (a signal handler) when the run is to stop; nullptr
  // when nothing can interrupt.
  explicit BatchPrompter(const std::atomic<bool>* breakFlag = nullptr) : breakFlag_(breakFlag) {}

  // The window whose Break button an interrupt presses.
  void Attach(TMainForm& main) { main_ = &main; }
  void SetSink(MessageSink sink) { sink_ = std::move(sink); }

  // Whether an interrupt was requested (and, during a run, passed on as Break).
  bool BreakRequested() const;
  bool BreakPressed() const { return pressed_; }

  Answer Ask(const std::string& text, AnswerSet answers,
             MessageKind kind = MessageKind::Question) override;
  void Inform(const std::string& text, MessageKind kind = MessageKind::Information) override;
  // Between sub-steps and passes: an interrupt presses Break once.
  void ProcessEvents() override;
  // The driver sets the title after every sub-step and beeps after every interval; a
  // run of millions of steps must not keep them all, so only the last title is kept
  // and beeps are dropped.
  void SetTitle(const std::string& title) override { title_ = title; }
  void Beep(MessageKind) override {}
  const std::string& Title() const { return title_; }
  // The question that stopped the run: one that must be answered during a run (the
  // negative-temperature safeguard of the two-temperature step) and that the run file
  // left unanswered. Empty when none did.
  const std::string& StoppedOn() const { return stoppedOn_; }

 private:
  const std::atomic<bool>* breakFlag_;
  TMainForm* main_ = nullptr;
  bool pressed_ = false;
  MessageSink sink_;
  std::string title_;
  std::string stoppedOn_;
};

}  // namespace tarvex::batch
