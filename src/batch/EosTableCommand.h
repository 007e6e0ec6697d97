// `tarvex1l-run --write-eos-table RUNFILE --out DIR`: tabulates the film's equation of
// state of a run file on the grid of its [table] section and writes the table set
// (description "data.man", grids, pressure, energy and phase-code tables) into DIR, where
// the models "Table" and "Scaled Tab" load it.
#pragma once

#include <ostream>
#include <string>

namespace tarvex::batch {

// Returns an exit code of tarvex1l-run (BatchMain.h).
int WriteEosTableCommand(const std::string& runFile, const std::string& outDir, std::ostream& out,
                         std::ostream& err);

}  // namespace tarvex::batch
