// The equation-of-state dialog on screen with the analytic models: choosing a cold-curve
// model shows its own fields (with their units) and hides the other models' frames, its
// material list presets them, and OK installs the model as the film's equation of state.
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "DesktopFixture.h"
#include "gui/common/RealEdit.h"
#include "gui/eos/StatEqDialogView.h"

using namespace tarvex;
using tarvex::guitest::WhileModal;

class StatEqDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void ColdCurveModelShowsItsFrameAndIsInstalled();
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

QTEST_MAIN(StatEqDialogTest)
#include "StatEqDialogTest.moc"
