// The desktop program driven through its widgets: the shock tube set up in the dialogs,
// Calculate filling the table and the graphs and writing the profile sets and pictures,
// loading a written set back, settings files, Break during a run, OK refused with the
// focus on the offending field, the number format of the table, the closing rules, and a
// two-temperature film opened from the bundled run files.
#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStyle>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "GuiTestSupport.h"
#include "core/app/AppModel.h"
#include "core/hydro/HydrStat.h"
#include "gui/common/NumFormatDialog.h"
#include "gui/common/RealEdit.h"
#include "gui/common/RoutedPrompter.h"
#include "gui/eos/StatEqDialogView.h"
#include "gui/files/SaveOptionsView.h"
#include "gui/hydro/ViscosityDialogView.h"
#include "gui/plot/GraphWidget.h"
#include "gui/run/MainWindow.h"
#include "gui/run/ResultsTableModel.h"
#include "gui/setup/InitialDialogView.h"

using namespace tarvex;
using tarvex::guitest::ScriptedQtPrompter;
using tarvex::guitest::TypeInto;
using tarvex::guitest::WhileModal;

namespace {

// Film rho 0.125, P 0.1 right of a substrate rho 1, P 1 (both ideal gases, gamma 1.4):
// the Sod shock tube on [-0.1, 0.1] with 160 substrate and 20 film cells of equal mass,
// run to t = 0.04, before any wave reaches a wall. The shock (speed 1.75) is then at
// x = 0.07 with the pressure 0.303 behind it.
constexpr int kGlassCells = 160;
constexpr int kCells = 180;

// The files of a directory with the given extension (case as written), sorted.
std::vector<std::string> FilesWith(const QString& dir, const std::string& ext) {
  std::vector<std::string> out;
  for (const auto& e : std::filesystem::directory_iterator(dir.toStdString())) {
    if (e.path().extension() == ext) out.push_back(e.path().string());
  }
  std::sort(out.begin(), out.end());
  return out;
}

struct Fixture {
  ScriptedQtPrompter prompter;
  // The session asks through the router, as in the program (settings files need it).
  RoutedPrompter routed{prompter};
  AppModel app{routed};
  MainWindow window{app, prompter};

  Fixture() {
    prompter.SetMainWindow(&window);
    prompter.Script("Save(print) settings?", Answer::No);
    window.show();
    // Focus changes (and so the leave-field handlers) need the active window.
    QApplication::setActiveWindow(&window);
  }

  void IdealGasInEosDialog() {
    StatEqDialogView* d = window.EosDialog();
    d->EqType->setCurrentRow(0);
    TypeInto(d->fields["gamma"], "1.4");
    QTest::mouseClick(d->OkBtn, Qt::LeftButton);
  }

  void SetUpShockTube() {
    // Film equation of state from the main window's button.
    WhileModal([this] { IdealGasInEosDialog(); }, [this] { window.EosBtn->click(); });
    // Main window: grid length, cells, film density.
    TypeInto(window.edits["Len"], QString::number(kCells * 0.005));
    window.DimensionEdit->setValue(kCells);
    TypeInto(window.edits["Rho0"], "0.125");
    // The initial-conditions dialog.
    WhileModal([this] { FillInitialDialog(); }, [this] { window.InitBtn->click(); });
  }

  void FillInitialDialog() {
    InitialDialogView* d = window.InitialDialog();
    QTest::mouseClick(d->findChild<QRadioButton*>("RadioGroup1"), Qt::LeftButton);
    TypeInto(d->edits["Pini"], "0.1");
    QTest::keyClick(d->edits["Pini"], Qt::Key_Return);
    TypeInto(d->edits["xf"], QString::number(kCells * 0.005));
    QTest::keyClick(d->edits["xf"], Qt::Key_Return);
    auto choose = [d](const char* name, int item) {
      auto* c = d->findChild<QComboBox*>(name);
      c->setCurrentIndex(item);
      emit c->activated(item);
    };
    choose("InitProfile", kModel1T);
    choose("MoveType", kMoveV0Zero);
    QTest::mouseClick(d->findChild<QCheckBox*>("CheckKeepVL"), Qt::LeftButton);
    d->findChild<QSpinBox*>("xShiftDivEdit")->setValue(kGlassCells);
    // The substrate's equation of state through "EOSl".
    WhileModal([this] { IdealGasInEosDialog(); },
               [d] { d->findChild<QPushButton*>("EOSlButton")->click(); });
    TypeInto(d->edits["rho0l"], "1");
    QTest::keyClick(d->edits["rho0l"], Qt::Key_Return);
    TypeInto(d->edits["T0l"], "1");  // P0l = rho T / M = 1
    QTest::keyClick(d->edits["T0l"], Qt::Key_Return);
    QTest::mouseClick(d->OkBtn, Qt::LeftButton);
  }

