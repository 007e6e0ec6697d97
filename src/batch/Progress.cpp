// Progress lines of a batch run.
#include "batch/Progress.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

namespace tarvex::batch {

namespace {

std::string Num(Real x) {
  char buf[48];
  std::snprintf(buf, sizeof buf, "%.4Lg", x);
  return buf;
}

}  // namespace

std::string WallText(double seconds) {
  char buf[48];
  if (!(seconds >= 0) || !std::isfinite(seconds)) return "--";
  if (seconds < 60) {
    std::snprintf(buf, sizeof buf, "%.1f s", seconds);
  } else if (seconds < 3600) {
    const auto s = static_cast<int64_t>(seconds);
    std::snprintf(buf, sizeof buf, "%lld min %02lld s", static_cast<long long>(s / 60),
                  static_cast<long long>(s % 60));
  } else {
    const auto m = static_cast<int64_t>(seconds / 60);
    std::snprintf(buf, sizeof buf, "%lld h %02lld min", static_cast<long long>(m / 60),
                  static_cast<long long>(m % 60));
  }
  return buf;
}

std::string ProgressLine(const RunProgress& p, Real startTime, double wall) {
  // A broken run marks its end time negative; the end is where it was meant to be.
  const Real end = std::fabs(p.EndTime);
  std::string line = "t = " + Num(p.SimTime) + " / " + Num(end);
  if (end > startTime) {
    const Real done = std::clamp<Real>((p.SimTime - startTime) / (end - startTime), 0, 1);
    char pct[16];
    std::snprintf(pct, sizeof pct, " (%3.0Lf%%)", 100 * done);
    line += pct;
  }
  line += "  steps " + std::to_string(p.subSteps);
  if (wall > 0) {
    char rate[32];
    std::snprintf(rate, sizeof rate, " (%.0f/s)", static_cast<double>(p.subSteps) / wall);
    line += rate;
  }
  line += "  wall " + WallText(wall);
  const Real progressed = p.SimTime - startTime;
  if (progressed > 0 && end > p.SimTime) {
    const double eta = wall * static_cast<double>((end - p.SimTime) / progressed);
    line += "  ETA " + WallText(eta);
  }
  return line;
}

ProgressReporter::ProgressReporter(std::ostream& out, ProgressMode mode, double lineInterval)
    : out_(out), mode_(mode), lineInterval_(lineInterval), start_(Clock::now()), last_(start_) {}

double ProgressReporter::Wall() const {
  return std::chrono::duration<double>(Clock::now() - start_).count();
}

void ProgressReporter::Start(Real startTime, std::string header) {
  start_ = last_ = Clock::now();
  startTime_ = startTime;
  started_ = true;
  header_ = std::move(header);
  headerShown_ = false;
}

void ProgressReporter::Write(const RunProgress& p) {
  const std::string line = ProgressLine(p, startTime_, Wall());
  if (mode_ == ProgressMode::Terminal) {
    // Back to the line start, the new text, erase what is left of the old one.
    out_ << '\r' << line << "\x1b[K" << std::flush;
    lineOpen_ = true;
  } else {
    out_ << line << '\n' << std::flush;
  }
}

void ProgressReporter::Update(const RunProgress& p) {
  if (mode_ == ProgressMode::Quiet || !started_) return;
  if (!headerShown_) {
    headerShown_ = true;
    if (!header_.empty()) out_ << header_ << '\n' << std::flush;
  }
  const Clock::time_point now = Clock::now();
  const double since = std::chrono::duration<double>(now - last_).count();
  const double every = mode_ == ProgressMode::Terminal ? 0.1 : lineInterval_;
  if (since < every) return;
  last_ = now;
  Write(p);
}

void ProgressReporter::Finish(const RunProgress& p) {
  if (mode_ == ProgressMode::Quiet || !headerShown_) return;
  Write(p);
  if (lineOpen_) out_ << '\n' << std::flush;
  lineOpen_ = false;
}

void ProgressReporter::Message(const std::string& text) {
  if (lineOpen_) out_ << "\r\x1b[K";
  lineOpen_ = false;
  out_ << text << '\n' << std::flush;
}

}  // namespace tarvex::batch
