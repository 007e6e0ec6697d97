// The optics dialogs on screen, on a heated-gold state set up from the reflectance
// example: "Reflectance…" of the View menu opens the film-reflectance dialog, whose OK with
// R0 = 0 takes R0 from the surface and switches "R.dat" on, and whose refused OK keeps it
// open on the field at fault; the integral values' "Refraction" opens the refractive-data
// dialog, whose "Calculate" cuts the profile into layers, shows the table and the
// refraction R +_i* h in the integral values.
#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>
#include <sstream>

#include "DesktopFixture.h"
#include "gui/common/RealEdit.h"
#include "gui/optics/ComplexEdit.h"
#include "gui/optics/ReflectanceDialogView.h"
#include "gui/optics/RefractDataView.h"
#include "gui/run/IntegralValuesView.h"

using namespace tarvex;
using tarvex::guitest::Screenshot;
using tarvex::guitest::TypeInto;
using tarvex::guitest::WhileModal;

namespace {

// The gold film of the example, without its optics tables.
bool SetUpGoldFilm(guitest::Desktop& f, QTemporaryDir& dir) {
  std::ifstream in(std::string(TARVEX_TEST_DATA) + "/../../examples/gold_film_reflectance.toml");
  std::stringstream text;
  text << in.rdbuf();
  std::string run = text.str();
  run = run.substr(0, run.find("[reflectance]"));
  const std::string path = dir.filePath("gold.toml").toStdString();
  std::ofstream(path) << run;
  return !run.empty() && f.window.OpenSettings(path) && f.app.session.StateA != nullptr;
}

QAction* ViewAction(guitest::Desktop& f, const QString& name) {
  for (QAction* menu : f.window.menuBar()->actions()) {
    if (menu->menu() == nullptr) continue;
    for (QAction* a : menu->menu()->actions()) {
      if (a->objectName() == name) return a;
    }
  }
  return nullptr;
}

}  // namespace

class OpticsDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void ReflectanceOkTakesR0FromTheSurfaceAndSwitchesTheOutputOn();
  void RefusedReflectanceOkKeepsTheDialogOnTheField();
  void RefractionCalculateShowsTheLayersAndTheRefraction();
};

void OpticsDialogTest::ReflectanceOkTakesR0FromTheSurfaceAndSwitchesTheOutputOn() {
  guitest::Desktop f;
  QTemporaryDir dir;
  QVERIFY(SetUpGoldFilm(f, dir));
  QAction* open = ViewAction(f, "ReflectanceAction");
  QVERIFY(open != nullptr);
  f.prompter.Script(kAskPrintSave, Answer::No);
  ReflectanceDialogView* d = f.window.ReflectanceDialog();
  WhileModal(
      [&] {
        QApplication::setActiveWindow(d);
        QCOMPARE(d->fields["R0Edit"]->text(), QString("0"));
        TypeInto(d->fields["HHEdit"], "50");
        Screenshot(d, "reflectance");
        d->OkBtn->click();
        if (d->isVisible()) d->reject();
      },
      [&] { open->trigger(); });
  const ReflectanceState& st = f.app.session.reflectance;
  QVERIFY(st.ReflectanceOn);
  QCOMPARE(st.model.Params().HH, Real(50));
  // R0 is the present reflectance of the surface: the first -dR/R0 is 0.
  const std::optional<FilmCell> cell = f.app.files.SurfaceCell();
  QVERIFY(cell.has_value());
  QVERIFY(st.model.Params().R0 > 0.5 && st.model.Params().R0 < 1);
  QCOMPARE(static_cast<double>(st.model(cell->Ti, cell->Te, cell->rho)), 0.0);
  QCOMPARE(f.prompter.asked.back(), std::string(kAskPrintSave));
}

void OpticsDialogTest::RefusedReflectanceOkKeepsTheDialogOnTheField() {
  guitest::Desktop f;
  QTemporaryDir dir;
  QVERIFY(SetUpGoldFilm(f, dir));
  ReflectanceDialogView* d = f.window.ReflectanceDialog();
  bool stayed = false;
  WhileModal(
      [&] {
        QApplication::setActiveWindow(d);
        TypeInto(d->fields["ensEdit"], "9.2");  // the s-band energy must be negative
        d->OkBtn->click();
        stayed = d->isVisible();
        QVERIFY(d->fields["ensEdit"]->hasFocus());
        QVERIFY(d->Message->text().contains("negative"));
        if (d->isVisible()) d->reject();
      },
      [&] { f.window.ShowReflectance(); });
  QVERIFY(stayed);
  QVERIFY(!f.app.session.reflectance.ReflectanceOn);
  QCOMPARE(f.app.session.reflectance.model.Params().ens, Real(-9.2L));
}

void OpticsDialogTest::RefractionCalculateShowsTheLayersAndTheRefraction() {
  guitest::Desktop f;
  QTemporaryDir dir;
  QVERIFY(SetUpGoldFilm(f, dir));
  f.window.Integr();
  IntegralValuesView* iv = f.window.IntegralValues();
  QVERIFY(iv->RefractionBtn != nullptr);
  bool closed = false;
  WhileModal(
      [&] {
        RefractDataView* d = f.window.RefractDialog();
        QVERIFY(d != nullptr);
        QApplication::setActiveWindow(d);
        TypeInto(d->Lambda, "800");
        d->CalcBtn->click();
        closed = !d->isVisible();
        QVERIFY(d->Table->rowCount() >= 2);  // the vacuum and the bulk at least
        QCOMPARE(d->Table->item(0, 0)->text(), QString("0"));
        Screenshot(d, "refractdata");
        if (d->isVisible()) d->reject();
      },
      [&] { iv->RefractionBtn->click(); });
  QVERIFY(closed);
  QVERIFY(f.app.integrals.RefrVisible);
  // A cold uniform gold film: one bulk below the vacuum, R of gold at 800 nm.
  const Complex refr = f.app.integrals.Refr.StoredValue();
  QVERIFY(refr.re > 0.9 && refr.re < 1);
  QVERIFY(iv->Refr->isVisibleTo(iv));
  QVERIFY(iv->Refr->Text().contains("+_i*"));
  Screenshot(iv, "integralvalues-refraction");
}

QTEST_MAIN(OpticsDialogTest)
#include "OpticsDialogTest.moc"