  void SetViscosityAndTimes() {
    WhileModal(
        [this] {
          ViscosityDialogView* v = window.ViscosityDialog();
          v->ViscType->button(ViscSymm)->click();
          TypeInto(v->ViscMult, "2");
          v->PressOk();
        },
        [this] { window.VisBtn->click(); });
    // Back in the main window after the dialog (the offscreen platform has no window
    // manager that would hand the activation back).
    QApplication::setActiveWindow(&window);
    TypeInto(window.edits["dt1"], "0.01");
    window.edits["EndTime"]->setFocus();  // leaving dt1 converts it

    TypeInto(window.edits["EndTime"], "0.04");
    window.edits["Len"]->setFocus();
  }

  // "Save options" with `dir` chosen through "&Directiry:", then OK.
  void SetOutputDirectory(const QString& dir) {
    prompter.directory = dir.toStdString();
    WhileModal(
        [this] {
          SaveOptionsView* v = window.SaveOptions();
          v->findChild<QPushButton*>("DirButton")->click();
          v->accept();
        },
        [this] { window.SaveOptBtn->click(); });
    QApplication::setActiveWindow(&window);
  }
};

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void ShockTubeThroughTheDialogsFillsTableAndGraphs();
  void LoadOfAWrittenProfileRefreshesTheTable();
  void SettingsFileRoundTripsTheSetUp();
  void RefusedSettingsFileNamesLineAndKeyAndChangesNothing();
  void ExamplesMenuOpensTheTypicalRun();
  void BreakEndsTheRunAfterTheCurrentSubStep();
  void RefusedOkKeepsTheDialogOpenWithTheFocusOnTheField_data();
  void RefusedOkKeepsTheDialogOpenWithTheFocusOnTheField();
  void EnterWalksThroughTheFieldsAndNeverBuildsTheState();
  void FormatDialogReformatsTheWholeTable();
  void RefreshOfTenThousandRowsSignalsOnce();
  void ClosingDuringARunBreaksItAndStaysOpen();
  void CalculateWithoutAStateFocusesInitShift();
  void TwoTemperatureFilmShowsBothTemperaturesInTableAndGraphs();
};

