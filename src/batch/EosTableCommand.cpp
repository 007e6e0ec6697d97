// The table writer of the batch runner.
#include "batch/EosTableCommand.h"

#include <filesystem>

#include "batch/BatchMain.h"
#include "batch/BatchPrompter.h"
#include "core/app/AppModel.h"
#include "core/eos/EosBind.h"
#include "core/eos/EosTableIO.h"
#include "core/eos/EosTableWriter.h"
#include "runfile/RunFile.h"
#include "runfile/RunSettings.h"

namespace tarvex::batch {

using namespace tarvex::runfile;

namespace {

// The film's phase code as the results table shows it, as a slot of the writer.
struct FilmPhaseOf {
  const EosState* eos;
};
int32_t FilmPhase(const FilmPhaseOf& p, Real rho, Real T) {
  return FilmPhaseCode(*p.eos, rho, T);
}

}  // namespace

int WriteEosTableCommand(const std::string& runFile, const std::string& outDir, std::ostream& out,
                         std::ostream& err) {
  const std::string command = "tarvex1l-run --write-eos-table";
  if (outDir.empty()) {
    err << command << ": give the folder of the table set with --out DIR\n";
    return kExitUsage;
  }
  const ReadResult read = ReadRunFile(runFile);
  if (!read.ok()) {
    for (const RunFileError& e : read.errors) err << e.Text() << '\n';
    return kExitBadRunFile;
  }
  const RunFile& file = read.file;
  if (!file.Table("table")->present) {
    err << file.name << ": the run file has no [table] section: give the grid of the table "
        << "(Tmin, Tmax, NT, RhoMin, RhoMax, NV)\n";
    return kExitBadRunFile;
  }
  BatchPrompter prompter;
  AppModel app(prompter);
  const ApplyResult applied = ApplyRunFile(file, app, prompter, "");
  if (!applied.ok()) {
    err << applied.error->Text() << '\n';
    return kExitBadRunFile;
  }
  const EosState& eos = app.session.eos;
  if (eos.Film.model == nullptr || !eos.FilmEos.E || !eos.FilmEos.P) {
    err << file.name << ": [eos.film] gives no equation of state with an energy and a pressure "
        << "to tabulate\n";
    return kExitBadRunFile;
  }
  TEosTableGrid grid;
  std::string field, message;
  if (!app.tableGrid.Grid(grid, field, message)) {
    err << file.name << ": [table] " << field << ": " << message << '\n';
    return kExitBadRunFile;
  }

  const EosMediumRecord& rec = eos.Film;
  const std::string label = EosInfoLabel(*rec.model, rec.values, {}, rec.preset, false, rec.table);
  TEosTableModel model;
  model.E = eos.FilmEos.E;
  model.P = eos.FilmEos.P;
  const FilmPhaseOf phase{&eos};
  model.PhaseId = MakeIntSlot<FilmPhaseOf, &FilmPhase>(phase);
  const std::string title =
      "Made by " + command + " " + runFile + " --out " + outDir + " from \"" + label + "\"";
  const TEosTableWrite w = WriteEosTable(model, grid, title, label, outDir);
  if (!w.ok) {
    err << command << ": " << w.message << '\n';
    return kExitIoFailure;
  }
  // The set is read back as the models load it, so that what was written is what a run
  // will use.
  ScriptedPrompter quiet;
  const std::filesystem::path man = std::filesystem::path(outDir) / "data.man";
  const TEosTableLoad back = LoadEosTableSet(man, quiet);
  if (!back.ok) {
    err << command << ": the written set does not read back: " << back.message << '\n';
    return kExitIoFailure;
  }
  out << "Wrote " << man.string() << ": \"" << label << "\" on " << back.set->NT()
      << " temperatures x " << back.set->NV() << " densities\n";
  return kExitOk;
}

}  // namespace tarvex::batch
