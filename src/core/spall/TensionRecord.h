// The tension-time record of the film cells (Tneg) with its two times.
//
// Tneg[i] tells how long cell i has been stretched and whether it has broken:
//   0    the cell is not under tension;
//   > 0  the time it has spent under tension [s];
//   < 0  the cell has failed (spalled); |Tneg[i]| is its tension time.
// TnegTime is the simulation time up to which the record has been advanced, TnegOrigin
// the earliest time from which tension can have accumulated (tension times never exceed
// TnegTime − TnegOrigin).
//
// The thermal solvers own one record per run: it is created at the first energy step with
// spallation on (from "Tneg.dat" when one is found, else fresh), advanced at the start of
// every energy step whose time differs from TnegTime, updated per cell after the new
// pressures are known, written with the profile files and emptied when a solver instance
// is destroyed. The operations below are the rules those steps apply to one entry; which
// velocities and pressures decide them is the solver's business.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/Real.h"

namespace tarvex {

// δ and τmax of one advance of the record (TTensionRecord::BeginAdvance).
struct TTensionAdvance {
  bool due = false;  // TnegTime differs from SimTime: the per-cell advance rules apply
  Real delta = 0;    // min(dt, SimTime − TnegTime) [s]; ≤ 0 when time went back
  Real tauMax = 0;   // max(SimTime − TnegOrigin, 0) [s]
};

// Outcome of reading "Tneg.dat": on failure `message` names the file and the line, and
// the record is unchanged.
struct TTensionLoadResult {
  bool ok = true;
  std::string message;
  explicit operator bool() const { return ok; }
};

class TTensionRecord {
 public:
  // ---- lifetime ----
  bool Exists() const { return !tneg_.empty(); }
  // Entries: the cell count + 1 (the last one is never a cell's).
  int32_t Size() const { return static_cast<int32_t>(tneg_.size()); }
  // Empties the record (a solver instance was destroyed; the next use starts again).
  void Clear();
  // First use without a file: cellCount + 1 zero entries, TnegTime = SimTime and
  // TnegOrigin = SimTime − 2·dt. The solver then marks the cells that are already
  // stretched with SetTensionTime(i, dt).
  void StartFresh(int32_t cellCount, Real SimTime, Real dt);
  // First use from the text of "Tneg.dat" (first line the time, then one entry per line):
  // cellCount + 1 entries, entries 0 .. cellCount − 1 read while the file has lines,
  // TnegTime = the time and TnegOrigin = min(TnegTime, TnegTime − |entry|). Blank lines
  // are skipped; a line that is not one finite number refuses the whole file.
  TTensionLoadResult Load(std::string_view text, int32_t cellCount, std::string_view fileName);

  // ---- reading ----
  Real TnegTime() const { return tnegTime_; }
  Real TnegOrigin() const { return tnegOrigin_; }
  std::span<const Real> Tneg() const { return tneg_; }
  // Per-cell access for remeshing (shift and thin-out carry the entries along).
  std::span<Real> MutableTneg() { return tneg_; }
  Real operator[](int32_t i) const { return tneg_[static_cast<size_t>(i)]; }
  // |Tneg[i]|: what the spallation test gets as the cell's tension time.
  Real TensionTime(int32_t i) const;
  bool Failed(int32_t i) const { return (*this)[i] < 0; }

  // ---- per-cell rules after the new pressure P (Old pressure P0) is known ----
  void SetTensionTime(int32_t i, Real t) { At(i) = t; }
  // A stretched, expanding cell whose tension time is shorter than the step: its tension
  // starts within this step, at the fraction |P/(P0 − P)| of dt when it was not stretched
  // before (P0 ≥ 0), for the whole step otherwise. Longer tension times are kept.
  void StartTension(int32_t i, Real dt, Real P, Real P0);
  // The cell has failed: Tneg[i] = −|Tneg[i]|.
  void MarkFailed(int32_t i);
  // No tension any more: Tneg[i] = 0.
  void ClearTension(int32_t i) { At(i) = 0; }
  // A failed cell carries tension again as an intact one: Tneg[i] = |Tneg[i]|.
  void ClearFailure(int32_t i);

  // ---- advance at the start of an energy step ----
  TTensionAdvance BeginAdvance(Real SimTime, Real dt) const;
  // A stretched cell (Tneg > 0) that stays stretched, or any when time went back:
  // Tneg = max(0, min(Tneg + δ, τmax)).
  void AdvanceTension(int32_t i, const TTensionAdvance& a);
  // A failed cell (Tneg < 0) that keeps expanding while time goes forward (δ > 0). Its
  // failure reaches the right neighbour when that one is compressed and the left one when
  // that one expands: a stretched neighbour gets at least the failed cell's tension time,
  // a failed neighbour the longer of both. Meanwhile the cell's own tension time grows by
  // δ, up to τmax. The caller says which neighbours qualify (false beyond the grid).
  void AdvanceFailed(int32_t i, const TTensionAdvance& a, bool rightCompressing,
                     bool leftExpanding);
  // A failed cell when time went back (δ ≤ 0): Tneg = min(Tneg − δ, 0).
  void RewindFailed(int32_t i, const TTensionAdvance& a);
  // The record has been advanced to SimTime.
  void FinishAdvance(Real SimTime) { tnegTime_ = SimTime; }

 private:
  Real& At(int32_t i) { return tneg_[static_cast<size_t>(i)]; }
  // The failure of cell i reaches neighbour j.
  void Spread(int32_t i, int32_t j);

  std::vector<Real> tneg_;
  Real tnegTime_ = 0;
  Real tnegOrigin_ = 0;
};

}  // namespace tarvex