void MainWindowTest::ShockTubeThroughTheDialogsFillsTableAndGraphs() {
  Fixture f;
  f.SetUpShockTube();
  Session& s = f.app.session;
  QVERIFY(s.StateA != nullptr);
  QCOMPARE(s.sim.InGlass, kGlassCells);
  QVERIFY(std::fabs(static_cast<double>(s.StateA->x[kGlassCells])) < 1e-15);  // interface x = 0
  QCOMPARE(static_cast<double>(s.StateA->P[0]), 1.0);
  QCOMPARE(static_cast<double>(s.StateA->P[kCells - 1]), 0.1);
  QVERIFY(f.window.CalculateBtn->isEnabled());
  // The question about the graphs' origin was asked once.
  QCOMPARE(
      std::count(f.prompter.asked.begin(), f.prompter.asked.end(), std::string(kAskShiftGraphX0)),
      1);
  f.SetViscosityAndTimes();
  QVERIFY(f.app.main.Vis);
  QVERIFY(f.window.VisBtn->isChecked());
  // Leaving the time edits converted them into reduced units, t v1 / L0 with L0 = 0.9.
  QCOMPARE(f.window.edits["dtLV"]->text(), QString("0.0111"));
  QCOMPARE(f.window.edits["EndTmLV"]->text(), QString("0.044444444"));
  QTemporaryDir out;
  QVERIFY(out.isValid());
  f.SetOutputDirectory(out.path());
  QCOMPARE(f.app.main.SaveDir, out.path().toStdString() + "/");
  // The last interval's save dialogs keep the names proposed.
  f.prompter.acceptProposedName = true;

  QTest::mouseClick(f.window.CalculateBtn, Qt::LeftButton);
  const RunOutcome& r = f.window.LastRun();
  QVERIFY2(r.reachedEnd, r.error.c_str());
  QCOMPARE(r.progress.intervals, 4);
  QCOMPARE(f.window.CalculateBtn->text(), QString("&Calculate"));
  QCOMPARE(f.window.windowTitle(), QString("Tarvex"));

  // The table: one row per node, the title row as the header.
  QAbstractItemModel* m = f.window.TableView->model();
  QCOMPARE(m->rowCount(), kCells + 1);
  QVERIFY(m->columnCount() >= 7);
  QCOMPARE(m->data(m->index(kCells, 0)).toString(), QString::number(kCells));
  // The shock has run into the film: its pressure rose above the initial 0.1 behind it.
  const double pFilm = m->data(m->index(kGlassCells + 5, 4)).toString().toDouble();
  QVERIFY2(pFilm > 0.2 && pFilm < 0.4, qPrintable(QString::number(pFilm)));
  // The graphs show the final state: the pressure graph's range covers 0.1 .. 1.
  const PlotModel& p = f.window.Graphs().PGraph;
  QVERIFY(p.YAxis().Min() <= 0.1000001 && p.YAxis().Max() >= 0.9999999);
  QCOMPARE(p.Series(0).x.size(), size_t{kCells + 1});

  // The real column layout of pure hydrodynamics: ten columns, the plain titles of a
  // dimensionless equation of state, the same texts the core table (and so the .DAT
  // file) holds.
  const QStringList titles{"No",       "x(n)",     "rho",   "v(n)/v1", "P(n+1/2)",
                           "E(n+1/2)", "T(n+1/2)", "Phase", "Ind",     "L-x(n+1/2)"};
  QCOMPARE(m->columnCount(), int(titles.size()));
  for (int c = 0; c < titles.size(); ++c) {
    QCOMPARE(m->headerData(c, Qt::Horizontal).toString(), titles[c]);
    QCOMPARE(m->headerData(c, Qt::Horizontal).toString(),
             QString::fromStdString(f.app.table.Cell(0, c)).trimmed());
  }

  // One profile set (.DAT, .TXT) and one picture per output interval; the last one
  // through the save dialogs. Nothing is left unsaved.
  QCOMPARE(FilesWith(out.path(), ".DAT").size(), size_t{4});
  QCOMPARE(FilesWith(out.path(), ".TXT").size(), size_t{4});
  const std::vector<std::string> pictures = FilesWith(out.path(), ".jpg");
  QCOMPARE(pictures.size(), size_t{4});
  for (const std::string& pic : pictures) {
    QImage img(QString::fromStdString(pic));
    QVERIFY2(!img.isNull() && img.width() > 100, pic.c_str());
  }
  QVERIFY(!f.app.main.Unsaved);
  QVERIFY2(f.app.files.LastError().empty(), f.app.files.LastError().c_str());
  // The table file holds the table's title row.
  std::ifstream dat(FilesWith(out.path(), ".DAT").back());
  std::string firstLine;
  std::getline(dat, firstLine);
  QVERIFY2(firstLine.find("P(n+1/2)") != std::string::npos, firstLine.c_str());
}

