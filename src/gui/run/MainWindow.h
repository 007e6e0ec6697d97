// The main window of the desktop program, bound to the AppModel: the run parameters of
// TMainForm, the buttons of the run ("&Calculate", which becomes "X &Break Calc X" while a
// run goes on, "&Init/Shift", "&EqvOfState", "Vis", "Format", "E&xit"), the results table
// and the four graphs, and a status line with the simulated time, the speed of the run
// and the output directory. It creates the dialogs of the program in their start-up
// order and answers the main form's questions about the other windows (MainFormContext).
#pragma once

#include <QElapsedTimer>
#include <QMainWindow>
#include <QMap>
#include <array>
#include <string>

#include "core/run/AppModel.h"
#include "core/run/ResultsGraphs.h"
#include "core/run/ResultsTable.h"
#include "render/ResultsPicture.h"

class QLabel;
class QPushButton;
class QSpinBox;
class QTableView;
class QAction;

namespace tarvex {

class Prompter;
class TRealEdit;
class TImageFrame;
class ResultsTableModel;
class StatEqDialogView;
class SaveOptionsView;
class InitialDialogView;
class TNumFormatDialog;
class ViscosityDialogView;

class MainWindow : public QMainWindow, public MainFormContext {
  Q_OBJECT

 public:
  MainWindow(AppModel& app, Prompter& prompter, QWidget* parent = nullptr);
  ~MainWindow() override;

  AppModel& App() { return app_; }
  TResultsTable& Table() { return table_; }
  TResultsGraphs& Graphs() { return graphs_; }
  const RunOutcome& LastRun() const { return lastRun_; }
  bool Running() const { return running_; }

  // The result-file hooks of the run (the profile files, histories); nullptr: none, the
  // window then writes only the pictures of the graphs when an output directory is set.
  void SetFileHooks(RunHooks* hooks) { fileHooks_ = hooks; }
  // The picture writer for the result-file hooks: the last picture of a run (final) goes
  // through the save dialog, the others straight to their names.
  PictureWriter MakeGuiPictureWriter();

  // Table and graphs from StateA.
  void RefreshDisplay(bool withGraphs);
  // Every edit shows its field again (after a handler changed the form).
  void ShowFields();

  // ---- MainFormContext ----
  bool PicturesAsJpeg() const override { return app_.main.PicturesAsJpeg; }
  bool SaveResults() override;

  // ---- views ----
  StatEqDialogView* EosDialog() { return eosDialog_; }
  SaveOptionsView* SaveOptions() { return saveOptions_; }
  InitialDialogView* InitialDialog() { return initialDialog_; }
  TNumFormatDialog* FormatDialog() { return formatDialog_; }
  ViscosityDialogView* ViscosityDialog();

  QMap<QString, TRealEdit*> edits;
  // Whether the state is in physical units (EosScale 1e5) rather than dimensionless.
  bool PhysicalState() const;
  QSpinBox* DimensionEdit = nullptr;
  QSpinBox* StepDivEdit = nullptr;
  QSpinBox* MnStepDivEdit = nullptr;
  QPushButton* CalculateBtn = nullptr;
  QPushButton* InitBtn = nullptr;
  QPushButton* EosBtn = nullptr;
  QPushButton* VisBtn = nullptr;
  QPushButton* FormatBtn = nullptr;
  QPushButton* SaveOptBtn = nullptr;
  QPushButton* ExitBtn = nullptr;
  QAction* SaveSettingsAction = nullptr;
  QAction* OpenSettingsAction = nullptr;
  QTableView* TableView = nullptr;
  std::array<TImageFrame*, 4> frames{};

 public slots:
  void Calculate();
  void InitShift();
  void EqvOfState();
  void Vis();
  void FormatTable();
  void EditSaveOptions();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  friend class GuiRunHooks;
  TRealEdit* AddField(const char* name, const QString& tip, const QString& unit);
  void Leave(const std::string& name);
  void UpdateButtons();
  void UpdateStatus(const RunProgress& p, bool force);
  void FocusForm();
  void OpenEos(bool left);

  AppModel& app_;
  Prompter& prompter_;
  TResultsTable table_;
  TResultsGraphs graphs_;
  ResultsTableModel* tableModel_ = nullptr;
  StatEqDialogView* eosDialog_ = nullptr;
  SaveOptionsView* saveOptions_ = nullptr;
  InitialDialogView* initialDialog_ = nullptr;
  TNumFormatDialog* formatDialog_ = nullptr;
  ViscosityDialogView* viscDialog_ = nullptr;
  QLabel* eosLabel_ = nullptr;
  QLabel* dirLabel_ = nullptr;
  QLabel* timeStatus_ = nullptr;
  QLabel* speedStatus_ = nullptr;
  QLabel* dirStatus_ = nullptr;
  RunHooks* fileHooks_ = nullptr;
  RunOutcome lastRun_;
  bool running_ = false;
  bool graphsAsked_ = false;
  bool shiftX0_ = false;
  QMap<QString, QString> tips_;
  QMap<QString, QString> units_;
  QElapsedTimer runClock_;
  qint64 lastStatusMs_ = 0;
};

}  // namespace tarvex
