// The "Histories" window: opened from the main window's View menu, it offers the columns
// of the run's time history and plots the chosen one against the time; while it is open
// every output interval of a run adds its point.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>
#include <sstream>

#include "DesktopFixture.h"
#include "core/files/HistoryPlot.h"
#include "gui/common/RealEdit.h"
#include "gui/plot/GraphWidget.h"
#include "gui/run/HistoriesView.h"

using namespace tarvex;
using tarvex::guitest::TypeInto;

namespace {

// The laser-heating example on a moving grid, ending at `end`.
std::string LaserRun(const std::string& end) {
  std::ifstream in(std::string(TARVEX_TEST_DATA) + "/../../examples/laser_heating_1t.toml");
  std::stringstream ss;
  ss << in.rdbuf();
  std::string text = ss.str();
  auto replace = [&text](const std::string& from, const std::string& to) {
    const size_t at = text.find(from);
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return at != std::string::npos;
  };
  if (!replace("MoveType = \"No move\"", "MoveType = \"P0 = Pout\"")) return {};
  if (!replace("EndTime = 2e-11", "EndTime = " + end)) return {};
  return text;
}

}  // namespace

class HistoriesViewTest : public QObject {
  Q_OBJECT

 private slots:
  void PlotsAColumnOfTheRunsHistoryAndFollowsTheRun();
};

void HistoriesViewTest::PlotsAColumnOfTheRunsHistoryAndFollowsTheRun() {
  guitest::Desktop f;
  QTemporaryDir out;
  QVERIFY(out.isValid());
  const std::string run = LaserRun("2.7e-12");
  QVERIFY(!run.empty());
  const std::string path = out.filePath("run.toml").toStdString();
  std::ofstream(path) << run;
  f.app.main.SaveDir = out.path().toStdString() + "/";
  f.prompter.Script("Use I EOS for glass?", Answer::No);
  f.prompter.Script("Shift graph x0 to right (L0)?", Answer::No);
  QVERIFY2(f.window.OpenSettings(path),
           f.prompter.informed.empty() ? "" : f.prompter.informed.back().c_str());
  QCOMPARE(f.app.main.HistoryFileName, f.app.main.SaveDir + "Surf.dat");
  f.prompter.acceptProposedName = true;  // the last interval's save dialogs
  QTest::mouseClick(f.window.CalculateBtn, Qt::LeftButton);
  QVERIFY2(f.window.LastRun().reachedEnd, f.window.LastRun().error.c_str());

  // The View menu opens the window on the history of the output directory.
  QAction* action = f.window.findChild<QAction*>("HistoriesAction");
  QVERIFY(action != nullptr);
  action->trigger();
  HistoriesView* v = f.window.Histories();
  QVERIFY(v->isVisible());
  QComboBox* combo = v->ColumnCombo;
  QVERIFY(combo->count() > 20);
  QCOMPARE(combo->itemText(0), QString("x[nm]"));
  QCOMPARE(combo->itemText(2), QString("T[K]"));
  // Three intervals: three points of the surface position, the first column.
  QCOMPARE(f.app.histories.RecordCount(), 3);
  QCOMPARE(f.app.histories.graph.Series(0).y.size(), size_t(3));
  QVERIFY(v->StatusLabel->text().contains("3 records"));

  // The surface temperature: it falls after the pulse.
  combo->setCurrentIndex(2);
  QCOMPARE(QString::fromStdString(f.app.histories.graph.Title()), QString("T[K] against time[]"));
  const std::vector<Real>& T = f.app.histories.graph.Series(0).y;
  QCOMPARE(T.size(), size_t(3));
  QVERIFY(T[0] > 600 && T[2] < T[0]);

  // The run goes on with the window open: each interval adds its point, the column stays.
  QApplication::setActiveWindow(&f.window);
  TypeInto(f.window.edits["EndTime"], "4.7e-12");
  f.window.edits["Len"]->setFocus();
  QTest::mouseClick(f.window.CalculateBtn, Qt::LeftButton);
  QVERIFY2(f.window.LastRun().reachedEnd, f.window.LastRun().error.c_str());
  QCOMPARE(f.app.histories.RecordCount(), 5);
  QCOMPARE(combo->currentIndex(), 2);
  QCOMPARE(f.app.histories.graph.Series(0).y.size(), size_t(5));
  guitest::Screenshot(v, "histories");
}

QTEST_MAIN(HistoriesViewTest)
#include "HistoriesViewTest.moc"