void MainWindowTest::LoadOfAWrittenProfileRefreshesTheTable() {
  Fixture f;
  f.SetUpShockTube();
  f.SetViscosityAndTimes();
  QTemporaryDir out;
  f.SetOutputDirectory(out.path());
  f.prompter.acceptProposedName = true;
  QTest::mouseClick(f.window.CalculateBtn, Qt::LeftButton);
  QVERIFY(f.window.LastRun().reachedEnd);
  QAbstractItemModel* m = f.window.TableView->model();
  const int row = kGlassCells + 5;
  const QString pEnd = m->data(m->index(row, 4)).toString();

  // "LoadFile" with the set of the first interval (t = 0.01), OK in the after-load dialog.
  const std::vector<std::string> sets = FilesWith(out.path(), ".DAT");
  QCOMPARE(sets.size(), size_t{4});
  f.prompter.openFile = sets.front();
  bool afterLoadMode = false;
  WhileModal(
      [&] {
        afterLoadMode = f.app.initial.AfterLoadMode;
        f.window.InitialDialog()->PressOk();
      },
      [&] { f.window.LoadBtn->click(); });
  QVERIFY(afterLoadMode);
  QVERIFY(!f.app.initial.AfterLoadMode);
  QVERIFY(std::fabs(static_cast<double>(f.app.session.sim.SimTime) - 0.01) < 1e-12);
  // The view shows the loaded state: same shape, the earlier pressure behind the shock.
  QCOMPARE(m->rowCount(), kCells + 1);
  QCOMPARE(m->columnCount(), 10);
  const QString pLoaded = m->data(m->index(row, 4)).toString();
  QCOMPARE(pLoaded, QString::fromStdString(f.app.table.Cell(row + 1, 4)).trimmed());
  QVERIFY2(pLoaded != pEnd, qPrintable(pLoaded + " " + pEnd));
  QVERIFY(f.window.CalculateBtn->isEnabled());
}

void MainWindowTest::SettingsFileRoundTripsTheSetUp() {
  QTemporaryDir dir;
  const std::string path = dir.filePath("shock.toml").toStdString();
  {
    Fixture f;
    QVERIFY(f.window.SaveSettingsAction->isEnabled());
    f.SetUpShockTube();
    f.SetViscosityAndTimes();
    QVERIFY(f.window.SaveSettings(path));
  }
  Fixture g;
  QVERIFY(g.window.OpenSettingsAction->isEnabled());
  QVERIFY2(g.window.OpenSettings(path),
           g.prompter.informed.empty() ? "" : g.prompter.informed.back().c_str());
  // The same set-up, built through the forms, shown by the window.
  Session& s = g.app.session;
  QVERIFY(s.StateA != nullptr);
  QCOMPARE(s.StateA->CellCount(), kCells);
  QCOMPARE(s.sim.InGlass, kGlassCells);
  QCOMPARE(static_cast<double>(s.StateA->P[0]), 1.0);
  QCOMPARE(static_cast<double>(s.StateA->P[kCells - 1]), 0.1);
  QVERIFY(g.app.main.Vis);
  QCOMPARE(g.window.TableView->model()->rowCount(), kCells + 1);
  QCOMPARE(g.window.edits["EndTime"]->text(), QString("0.04"));
  QVERIFY(g.window.CalculateBtn->isEnabled());
}

void MainWindowTest::RefusedSettingsFileNamesLineAndKeyAndChangesNothing() {
  QTemporaryDir dir;
  const std::string path = dir.filePath("bad.toml").toStdString();
  {
    std::ofstream file(path);
    file << "[main]\nLen = 2\nNoSuchKey = 3\n";
  }
  Fixture f;
  f.SetUpShockTube();
  const Real lenBefore = f.app.main.Len.StoredValue();
  const THydrStat* stateBefore = f.app.session.StateA;
  QVERIFY(!f.window.OpenSettings(path));
  QVERIFY(!f.prompter.informed.empty());
  const std::string& message = f.prompter.informed.back();
  QVERIFY2(message.find("bad.toml:3") != std::string::npos, message.c_str());
  QVERIFY2(message.find("NoSuchKey") != std::string::npos, message.c_str());
  QCOMPARE(f.app.main.Len.StoredValue(), lenBefore);
  QCOMPARE(f.app.session.StateA, stateBefore);
}

