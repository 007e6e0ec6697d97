// The equation-of-state dialog on screen with the analytic models: choosing a cold-curve
// model shows its own fields (with their units) and hides the other models' frames, its
// material list presets them, and OK installs the model as the film's equation of state.
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <cmath>
#include <string>

#include "DesktopFixture.h"
#include "gui/common/RealEdit.h"
#include "gui/eos/StatEqDialogView.h"

using namespace tarvex;
using tarvex::guitest::WhileModal;

class StatEqDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void ColdCurveModelShowsItsFrameAndIsInstalled();
  void CheckKappaShowsItsOptionsAndInstallsTheConductivity();
};

void StatEqDialogTest::ColdCurveModelShowsItsFrameAndIsInstalled() {
  guitest::Desktop f;
  const EosModelInfo* mieGrun = FindEosModel("mie_grun");
  QVERIFY(mieGrun != nullptr);
  bool checked = false;
  WhileModal(
      [&] {
        StatEqDialogView* d = f.window.EosDialog();
        QApplication::setActiveWindow(d);
        d->EqType->setCurrentRow(mieGrun->index);
        auto* metal = d->findChild<QComboBox*>("Metal");
        QVERIFY(metal->isEnabled());
        QCOMPARE(metal->count(), static_cast<int>(mieGrun->presets.size()));
        metal->setCurrentIndex(2);  // Ta
        // Its own fields are shown, another model's frame is not; the labels carry units.
        for (const EosParamInfo& p : mieGrun->params) {
          TRealEdit* e = d->fields.value(p.name, nullptr);
          QVERIFY2(e != nullptr && e->isVisible() && e->isEnabled(), p.name);
        }
        TRealEdit* other = d->fields.value("C2Edit", nullptr);  // "LinEOS"
        QVERIFY(other != nullptr && !other->isVisible());
        QVERIFY(d->fields.value("gamma")->isVisible());  // a common field stays in view
        guitest::Screenshot(d, "eos-miegrun");
        QTest::mouseClick(d->OkBtn, Qt::LeftButton);
        checked = !d->isVisible();
      },
      [&] { f.window.EosBtn->click(); });
  QVERIFY(checked);
  const EosState& eos = f.app.session.eos;
  QCOMPARE(eos.FilmEosType, mieGrun->index);
  QCOMPARE(eos.Film.preset, 2);
  QVERIFY(eos.FilmEos.E && eos.FilmEos.P && eos.FilmEos.TofE);
  // Tantalum at its reference density and room temperature: a solid at small pressure.
  QVERIFY(std::fabs(static_cast<double>(eos.FilmEos.P(eos.Film.Value("Rho0Edit"), 300))) < 5);
}

// The conductivity box: its fields follow CheckKappa and the option; "FnT" shows its
// frame; OK puts the law in the film's Kappa, which the conduction solvers read.
void StatEqDialogTest::CheckKappaShowsItsOptionsAndInstallsTheConductivity() {
  guitest::Desktop f;
  bool checked = false;
  WhileModal(
      [&] {
        StatEqDialogView* d = f.window.EosDialog();
        QApplication::setActiveWindow(d);
        d->EqType->setCurrentRow(FindEosModel("rose")->index);
        d->findChild<QComboBox*>("Metal")->setCurrentIndex(1);  // Au
        QVERIFY(!d->fields.value("kappaEdit")->isEnabled());
        QVERIFY(!d->kappaFnTCheck->isEnabled());
        d->CheckKappa->click();
        QVERIFY(d->fields.value("kappaEdit")->isEnabled());
        QVERIFY(d->kappaFnTCheck->isEnabled());
        QVERIFY(!d->kappaFnTFrame->isVisible());
        d->kappaFnTCheck->click();
        QVERIFY(d->kappaFnTFrame->isVisible());
        QVERIFY(d->fields.value("k0")->isEnabled());
        QVERIFY(!d->fields.value("kappaEdit")->isEnabled());  // "FnT" reads its frame
        guitest::TypeInto(d->fields.value("k0"), "317");
        guitest::Screenshot(d, "eos-conductivity");
        QTest::mouseClick(d->OkBtn, Qt::LeftButton);
        checked = !d->isVisible();
      },
      [&] { f.window.EosBtn->click(); });
  QVERIFY(checked);
  const EosState& eos = f.app.session.eos;
  QVERIFY(eos.FilmEos.Kappa);
  // Far below Tm (Td = 50 K) the solid law alone: 1e-5 (k0 - kT (T - Tr)) kW/cm/K, the
  // liquid's weight exp((T - Tm)/Td) ~ 4e-10.
  const double k = static_cast<double>(eos.FilmEos.Kappa(19.3L, 273));
  QVERIFY2(std::fabs(k - 317e-5) < 1e-9 * 317e-5, std::to_string(k).c_str());
}

QTEST_MAIN(StatEqDialogTest)
#include "StatEqDialogTest.moc"
