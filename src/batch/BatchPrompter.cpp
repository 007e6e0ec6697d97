// The batch runner's prompter: scripted answers, reported messages, Ctrl-C as Break.
#include "batch/BatchPrompter.h"

#include "core/run/MainForm.h"
#include "core/thermal/ThermState.h"

namespace tarvex::batch {

bool BatchPrompter::BreakRequested() const {
  return breakFlag_ != nullptr && breakFlag_->load(std::memory_order_relaxed);
}

Answer BatchPrompter::Ask(const std::string& text, AnswerSet answers, MessageKind kind) {
  const Answer a = ScriptedPrompter::Ask(text, answers, kind);
  const bool unanswered = !asked.empty() && !asked.back().scripted;
  if (unanswered && IsNegativeTemperatureQuestion(text) && main_ != nullptr) {
    // Whether to repair a cell is the physicist's decision: without an answer the run
    // stops in order (the interval in progress is written) instead of guessing.
    if (stoppedOn_.empty()) stoppedOn_ = text;
    if (!pressed_) {
      pressed_ = true;
      main_->BreakCalc();
    }
    return a;
  }
  if (sink_ && unanswered) {
    sink_("note: the question \"" + text + "\" has no usable answer in [answers]; answered \"" +
          AnswerName(a) + "\"");
  }
  return a;
}

void BatchPrompter::Inform(const std::string& text, MessageKind kind) {
  ScriptedPrompter::Inform(text, kind);
  if (sink_) sink_(std::string(kind == MessageKind::Error ? "error: " : "message: ") + text);
}

void BatchPrompter::ProcessEvents() {
  ScriptedPrompter::ProcessEvents();
  if (!pressed_ && main_ != nullptr && BreakRequested()) {
    pressed_ = true;
    main_->BreakCalc();
  }
}

}  // namespace tarvex::batch
