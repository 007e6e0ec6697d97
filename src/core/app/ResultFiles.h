// ResultFiles: what the calculation driver calls after every output interval, shared by
// the desktop program and the batch runner. It refreshes the results table and the
// integral values, names and writes the profile file set, hands the picture to a picture
// writer supplied by the renderer, and appends the tracked points.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/common/AtomicFile.h"
#include "core/common/Real.h"
#include "core/optics/ReflectanceDialog.h"
#include "core/run/Driver.h"
#include "core/run/PointTracking.h"

namespace tarvex {

class Session;
class TMainForm;
class TResultsTable;
class TIntegralValues;
class TSaveFileOptions;

class ResultFiles : public RunHooks {
 public:
  // Writes the picture of the graphs to `path` with `caption`, as JPEG or as a Windows
  // bitmap. Supplied by the renderer; without one no picture is written.
  using PictureWriter = std::function<FileWriteResult(const std::string& path,
                                                      const std::string& caption, bool jpeg)>;

  ResultFiles(Session& s, TMainForm& main, TResultsTable& table, TIntegralValues& integrals,
              TSaveFileOptions& options);

  void SetPictureWriter(PictureWriter writer) { pictureWriter_ = std::move(writer); }
  // The graphs' re-plot (the renderer's part of RefreshDisplay(withGraphs = true)).
  void SetGraphRefresher(std::function<void()> refresh) { graphRefresh_ = std::move(refresh); }

  // With `final` writes the save dialogs open (the desktop program); the batch runner
  // turns them off and writes under the driver's names.
  bool AskOnFinal = true;

  // Optional parts of a set, supplied by the subsystems that own them: the refractive
  // data table ("_opt.dat"; nullopt = not written) and the tension-time record
  // ("Tneg.dat"; nullopt while the record does not exist).
  std::function<std::optional<std::string>()> OpticalTableText;
  std::function<std::optional<std::string>()> TnegText;
  // The substrate equation of state's own density (for the header; 0 = none).
  std::function<Real()> GlassEosDensity;
  // The skin thickness of the laser source [nm] (the time history averages over it).
  std::function<Real()> SkinDepth;
  // The layered optics' part of a display refresh (recomputed while the refraction value
  // is shown); nothing when not set.
  std::function<void()> OpticsRefresh;

  TPointTracking tracking;

  // The save dialog's current file name: the last name written through it, without its
  // extension ("&Save" proposes it).
  std::string SaveDialogFileName;

  // Shows the save-options dialog with the given directory proposed; true when it closed
  // with OK (its SaveDir then holds the chosen directory). Supplied by the desktop
  // program; without it the directory rule keeps the options as they are.
  std::function<bool(const std::string& proposedDir)> ShowSaveOptions;

  // The last failure, naming the file and the reason ("" after a success).
  const std::string& LastError() const { return lastError_; }
  // The first write failure of any result file (profile set, picture, history, tracked
  // points) since the object was made: what a summary names after a disk ran full.
  const std::string& FirstError() const { return firstError_; }

  // ---- RunHooks ------------------------------------------------------------------------
  void RefreshDisplay(bool withGraphs) override;
  // The rounded name of the time; a broken interval's set gets "_break" after it
  // ("_break2", ... when such a set exists), and a name that a set of this run already
  // holds for an earlier time gets "_2", "_3", ...: a run never replaces one of its own
  // sets, nor a broken set any existing one.
  std::string ProfileBaseName(const std::string& saveDir, Real TotalTime,
                              bool brokenInterval) override;
  bool WriteProfile(const std::string& fileName, bool final) override;
  void SavePicture(const std::string& fileName, bool final) override;
  // One record of the time history (core/files/History.h) into HistoryFileName. A
  // failure is reported and kept for the summary; the run goes on.
  void AppendHistory() override;
  // The reflectance history "R.dat" after the time history, while the reflectance output
  // is on: -dR/R0 of the surface cell (the cell the time history describes), with the
  // append-or-create and restart rules of the time history. A failure is reported and
  // kept for the summary; the run goes on.
  void AppendReflectanceHistory();
  void AppendTrackedPoints() override;

  // The state of the surface cell of StateA that the time history describes (Te = Ti for
  // one temperature), nothing without a state.
  std::optional<FilmCell> SurfaceCell() const;
  // Whether the film's free surface is its right end (the side the time history takes).
  bool RightSurface() const;

  // The set's files for a table-file name (B + ".TXT" and the optional parts), without
  // writing them.
  std::vector<std::string> SetFileNames(const std::string& tableFile) const;

 private:
  // After a name was chosen in a save dialog: a directory other than SaveDir offers the
  // save options with it and, for a profile set, the history file there.
  void DirectoryRule(const std::string& chosen, bool profileSet);
  // Reports a failure; a failed profile set also marks the results unsaved.
  bool Fail(const std::string& message, bool resultsUnsaved = true);

  // Whether no set of this base name exists on disk or was written in this run.
  bool SetNameFree(const std::string& base) const;

  // The sets written in the current run: base name and the time of the state [s]. A time
  // earlier than the last one means a new run (set up again, or an earlier set loaded),
  // which may replace what the previous run wrote.
  struct RunSet {
    std::string base;
    Real time;
  };
  std::vector<RunSet> runSets_;

  Session& s_;
  TMainForm& main_;
  TResultsTable& table_;
  TIntegralValues& integrals_;
  TSaveFileOptions& options_;
  PictureWriter pictureWriter_;
  std::function<void()> graphRefresh_;
  std::string lastError_;
  std::string firstError_;
};

}  // namespace tarvex
