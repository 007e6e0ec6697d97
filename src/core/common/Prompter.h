// Everything that needs a person goes through Prompter: questions with fixed answer
// sets, beeps, the window title, processing of pending events, file choosers.
//
// The desktop program implements it with Qt message boxes and dialogs; tests and the
// batch runner use ScriptedPrompter, which answers from a table and logs every question.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tarvex {

enum class Answer : uint16_t {
  Ok = 1 << 0,
  Yes = 1 << 1,
  No = 1 << 2,
  Cancel = 1 << 3,
  Retry = 1 << 4,
  NoToAll = 1 << 5,
  YesToAll = 1 << 6,
};

// A set of answers offered by one question (bitwise OR of Answer values).
class AnswerSet {
 public:
  constexpr AnswerSet() = default;
  constexpr AnswerSet(std::initializer_list<Answer> answers) {
    for (Answer a : answers) bits_ |= static_cast<uint16_t>(a);
  }
  constexpr bool Has(Answer a) const { return (bits_ & static_cast<uint16_t>(a)) != 0; }
  constexpr uint16_t Bits() const { return bits_; }

  // The answer that closing the box (Escape, the window's close button, no script)
  // stands for: Cancel where offered, otherwise No.
  constexpr Answer NonAccepting() const {
    return Has(Answer::Cancel) ? Answer::Cancel : Answer::No;
  }

  static constexpr AnswerSet YesNo() { return {Answer::Yes, Answer::No}; }
  static constexpr AnswerSet OkNo() { return {Answer::Ok, Answer::No}; }
  static constexpr AnswerSet YesNoCancel() { return {Answer::Yes, Answer::No, Answer::Cancel}; }
  static constexpr AnswerSet OkCancel() { return {Answer::Ok, Answer::Cancel}; }
  // The disagreement question of the iterated step.
  static constexpr AnswerSet SixWay() {
    return {Answer::Yes,   Answer::No,      Answer::Cancel,
            Answer::Retry, Answer::NoToAll, Answer::YesToAll};
  }
  // The negative-temperature question of the two-temperature solvers.
  static constexpr AnswerSet OkCancelNoToAll() {
    return {Answer::Ok, Answer::Cancel, Answer::NoToAll};
  }

 private:
  uint16_t bits_ = 0;
};

enum class MessageKind { Information, Warning, Error, Question };

const char* AnswerName(Answer a);
std::optional<Answer> AnswerFromName(const std::string& name);

class Prompter {
 public:
  virtual ~Prompter() = default;

  // Asks a question; the result is always one of `answers`.
  virtual Answer Ask(const std::string& text, AnswerSet answers,
                     MessageKind kind = MessageKind::Question) = 0;
  // A message with only an OK button.
  virtual void Inform(const std::string& text, MessageKind kind = MessageKind::Information) = 0;
  virtual void Beep(MessageKind kind) = 0;
  // The application title (shows the running time during a run).
  virtual void SetTitle(const std::string& title) = 0;
  // Lets the user interface handle pending events (the Break button among them).
  virtual void ProcessEvents() = 0;
  // File choosers; an empty result means the user cancelled.
  virtual std::optional<std::string> ChooseOpenFile(const std::string& caption,
                                                    const std::string& filter,
                                                    const std::string& initial) = 0;
  virtual std::optional<std::string> ChooseSaveFile(const std::string& caption,
                                                    const std::string& filter,
                                                    const std::string& initial) = 0;
  virtual std::optional<std::string> ChooseDirectory(const std::string& caption,
                                                     const std::string& initial) = 0;
  // Prints the form with this caption (the desktop program: the printer set-up, then the
  // form scaled to the page without its buttons). False when the person cancelled or
  // when printing is not available, as it is not without a display.
  virtual bool PrintForm(const std::string& caption) {
    static_cast<void>(caption);
    return false;
  }
};

// Answers from a table keyed by the question text (exact text first, then the longest
// scripted prefix); every question is logged with the answer used. An unscripted
// question, or a scripted answer the question does not offer, gets the non-accepting
// answer.
class ScriptedPrompter : public Prompter {
 public:
  struct Asked {
    std::string text;
    Answer answer;
    bool scripted;
  };

  void Script(const std::string& text, Answer a) { answers_[text] = a; }
  void ScriptFile(std::optional<std::string> path) { file_ = std::move(path); }
  void ScriptDirectory(std::optional<std::string> dir) { dir_ = std::move(dir); }

  Answer Ask(const std::string& text, AnswerSet answers,
             MessageKind kind = MessageKind::Question) override;
  void Inform(const std::string& text, MessageKind kind = MessageKind::Information) override;
  // Titles and beeps come once per sub-step in a run: the logs keep the first
  // kLogLimit entries and then only replace the last one, so long runs stay small.
  static constexpr size_t kLogLimit = 1000;
  void Beep(MessageKind kind) override { Log(beeps, kind); }
  void SetTitle(const std::string& title) override { Log(titles, title); }
  void ProcessEvents() override;
  std::optional<std::string> ChooseOpenFile(const std::string&, const std::string&,
                                            const std::string&) override {
    return file_;
  }
  std::optional<std::string> ChooseSaveFile(const std::string&, const std::string&,
                                            const std::string&) override {
    return file_;
  }
  std::optional<std::string> ChooseDirectory(const std::string&, const std::string&) override {
    return dir_;
  }
  // Logs the request (in `printed`); nothing is printed.
  bool PrintForm(const std::string& caption) override {
    printed.push_back(caption);
    return false;
  }

  // Called from ProcessEvents: lets a test act "during" a run (e.g. press Break).
  void OnProcessEvents(void (*hook)(void*), void* ctx) {
    hook_ = hook;
    hookCtx_ = ctx;
  }

  std::vector<Asked> asked;
  std::vector<std::string> informed;
  std::vector<MessageKind> beeps;
  std::vector<std::string> titles;
  std::vector<std::string> printed;  // captions of the forms asked to be printed
  int64_t eventsProcessed = 0;

 private:
  template <class T>
  static void Log(std::vector<T>& log, const T& entry) {
    if (log.size() < kLogLimit) {
      log.push_back(entry);
    } else {
      log.back() = entry;
    }
  }

  std::map<std::string, Answer> answers_;
  std::optional<std::string> file_;
  std::optional<std::string> dir_;
  void (*hook_)(void*) = nullptr;
  void* hookCtx_ = nullptr;
};

}  // namespace tarvex
