// The table dialog on screen, opened from the equation-of-state dialog's "TabFiles": a
// shipped set (data/eos/gold) is loaded with "&Load File" and "&Continue", its pressure
// page shows the grid and the values, every page keeps the one cell selection, and after
// OK the equation-of-state dialog shows "Table: gold" and installs the table as the film's
// equation of state.
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include "DesktopFixture.h"
#include "gui/eos/StatEqDialogView.h"
#include "gui/eos/TableDialogView.h"

using namespace tarvex;
using tarvex::guitest::WhileModal;

class TableDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void GoldSetIsLoadedAndBecomesTheFilmsTable();
};

void TableDialogTest::GoldSetIsLoadedAndBecomesTheFilmsTable() {
  guitest::Desktop f;
  const std::string man = std::string(TARVEX_TEST_DATA) + "/../../data/eos/gold/data.man";
  f.prompter.openFile = man;
  bool tableChecked = false, eosChecked = false;
  WhileModal(
      [&] {
        StatEqDialogView* d = f.window.EosDialog();
        QApplication::setActiveWindow(d);
        d->EqType->setCurrentRow(1);  // "Table"
        QVERIFY(d->TabFiles->isEnabled());
        WhileModal(
            [&] {
              TableDialogView* t = d->TableView(false);
              QVERIFY(t != nullptr);
              QApplication::setActiveWindow(t);
              QVERIFY(t->LoadFileBtn->isVisible());
              QVERIFY(!t->OkBtn->isVisible());
              QTest::mouseClick(t->LoadFileBtn, Qt::LeftButton);
              QVERIFY(t->ContinueBtn->isVisible());
              QVERIFY(t->Memo->toPlainText().contains("--write-eos-table"));
              QTest::mouseClick(t->ContinueBtn, Qt::LeftButton);
              QVERIFY2(t->OkBtn->isVisible(), qPrintable(t->Message->text()));
              // Data, Pressu, Energy, PhysId.
              QCOMPARE(t->Pages->count(), 4);
              QCOMPARE(t->Pages->tabText(1), QString("&Pressu"));
              auto* pressure = qobject_cast<QTableView*>(t->Pages->widget(1));
              QVERIFY(pressure != nullptr);
              // 48 temperatures under two grid rows, 80 volumes beside the T column.
              QCOMPARE(pressure->model()->rowCount(), 50);
              QCOMPARE(pressure->model()->columnCount(), 81);
              QCOMPARE(pressure->model()->index(2, 0).data().toString(), QString("100"));
              // Selecting a cell selects it on every page.
              pressure->setCurrentIndex(pressure->model()->index(20, 25));
              auto* energy = qobject_cast<QTableView*>(t->Pages->widget(2));
              QCOMPARE(energy->currentIndex().row(), 20);
              QCOMPARE(energy->currentIndex().column(), 25);
              // The picture shows the corner: densities, volumes and temperatures.
              pressure->setCurrentIndex(pressure->model()->index(8, 4));
              QCOMPARE(energy->currentIndex().row(), 8);
              t->Pages->setCurrentIndex(1);
              pressure->scrollTo(pressure->model()->index(0, 0));
              guitest::Screenshot(t, "eos-table");
              QTest::mouseClick(t->OkBtn, Qt::LeftButton);
              tableChecked = !t->isVisible();
            },
            [&] { QTest::mouseClick(d->TabFiles, Qt::LeftButton); });
        QCOMPARE(d->TabLabel->text(), QString("Table: gold"));
        QTest::mouseClick(d->OkBtn, Qt::LeftButton);
        eosChecked = !d->isVisible();
      },
      [&] { f.window.EosBtn->click(); });
  QVERIFY(tableChecked);
  QVERIFY(eosChecked);
  const EosState& eos = f.app.session.eos;
  QCOMPARE(eos.FilmEosType, 1);
  QVERIFY(eos.FilmTableFlag);
  QCOMPARE(f.app.eos.InfoLabel(), std::string("Table: gold"));
  QVERIFY(eos.Film.tableFile.find("gold") != std::string::npos);
  // Gold near its reference density at room temperature: a small pressure.
  QVERIFY(std::fabs(static_cast<double>(eos.FilmEos.P(19.3L, 300))) < 5);
}

QTEST_MAIN(TableDialogTest)
#include "TableDialogTest.moc"