// File > Examples lists the bundled run files; choosing the typical run sets every window
// as its run file does: a two-temperature gold film on glass, ready to calculate.
void MainWindowTest::ExamplesMenuOpensTheTypicalRun() {
  Fixture f;
  QVERIFY(f.window.ExamplesMenu != nullptr);
  QAction* gold = nullptr;
  for (QAction* a : f.window.ExamplesMenu->actions()) {
    if (a->text() == "gold_on_glass") gold = a;
  }
  QVERIFY(gold != nullptr);
  QVERIFY(gold->toolTip().startsWith("The typical run"));
  gold->trigger();
  QVERIFY2(f.prompter.informed.empty(),
           f.prompter.informed.empty() ? "" : f.prompter.informed.back().c_str());
  const Session& s = f.app.session;
  QVERIFY(s.StateA != nullptr);
  QCOMPARE(s.StateA->CellCount(), 1400);
  QCOMPARE(s.sim.InGlass, 400);
  QVERIFY(s.StateA->ArrayByName("Te") != nullptr);  // two temperatures
  QVERIFY(s.SpallOn);
  QVERIFY(f.window.CalculateBtn->isEnabled());
}

void MainWindowTest::BreakEndsTheRunAfterTheCurrentSubStep() {
  Fixture f;
  f.SetUpShockTube();
  f.SetViscosityAndTimes();
  // Break is pressed once the run has made progress (the window handles events between
  // the passes of a step and after every sub-step).
  QString captionDuringRun;
  Real timeAtBreak = -1;
  QTimer poll;
  poll.setInterval(0);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (!(f.app.session.sim.SimTime > 0)) return;
    poll.stop();
    captionDuringRun = f.window.CalculateBtn->text();
    timeAtBreak = f.app.session.sim.SimTime;
    QTest::mouseClick(f.window.CalculateBtn, Qt::LeftButton);
  });
  poll.start();
  QTest::mouseClick(f.window.CalculateBtn, Qt::LeftButton);
  const RunOutcome& r = f.window.LastRun();
  QCOMPARE(captionDuringRun, QString("X &Break Calc X"));
  QVERIFY(r.broken);
  QVERIFY(!r.reachedEnd);
  // No further sub-step was started after the one in progress.
  QVERIFY(r.progress.SimTime >= timeAtBreak);
  QVERIFY(r.progress.SimTime <= timeAtBreak + r.progress.Step * (1 + 1e-12L));
  // The interrupted interval is remembered: negative end time, dt1 the remainder.
  QVERIFY(f.app.main.EndTime.StoredValue() < 0);
  const Real remainder = 0.01L - r.progress.SimTime;
  QVERIFY(std::fabs(f.app.main.dt1.StoredValue() - remainder) < 1e-15L);
  QCOMPARE(f.window.CalculateBtn->text(), QString("&Calculate"));
  QVERIFY(f.window.CalculateBtn->isEnabled());
  QVERIFY(f.window.InitBtn->isEnabled());
}

void MainWindowTest::RefusedOkKeepsTheDialogOpenWithTheFocusOnTheField_data() {
  QTest::addColumn<QString>("len");
  QTest::addColumn<bool>("withEos");
  QTest::addColumn<QString>("focus");
  QTest::newRow("zero length") << "0" << true << "Len";
  QTest::newRow("no film EOS") << "1" << false << "StatEqButton";
}

void MainWindowTest::RefusedOkKeepsTheDialogOpenWithTheFocusOnTheField() {
  QFETCH(QString, len);
  QFETCH(bool, withEos);
  QFETCH(QString, focus);
  Fixture f;
  if (withEos) {
    WhileModal([&f] { f.IdealGasInEosDialog(); }, [&f] { f.window.EosBtn->click(); });
  }
  InitialDialogView* d = f.window.InitialDialog();
  bool openAfterOk = false;
  QString focused;
  WhileModal(
      [&] {
        TypeInto(d->edits["Len"], len);
        QTest::mouseClick(d->OkBtn, Qt::LeftButton);
        openAfterOk = d->isVisible();
        focused = d->focusWidget() != nullptr ? d->focusWidget()->objectName() : QString();
        d->reject();
      },
      [&f] { f.window.InitBtn->click(); });
  QVERIFY(openAfterOk);
  QCOMPARE(focused, focus);
  QVERIFY(f.app.session.StateA == nullptr);
}

