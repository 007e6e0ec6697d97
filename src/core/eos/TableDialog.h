// TStatEqTables: the form model of the "StatEquation Tables" dialog, without a display.
//
// One instance per medium (film, left medium). The dialog loads a table set in two
// steps — "&Load File" reads the description, "&Continue" the grids and tables — and
// shows the set on pages: the Data page (the description in Memo, the grid summary and
// the extreme values) and one page per table, all sharing one cell selection. "&Edit"
// makes the table cells editable and shows "&Save", which writes the set as a folder of
// files. Every question goes through the Prompter.
//
// The set in use (Table()) changes only when a load succeeds, or with OK after edits:
// a failed load, Cancel or unaccepted edits leave the previous set in use. Sets are
// shared read-only, so slots bound to an earlier set stay valid after a new load.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/common/Prompter.h"
#include "core/eos/EosTableIO.h"
#include "core/eos/EosTableSet.h"

namespace tarvex {

// Outcome of a button or an edit: on refusal `focus` names the control that gets the
// focus and `message` says why (the dialog never shows a message itself).
struct TTablesResult {
  bool accepted = true;
  std::string focus;
  std::string message;

  explicit operator bool() const { return accepted; }
  static TTablesResult Accepted() { return {}; }
  static TTablesResult Refused(std::string focus, std::string message) {
    return {false, std::move(focus), std::move(message)};
  }
};

class TStatEqTables {
 public:
  static constexpr const char* kCaption = "StatEquation Tables";
  static constexpr const char* kFilter = "Tables discription file|*.man";

  // How the dialog ended: OK, Cancel, or Retry ("ReSet": the caller destroys the
  // instance and the medium's table model becomes unavailable until a new one loads).
  enum class Result { None, Ok, Cancel, Retry };
  enum class PageKind { Data, Values, Phase };

  struct Page {
    std::string caption;  // with its accelerator mark, e.g. "&Pressu", "Phys&Id"
    PageKind kind = PageKind::Data;
    TTableKind table = TTableKind::Other;
    int32_t other = -1;  // index into the set's Others for TTableKind::Other
  };

  // The texts of the Data page's fields after a description was read.
  struct DataFields {
    std::string Material, T_ini, T_fin, T_dim, R_ini, R_fin, R_dim, NT, NV, TGrid, VGrid;
  };

  // ---- buttons ----
  // "&Load File": the open dialog (filter kFilter), then LoadDescription.
  TTablesResult LoadFile(Prompter& prompter);
  // Reads a description: Memo shows its lines, Label1 its folder (with the ".eos" file
  // it names); "&Load File" is hidden and "&Continue" shown.
  TTablesResult LoadDescription(const std::filesystem::path& manPath);
  // Loads grids and tables of the description's folder into a new set. On success the
  // set is in use and shown, OK appears; on failure the reason goes to Memo, "&Continue"
  // is hidden, "ReSet" shown, and the previous set stays in use.
  TTablesResult Continue(Prompter& prompter);
  // OK: refused unless both required tables were loaded by the last "&Continue". Puts
  // edited values in use, hides "&Continue" and shows "ReSet".
  TTablesResult Ok();
  // Cancel: edits not accepted with OK are dropped; the set in use stays.
  void Cancel();
  // "ReSet": ends the dialog with Retry.
  void ReSet();
  // "&Edit": table cells become editable and "&Save" appears.
  void Edit();
  // "&Save": asks for the description file (default "data.man"), writes Memo to it and
  // the grids and tables beside it, each optional table after its question, then the
  // message "Saved: ...".
  TTablesResult Save(Prompter& prompter);

  Result GetResult() const { return result_; }
  // "&Load File", "&Continue", "OK", "ReSet", "&Edit", "&Save", "Cancel".
  bool Visible(std::string_view control) const;
  const std::string& Focus() const { return focus_; }

  // ---- the Data page ----
  const std::vector<std::string>& Memo() const { return memo_; }
  void SetMemo(std::vector<std::string> lines) { memo_ = std::move(lines); }
  const std::string& Label1() const { return label1_; }
  const DataFields& Fields() const { return fields_; }
  // Extreme values of the pressure, energy and entropy tables: the four corners and the
  // smallest and largest value of the first and the last row, one line per table.
  std::vector<std::string> Extremes() const;

  // ---- table pages ----
  // Page 0 is the Data page; the table pages follow in loading order.
  int32_t PageCount() const { return static_cast<int32_t>(pages_.size()); }
  const Page& PageAt(int32_t page) const { return pages_[static_cast<size_t>(page)]; }
  // A table page is a grid of NT + 2 rows and NV + 1 columns: (0, 0) "     \rho",
  // (1, 0) "T \ P \ V", row 0 the densities, row 1 the volumes, column 0 the
  // temperatures, the values from row 2 and column 1 on (8 significant digits in 15
  // characters; phase codes in their text form). 0 for the Data page.
  int32_t RowCount(int32_t page) const;
  int32_t ColCount(int32_t page) const;
  std::string Cell(int32_t page, int32_t row, int32_t col) const;
  bool CellEditable(int32_t page, int32_t row, int32_t col) const;
  // Edits a value cell (after "&Edit"): a number, or on the phase page a phase text
  // ("S", "mLG", ...) or a code. Refused with a message otherwise, the cell unchanged.
  TTablesResult SetCell(int32_t page, int32_t row, int32_t col, std::string_view text);
  // The cell selection that every table page shares.
  void Select(int32_t row, int32_t col);
  int32_t SelectedRow() const { return selRow_; }
  int32_t SelectedCol() const { return selCol_; }

  // ---- for the equation-of-state dialog and the slots ----
  // The set in use (empty before the first successful load) and its label.
  std::shared_ptr<const TEosTableSet> Table() const { return table_; }
  const std::string& TableLabel() const { return tableLabel_; }
  // The description file of the set in use (empty before the first successful load).
  const std::filesystem::path& TableFile() const { return tableFile_; }

 private:
  void BuildPages();
  void FillFields(const TTableDescription& d);
  const RealArray* RealTable(const Page& p) const;

  TEosTableDescriptionRead desc_;
  std::shared_ptr<const TEosTableSet> table_;  // in use
  std::shared_ptr<const TEosTableSet> shown_;  // on the pages (the edited copy while editing)
  std::shared_ptr<TEosTableSet> edited_;       // set while shown_ holds unaccepted edits
  std::string tableLabel_;
  std::filesystem::path manPath_;    // the description read last
  std::filesystem::path tableFile_;  // the description of the set in use
  std::vector<std::string> memo_;
  std::string label1_;
  DataFields fields_;
  std::vector<Page> pages_{Page{"Data", PageKind::Data, TTableKind::Other, -1}};
  int32_t selRow_ = 2;
  int32_t selCol_ = 1;
  bool loadFileVisible_ = true;
  bool continueVisible_ = false;
  bool okVisible_ = false;
  bool resetVisible_ = false;
  bool editing_ = false;
  std::string focus_ = "&Load File";
  Result result_ = Result::None;
};

}  // namespace tarvex
