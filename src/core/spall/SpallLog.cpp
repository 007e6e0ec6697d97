// The spallation log: header, record texts and the checked append.
#include "core/spall/SpallLog.h"

#include <utility>

#include "core/common/AppendFile.h"
#include "core/common/NumStringFormat.h"

namespace tarvex {

namespace {

constexpr Real kPsPerSecond = 1e12L;

void Field(std::string& out, const TNumStringFormat& format, Real x) {
  if (!out.empty()) out += '\t';
  out += format.FormatValue(x);
}

}  // namespace

std::string SpallLogHeader(bool timeColumns) {
  std::string header = "\"T, K \"  \"P, GPa\" \"rho, g/cm3\"   \"time, ps\"";
  if (timeColumns) header += "       \"tau_n, ps\"   \"sigma, erg/cm2\"";
  header += "\r\n";
  return header;
}

std::string SpallLogRecord(Real T, Real p, Real rho, Real time, Real tauA, Real sigma) {
  const TNumStringFormat temperature(TFloatFormat::ffFixed, 2, 7);
  const TNumStringFormat pressure(TFloatFormat::ffFixed, 4, 10);
  const TNumStringFormat density(TFloatFormat::ffFixed, 4, 12);
  const TNumStringFormat times(TFloatFormat::ffExponent, 8, 16);
  const TNumStringFormat tension(TFloatFormat::ffFixed, 4, 12);
  std::string out;
  Field(out, temperature, T);
  Field(out, pressure, p);
  Field(out, density, rho);
  Field(out, times, time * kPsPerSecond);
  if (tauA != 0) {
    Field(out, times, tauA * kPsPerSecond);
    Field(out, tension, sigma);
  }
  out += "\r\n";
  return out;
}

FileWriteResult TSpallLog::Append(const TSpallParams& sp, const TSpallCell& cell,
                                  const TSpallVerdict& v, Real time) {
  const FileWriteResult r =
      AppendRecord(path_, SpallLogHeader(sp.CheckNucl || sp.CheckSpall),
                   SpallLogRecord(cell.T, v.p, cell.rho, time, v.tauA, v.sigma));
  if (r) {
    ++written_;
  } else {
    ++failures_;
    if (!unreported_) unreported_ = r.message;
  }
  return r;
}

std::optional<std::string> TSpallLog::TakeFailure() {
  return std::exchange(unreported_, std::nullopt);
}

}  // namespace tarvex
