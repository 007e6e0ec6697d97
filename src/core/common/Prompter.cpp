// Answer names and the scripted prompter used by tests and the batch runner.
#include "core/common/Prompter.h"

#include <array>
#include <utility>

namespace tarvex {

namespace {
constexpr std::array<std::pair<Answer, const char*>, 7> kNames{{
    {Answer::Ok, "OK"},
    {Answer::Yes, "Yes"},
    {Answer::No, "No"},
    {Answer::Cancel, "Cancel"},
    {Answer::Retry, "Retry"},
    {Answer::NoToAll, "No to All"},
    {Answer::YesToAll, "Yes to All"},
}};
}  // namespace

const char* AnswerName(Answer a) {
  for (const auto& [ans, name] : kNames)
    if (ans == a) return name;
  return "?";
}

std::optional<Answer> AnswerFromName(const std::string& name) {
  for (const auto& [ans, n] : kNames)
    if (name == n) return ans;
  return std::nullopt;
}

Answer ScriptedPrompter::Ask(const std::string& text, AnswerSet answers, MessageKind) {
  const std::map<std::string, Answer>::const_iterator* best = nullptr;
  std::map<std::string, Answer>::const_iterator found = answers_.find(text);
  if (found != answers_.end()) {
    best = &found;
  } else {
    // Longest scripted prefix: questions often end in numbers that vary run to run.
    size_t bestLen = 0;
    for (auto it = answers_.begin(); it != answers_.end(); ++it) {
      if (!it->first.empty() && it->first.size() > bestLen && text.rfind(it->first, 0) == 0) {
        found = it;
        bestLen = it->first.size();
        best = &found;
      }
    }
  }
  const bool scripted = best != nullptr && answers.Has((*best)->second);
  const Answer a = scripted ? (*best)->second : answers.NonAccepting();
  asked.push_back({text, a, scripted});
  return a;
}

void ScriptedPrompter::Inform(const std::string& text, MessageKind) {
  informed.push_back(text);
}

void ScriptedPrompter::ProcessEvents() {
  ++eventsProcessed;
  if (hook_ != nullptr) hook_(hookCtx_);
}

}  // namespace tarvex