void MainWindowTest::EnterWalksThroughTheFieldsAndNeverBuildsTheState() {
  Fixture f;
  WhileModal([&f] { f.IdealGasInEosDialog(); }, [&f] { f.window.EosBtn->click(); });
  InitialDialogView* d = f.window.InitialDialog();
  QString afterLen;
  QString afterDiv;
  bool open = false;
  WhileModal(
      [&] {
        TypeInto(d->edits["Len"], "2");
        QTest::keyClick(d->edits["Len"], Qt::Key_Return);
        afterLen = d->focusWidget()->objectName();
        QTest::keyClick(d->focusWidget(), Qt::Key_Return);  // x1Edit
        QTest::keyClick(d->focusWidget(), Qt::Key_Return);  // Div
        afterDiv = d->focusWidget()->objectName();
        open = d->isVisible();
        d->reject();
      },
      [&f] { f.window.InitBtn->click(); });
  QCOMPARE(afterLen, QString("x1Edit"));
  QCOMPARE(afterDiv, QString("Rho0"));
  QVERIFY(open);
  QVERIFY(f.app.session.StateA == nullptr);
  // Leaving Len with Enter copied it to the end of the initial region.
  QCOMPARE(static_cast<double>(f.app.initial.xf.StoredValue()), 2.0);
}

void MainWindowTest::FormatDialogReformatsTheWholeTable() {
  Fixture f;
  f.SetUpShockTube();
  QAbstractItemModel* m = f.window.TableView->model();
  QCOMPARE(m->data(m->index(0, 4)).toString(), QString("1"));
  WhileModal(
      [&f] {
        TNumFormatDialog* d = f.window.FormatDialog();
        d->FType->setCurrentIndex(static_cast<int>(TFloatFormat::ffFixed));
        d->Press->setValue(3);
        d->accept();
      },
      [&f] { f.window.FormatBtn->click(); });
  QCOMPARE(m->data(m->index(0, 4)).toString(), QString("1.000"));
  QCOMPARE(m->data(m->index(kCells - 1, 4)).toString(), QString("0.100"));
  // "Currency" is no style of the table: choosing it leaves the format as it is.
  WhileModal(
      [&f] {
        TNumFormatDialog* d = f.window.FormatDialog();
        d->FType->setCurrentIndex(static_cast<int>(TFloatFormat::ffCurrency));
        d->accept();
      },
      [&f] { f.window.FormatBtn->click(); });
  QCOMPARE(f.app.main.tableFormat->FormatType(), TFloatFormat::ffFixed);
  QCOMPARE(m->data(m->index(0, 4)).toString(), QString("1.000"));
}

void MainWindowTest::RefreshOfTenThousandRowsSignalsOnce() {
  ScriptedQtPrompter prompter;
  AppModel app(prompter);
  QVERIFY(app.session.EnsureInstances(SolverClass::HydrStat, 10000));
  THydrStat& A = *app.session.StateA;
  for (int32_t i = 0; i <= 10000; ++i) A.x[static_cast<size_t>(i)] = i;
  app.session.sim.CellMassUniform = 1;
  TResultsTable table;
  ResultsTableModel model(table);
  QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
  QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
  table.Refresh(app.session, app.main);
  model.Refresh();
  QCOMPARE(model.rowCount(), 10001);
  QCOMPARE(reset.count(), 1);
  QCOMPARE(changed.count(), 0);
  A.P[7] = 2.5;
  table.Refresh(app.session, app.main);
  model.Refresh();
  QCOMPARE(reset.count(), 1);
  QCOMPARE(changed.count(), 1);  // one signal for the whole table, never one per cell
  QCOMPARE(model.data(model.index(7, 4)).toString(), QString("2.5"));
  model.Refresh();  // nothing new in the core table: nothing to tell
  QCOMPARE(changed.count(), 1);
}

