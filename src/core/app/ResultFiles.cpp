// The driver's hooks: display refresh, profile set, picture, tracked points.
#include "core/app/ResultFiles.h"

#include <algorithm>
#include <filesystem>
#include <limits>

#include "core/common/AppendFile.h"
#include "core/common/FpGuard.h"
#include "core/common/Prompter.h"
#include "core/files/History.h"
#include "core/files/ProfileWriter.h"
#include "core/files/SaveOptions.h"
#include "core/hydro/HydrStat.h"
#include "core/run/IntegralValues.h"
#include "core/run/MainForm.h"
#include "core/run/ResultsTable.h"
#include "core/session/Session.h"

namespace tarvex {

namespace {

namespace fs = std::filesystem;

// B: the name without its extension.
std::string BaseOf(const std::string& name) {
  fs::path p(name);
  if (!p.has_extension()) return name;
  p.replace_extension();
  return p.string();
}

bool IsJpegName(const std::string& name) {
  std::string ext = fs::path(name).extension().string();
  for (char& c : ext) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return ext == ".jpg" || ext == ".jpeg";
}

bool IsBmpName(const std::string& name) {
  std::string ext = fs::path(name).extension().string();
  for (char& c : ext) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return ext == ".BMP";
}

}  // namespace

ResultFiles::ResultFiles(Session& s, TMainForm& main, TResultsTable& table,
                         TIntegralValues& integrals, TSaveFileOptions& options)
    : s_(s), main_(main), table_(table), integrals_(integrals), options_(options) {}

bool ResultFiles::Fail(const std::string& message, bool resultsUnsaved) {
  lastError_ = message;
  if (firstError_.empty()) firstError_ = message;
  if (resultsUnsaved) main_.Unsaved = true;
  s_.prompter.Inform(message, MessageKind::Error);
  return false;
}

void ResultFiles::RefreshDisplay(bool withGraphs) {
  table_.Refresh(s_, main_);
  integrals_.Refresh(s_, main_);
  if (OpticsRefresh) OpticsRefresh();
  if (withGraphs && graphRefresh_) graphRefresh_();
}

bool ResultFiles::SetNameFree(const std::string& base) const {
  for (const RunSet& r : runSets_) {
    if (r.base == base) return false;
  }
  // symlink_status: a dangling link still occupies the name.
  for (const char* ext : {".DAT", ".TXT"}) {
    std::error_code ec;
    if (fs::exists(fs::symlink_status(base + ext, ec))) return false;
  }
  return true;
}

std::string ResultFiles::ProfileBaseName(const std::string& saveDir, Real TotalTime,
                                         bool brokenInterval) {
  if (!runSets_.empty() && TotalTime < runSets_.back().time) runSets_.clear();
  const std::string base = saveDir + options_.NumberText(TotalTime) + options_.AddStr;
  if (!brokenInterval) {
    // The same state written again may replace its set; a later state may not replace the
    // set of an earlier one (names rounded coarser than the output interval).
    const bool ownEarlier = std::any_of(runSets_.begin(), runSets_.end(), [&](const RunSet& r) {
      return r.base == base && r.time < TotalTime;
    });
    if (!ownEarlier) return base;
  }
  // The rounded name of a broken interval is that of the finished interval before it or
  // of the next one: a suffix that names it as broken and a counter keep it apart.
  const std::string stem = base + (brokenInterval ? "_break" : "_");
  constexpr int32_t kMaxCounter = 1000000;
  for (int32_t k = brokenInterval ? 1 : 2; k < kMaxCounter; ++k) {
    std::string candidate = stem;
    if (k > 1) candidate += std::to_string(k);
    if (SetNameFree(candidate)) return candidate;
  }
  return stem + std::to_string(kMaxCounter);
}

std::vector<std::string> ResultFiles::SetFileNames(const std::string& tableFile) const {
  const std::string B = BaseOf(tableFile);
  std::vector<std::string> names{tableFile, B + ".TXT"};
  if (OpticalTableText && OpticalTableText()) names.push_back(B + "_opt.dat");
  if (TnegText && TnegText()) names.push_back(main_.SaveDir + "Tneg.dat");
  return names;
}

bool ResultFiles::WriteProfile(const std::string& fileName, bool final) {
  // A record of the spallation log that could not be appended during the interval: once.
  if (std::optional<std::string> lost = s_.spallLog.TakeFailure()) Fail(*lost, false);
  std::string name = fileName;
  if (final && AskOnFinal) {
    const char* filter =
        table_.FrozenGrid() ? "Data file|*.dat|All move data|*.dat" : "Data file|*.dat";
    const std::optional<std::string> chosen = s_.prompter.ChooseSaveFile("Save", filter, name);
    if (!chosen || chosen->empty()) return false;  // cancelled: nothing written
    name = *chosen;
    if (!fs::path(name).has_extension()) name += ".DAT";
    DirectoryRule(name, true);
  }
  if (table_.RowCount() == 0) return Fail("Cannot write file \"" + name + "\": no results");
  const std::string B = BaseOf(name);

  std::vector<ProfileFilePart> parts;
  parts.push_back({name, TableFileText(table_)});
  ProfileHeaderExtras extras;
  extras.EosLabel = &main_.EosInfo;
  extras.GlassEosDensity = GlassEosDensity ? GlassEosDensity() : 0;
  // The refraction is written with the optical table it belongs to.
  std::optional<std::string> optical = OpticalTableText ? OpticalTableText() : std::nullopt;
  if (optical) {
    extras.RefractText = integrals_.Refr.Text();
    extras.RefractTini = s_.optics.Tini;
  }
  parts.push_back({B + ".TXT", HeaderFileText(s_, main_, table_, integrals_, extras)});
  if (optical) parts.push_back({B + "_opt.dat", std::move(*optical)});
  if (TnegText) {
    if (std::optional<std::string> text = TnegText()) {
      parts.push_back({main_.SaveDir + "Tneg.dat", std::move(*text)});
    }
  }
  const FileWriteResult r = WriteFileSet(parts);
  if (final && AskOnFinal) SaveDialogFileName = B;
  if (!r) return Fail(r.message);
  if (!runSets_.empty() && s_.sim.SimTime < runSets_.back().time) runSets_.clear();
  runSets_.push_back({B, s_.sim.SimTime});
  lastError_.clear();
  main_.Unsaved = false;
  return true;
}

void ResultFiles::SavePicture(const std::string& fileName, bool final) {
  if (!pictureWriter_) return;
  std::string name = fileName;
  bool jpeg = main_.PicturesAsJpeg;
  std::string caption;
  if (final && AskOnFinal) {
    const std::optional<std::string> chosen =
        s_.prompter.ChooseSaveFile("Save picture", "Picture Bitmaps|*.bmp|JPEG Image|*.jpg", name);
    if (!chosen || chosen->empty()) return;
    name = *chosen;
    // A picture never takes the name of another file of the set (a ".DAT" name would
    // overwrite the table just written): any other extension becomes the default ".jpg".
    if (!IsJpegName(name) && !IsBmpName(name))
      name = fs::path(name).replace_extension(".jpg").string();
    jpeg = IsJpegName(name);
    main_.PicturesAsJpeg = jpeg;
    caption = PictureCaption(name, false);
    DirectoryRule(name, false);
  } else {
    caption = PictureCaption(name, true);
  }
  // Staging files a killed run left for this picture would use up the temporary names.
  RemoveStaleStaging({name});
  const FileWriteResult r = pictureWriter_(name, caption, jpeg);
  if (!r) Fail(r.message, false);
}

void ResultFiles::DirectoryRule(const std::string& chosen, bool profileSet) {
  if (main_.SaveDir.empty()) return;
  std::string dir = fs::path(chosen).parent_path().string();
  dir = dir.empty() ? std::string("./") : WithTrailingSeparator(dir);
  if (fs::path(dir).lexically_normal() == fs::path(main_.SaveDir).lexically_normal()) return;
  options_.GraphType = main_.PicturesAsJpeg ? kGraphJpeg : kGraphBmp;
  if (ShowSaveOptions && ShowSaveOptions(dir) && !options_.SaveDir.empty()) {
    main_.SaveDir = options_.SaveDir;
  }
  main_.PicturesAsJpeg = options_.PicturesAsJpeg();
  if (profileSet &&
      s_.prompter.Ask("ReAssign to other xrs/Surf file", AnswerSet::OkNo()) == Answer::Ok) {
    main_.HistoryFileName = main_.SaveDir + (integrals_.RCPanelVisible ? "xrc.dat" : "Surf.dat");
  }
}

void ResultFiles::AppendHistory() {
  if (main_.HistoryFileName.empty()) return;  // no output directory
  const HistorySources in{s_,         main_,    table_,
                          integrals_, options_, SkinDepth ? SkinDepth() : Real(0)};
  const HistoryLayout layout = HistoryLayoutOf(in);
  const std::string legendPath =
      (fs::path(main_.HistoryFileName).parent_path() / kHistoryLegendName).string();
  const HistoryAppendResult r = AppendHistoryRecord(
      main_.HistoryFileName, legendPath, HistoryHeader(layout), HistoryLegend(layout),
      HistoryRecord(in, layout), main_.TotalTime.Format());
  if (!r.keptAs.empty()) {
    s_.prompter.Inform("The history \"" + main_.HistoryFileName +
                           "\" has other columns than this run: it is kept as \"" + r.keptAs +
                           "\" and a new one is started",
                       MessageKind::Warning);
  }
  if (!r.write) Fail(r.write.message, false);
  AppendReflectanceHistory();
}

bool ResultFiles::RightSurface() const {
  return FreeSurfaceIsRight(s_);
}

std::optional<FilmCell> ResultFiles::SurfaceCell() const {
  if (s_.StateA == nullptr || s_.StateA->CellCount() == 0) return std::nullopt;
  const HistorySources in{s_,         main_,    table_,
                          integrals_, options_, SkinDepth ? SkinDepth() : Real(0)};
  const THydrStat& A = *s_.StateA;
  const int32_t c = std::clamp(FindSurface(in, RightSurface()).cell, 0, A.CellCount() - 1);
  const RealArray* Te = A.ArrayByName("Te");
  const size_t i = static_cast<size_t>(c);
  return FilmCell{A.T[i], Te != nullptr ? (*Te)[i] : A.T[i], A.Density(c)};
}

void ResultFiles::AppendReflectanceHistory() {
  const ReflectanceState& r = s_.reflectance;
  if (!r.ReflectanceOn || main_.SaveDir.empty()) return;
  const std::optional<FilmCell> cell = SurfaceCell();
  if (!cell) return;
  Real dRR0 = 0;
  {
    // A state without reflectance gives a NaN, which the record shows as such; a fault
    // of the model stays here.
    const FpGuard guard;
    dRR0 = r.model(cell->Ti, cell->Te, cell->rho);
    if (guard.Faulted()) {
      dRR0 = std::numeric_limits<Real>::quiet_NaN();
      guard.Reset();
    }
  }
  // The header names picoseconds: the time is written in ps whatever the names' scale.
  const TNumStringFormat& format = main_.TotalTime.Format();
  const HistoryAppendResult a =
      AppendHistoryRecord(main_.SaveDir + kRDatName, "", RDatHeader(), "",
                          RDatRecord(main_.TotalTime.StoredValue() * 1e12L, dRR0, format), format);
  if (!a.keptAs.empty()) {
    s_.prompter.Inform("The reflectance history \"" + main_.SaveDir + kRDatName +
                           "\" has other columns than this run: it is kept as \"" + a.keptAs +
                           "\" and a new one is started",
                       MessageKind::Warning);
  }
  if (!a.write) Fail(a.write.message, false);
}

void ResultFiles::AppendTrackedPoints() {
  const std::vector<int32_t>& rows = tracking.TrackedRows;
  main_.TrackedPoints = static_cast<int32_t>(rows.size());
  if (rows.empty()) return;  // the "Track Points" button is released
  const std::string path = main_.SaveDir + "pTrack.dat";
  const bool units = main_.x1Edit.StoredValue() == 1e-7L && s_.eos.EosScale == 1e5L;
  const std::string header = TrackedPointsHeader(table_, rows, options_.AddStr, units);
  const std::string timeText = main_.TotalTime.Format().FormatValue(main_.TotalTime.StoredValue() *
                                                                    options_.Scal.StoredValue());
  const std::string pout = main_.tableFormat->FormatValue(s_.sim.Pout);
  const FileWriteResult r =
      AppendRecord(path, header, TrackedPointsRecord(table_, rows, timeText, pout));
  if (!r) Fail(r.message, false);
}

}  // namespace tarvex
