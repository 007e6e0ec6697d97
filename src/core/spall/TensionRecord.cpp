// The tension-time record: its lifetime, "Tneg.dat" reading and the per-entry rules.
#include "core/spall/TensionRecord.h"

#include <algorithm>
#include <cmath>

#include "core/common/NumStringFormat.h"

namespace tarvex {

namespace {

std::string_view FirstToken(std::string_view line) {
  const size_t first = line.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  const size_t end = line.find_first_of(" \t\r", first);
  return line.substr(first, end == std::string_view::npos ? line.size() - first : end - first);
}

// The file name in quotes.
std::string FileLabel(std::string_view fileName) {
  std::string label = "\"";
  label.append(fileName).append("\"");
  return label;
}

}  // namespace

void TTensionRecord::Clear() {
  tneg_.clear();
  tneg_.shrink_to_fit();
  tnegTime_ = 0;
  tnegOrigin_ = 0;
}

void TTensionRecord::StartFresh(int32_t cellCount, Real SimTime, Real dt) {
  tneg_.assign(static_cast<size_t>(std::max(cellCount, 0)) + 1, Real(0));
  tnegTime_ = SimTime;
  tnegOrigin_ = SimTime - 2 * dt;
}

TTensionLoadResult TTensionRecord::Load(std::string_view text, int32_t cellCount,
                                        std::string_view fileName) {
  const TNumStringFormat format;
  const size_t cells = static_cast<size_t>(std::max(cellCount, 0));
  std::vector<Real> entries(cells + 1, 0);
  bool haveTime = false;
  Real time = 0;
  Real origin = 0;
  size_t filled = 0;
  int32_t lineNo = 0;
  size_t pos = 0;
  while (pos < text.size() && (!haveTime || filled < cells)) {
    const size_t eol = text.find('\n', pos);
    const std::string_view line =
        text.substr(pos, eol == std::string_view::npos ? text.size() - pos : eol - pos);
    pos = eol == std::string_view::npos ? text.size() : eol + 1;
    ++lineNo;
    // One number per line; the rest of a line is skipped, blank lines are.
    const std::string_view token = FirstToken(line);
    if (token.empty()) continue;
    Real value = 0;
    if (format.Parse(token, value) != TConvertStatus::Ok || !std::isfinite(value)) {
      std::string message = FileLabel(fileName);
      message.append(", line ").append(std::to_string(lineNo)).append(": \"");
      message.append(token).append("\" is not a ").append(haveTime ? "tension time" : "time");
      return {false, message};
    }
    if (!haveTime) {
      haveTime = true;
      time = value;
      origin = value;
    } else {
      entries[filled++] = value;
      origin = std::min(origin, time - std::fabs(value));
    }
  }
  if (!haveTime) return {false, FileLabel(fileName).append(" holds no time")};
  tneg_ = std::move(entries);
  tnegTime_ = time;
  tnegOrigin_ = origin;
  return {};
}

Real TTensionRecord::TensionTime(int32_t i) const {
  return std::fabs((*this)[i]);
}

void TTensionRecord::StartTension(int32_t i, Real dt, Real P, Real P0) {
  Real& t = At(i);
  if (!(dt > std::fabs(t))) return;
  // P0 ≥ 0 > P: the pressure crossed zero within the step, at the fraction P/(P − P0)
  // of it counted from its end (linear in time).
  t = P0 >= 0 ? std::min(dt, dt * std::fabs(P / (P0 - P))) : dt;
}

void TTensionRecord::MarkFailed(int32_t i) {
  Real& t = At(i);
  t = -std::fabs(t);
}

void TTensionRecord::ClearFailure(int32_t i) {
  Real& t = At(i);
  t = std::fabs(t);
}

TTensionAdvance TTensionRecord::BeginAdvance(Real SimTime, Real dt) const {
  TTensionAdvance a;
  a.due = tnegTime_ != SimTime;
  a.delta = std::min(dt, SimTime - tnegTime_);
  a.tauMax = std::max(SimTime - tnegOrigin_, Real(0));
  return a;
}

void TTensionRecord::AdvanceTension(int32_t i, const TTensionAdvance& a) {
  Real& t = At(i);
  t = std::max(Real(0), std::min(t + a.delta, a.tauMax));
}

void TTensionRecord::Spread(int32_t i, int32_t j) {
  const Real ti = (*this)[i];
  Real& tj = At(j);
  if (tj > 0) {
    tj = std::max(std::fabs(ti), tj);
  } else if (tj < 0 && ti < tj) {
    tj = ti;
  }
}

void TTensionRecord::AdvanceFailed(int32_t i, const TTensionAdvance& a, bool rightCompressing,
                                   bool leftExpanding) {
  if (rightCompressing && i + 1 < Size()) Spread(i, i + 1);
  Real& t = At(i);
  t = std::max(t - a.delta, -a.tauMax);
  if (leftExpanding && i > 0) Spread(i, i - 1);
}

void TTensionRecord::RewindFailed(int32_t i, const TTensionAdvance& a) {
  Real& t = At(i);
  t = std::min(t - a.delta, Real(0));
}

}  // namespace tarvex