void MainWindowTest::ClosingDuringARunBreaksItAndStaysOpen() {
  Fixture f;
  f.SetUpShockTube();
  f.SetViscosityAndTimes();
  f.prompter.Script("Break calculations?", Answer::Yes);
  bool closedDuringRun = true;
  QTimer::singleShot(0, [&] { closedDuringRun = f.window.close(); });
  QTest::mouseClick(f.window.CalculateBtn, Qt::LeftButton);
  QVERIFY(!closedDuringRun);
  QVERIFY(f.window.isVisible());
  QVERIFY(f.window.LastRun().broken);
  // Afterwards the results are unsaved (no output directory): Cancel keeps the window.
  f.prompter.Script("Results not saved! Save now?", Answer::Cancel);
  QVERIFY(!f.window.close());
  f.prompter.Script("Results not saved! Save now?", Answer::No);
  QVERIFY(f.window.close());
}

void MainWindowTest::CalculateWithoutAStateFocusesInitShift() {
  Fixture f;
  QTest::mouseClick(f.window.CalculateBtn, Qt::LeftButton);
  QVERIFY(!f.window.LastRun().computed);
  QCOMPARE(f.window.focusWidget(), static_cast<QWidget*>(f.window.InitBtn));
}

// The bundled gold-like film heated through its electrons (examples/film_2t_constant*.toml),
// opened as a settings file. On the moving grid, two output intervals to t = 1.7 ps: the
// electrons have spread the pulse through the film and are far hotter than the lattice
// (about 1 950 K against 360 K); the table shows the electrons' and ions' own columns with
// titles that fit, the temperature graph Te above Ti and the pressure graph Pe and Pi. The
// frozen grid shows the temperature graph alone, over the whole graph panel.
void MainWindowTest::TwoTemperatureFilmShowsBothTemperaturesInTableAndGraphs() {
  const std::string examples = TARVEX_TEST_DATA "/../../examples/";
  auto timeStatus = [](Fixture& f) { return f.window.findChild<QLabel*>("TimeStatus")->text(); };
  Fixture f;
  QVERIFY2(f.window.OpenSettings(examples + "film_2t_constant.toml"),
           f.prompter.informed.empty() ? "" : f.prompter.informed.back().c_str());
  // The run starts 300 fs before the peak of the pulse.
  QCOMPARE(timeStatus(f), QString("t = -3E-13 s"));
  TypeInto(f.window.edits["EndTime"], "1.7e-12");
  f.window.edits["Len"]->setFocus();
  QTest::mouseClick(f.window.CalculateBtn, Qt::LeftButton);
  const RunOutcome& r = f.window.LastRun();
  QVERIFY2(r.reachedEnd, r.error.c_str());
  QCOMPARE(r.progress.intervals, 2);
  QCOMPARE(timeStatus(f), QString("t = 1.7E-12 s"));

  // The table: the columns of the moving two-temperature grid, each title readable in
  // full in its header section.
  QAbstractItemModel* m = f.window.TableView->model();
  QHeaderView* header = f.window.TableView->horizontalHeader();
  const int margins = 2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
  QStringList titles;
  for (int c = 0; c < m->columnCount(); ++c) {
    titles << m->headerData(c, Qt::Horizontal).toString();
    const int needed = header->fontMetrics().horizontalAdvance(titles.back()) + margins;
    QVERIFY2(header->sectionSize(c) >= needed, qPrintable(titles.back()));
  }
  QCOMPARE(m->columnCount(), 20);
  for (const char* t :
       {"Ti(n+1/2)[K]", "Te(n+1/2)[K]", "Ei(n+1/2)[kJ/g]", "Ee(n+1/2)[kJ/g]", "Pe(n+1/2)[GPa]"})
    QVERIFY2(titles.contains(t), t);
  // Rows are nodes; the cell n+1/2 stands in row n. Cells 0..49 are the substrate, which
  // does not conduct and stays near 300 K; in the film the electrons are far above the
  // lattice, which has begun to warm.
  const int te = int(titles.indexOf("Te(n+1/2)[K]"));
  const int ti = int(titles.indexOf("Ti(n+1/2)[K]"));
  auto value = [m](int row, int col) { return m->data(m->index(row, col)).toString().toDouble(); };
  const int mid = 100;                    // the middle of the film
  const int surface = m->rowCount() - 2;  // the film's last cell
  for (int row : {mid, surface}) {
    QVERIFY2(value(row, te) > 1500 && value(row, te) < 2500, qPrintable(QString::number(row)));
    QVERIFY2(value(row, ti) > 305 && value(row, ti) < 450, qPrintable(QString::number(row)));
  }
  QCOMPARE(value(10, te), 300.0);
  QCOMPARE(value(10, ti), 300.0);

  // The graphs: Te (magenta) and Ti (green) labelled beside the temperature, Pe and Pi
  // beside the pressure, every node plotted; the temperature axis reaches the electrons.
  const int nodes = m->rowCount();
  auto checkPair = [nodes](const PlotModel& g, const char* e, const char* i) {
    QCOMPARE(g.SeriesCount(), 3);
    const PlotSeries& se = g.Series(1);
    const PlotSeries& si = g.Series(2);
    QCOMPARE(QString::fromStdString(se.name), QString(e));
    QCOMPARE(QString::fromStdString(si.name), QString(i));
    QVERIFY(se.color == PlotColors::kMagenta);
    QVERIFY(si.color == PlotColors::kGreen);
    for (const PlotSeries* s : {&se, &si}) {
      QVERIFY(s->labelAt != CurveLabelAt::None);
      QCOMPARE(s->x.size(), size_t(nodes));
      QCOMPARE(s->y.size(), size_t(nodes));
    }
  };
  const TResultsGraphs& graphs = f.window.Graphs();
  checkPair(graphs.TGraph, "Te", "Ti");
  checkPair(graphs.PGraph, "Pe", "Pi");
  const PlotSeries& teCurve = graphs.TGraph.Series(1);
  const PlotSeries& tiCurve = graphs.TGraph.Series(2);
  QVERIFY(teCurve.y[mid] > tiCurve.y[mid] + 1000);
  QVERIFY(graphs.TGraph.YAxis().Max() >= *std::max_element(teCurve.y.begin(), teCurve.y.end()));
  for (TImageFrame* frame : f.window.frames) QVERIFY(frame->isVisible());
  // The picture of the documentation: the middle of the film selected (the marker in the
  // graphs), its temperatures in view.
  f.window.TableView->selectRow(mid);
  f.window.TableView->scrollTo(m->index(mid, te), QAbstractItemView::PositionAtCenter);
  guitest::Screenshot(&f.window, "main-window-2t");

  // The frozen grid: the 13 columns of heat conduction alone, the temperature graph alone.
  Fixture g;
  QVERIFY2(g.window.OpenSettings(examples + "film_2t_constant_frozen.toml"),
           g.prompter.informed.empty() ? "" : g.prompter.informed.back().c_str());
  TypeInto(g.window.edits["EndTime"], "7e-13");
  g.window.edits["Len"]->setFocus();
  QTest::mouseClick(g.window.CalculateBtn, Qt::LeftButton);
  QVERIFY2(g.window.LastRun().reachedEnd, g.window.LastRun().error.c_str());
  QCOMPARE(g.window.TableView->model()->columnCount(), 13);
  for (int i = 0; i < 3; ++i) QVERIFY(!g.window.frames[size_t(i)]->isVisible());
  TImageFrame* tFrame = g.window.frames[3];
  QVERIFY(tFrame->isVisible());
  QCOMPARE(tFrame->size(), tFrame->parentWidget()->size());
  const PlotModel& tGraph = g.window.Graphs().TGraph;
  QCOMPARE(tGraph.SeriesCount(), 3);
  QCOMPARE(QString::fromStdString(tGraph.Series(1).name), QString("Te"));
  QVERIFY(tGraph.Series(1).y[mid] > tGraph.Series(2).y[mid] + 1000);
  guitest::Screenshot(&g.window, "main-window-2t-frozen");
}

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
