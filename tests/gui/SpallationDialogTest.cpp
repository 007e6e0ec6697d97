// The "Spallation" dialog on screen, opened by "Sp&all" in the equation-of-state dialog:
// the gold preset typed in through the list reaches the session's criteria through OK and
// switches the test on; Cancel and unchecking switch it off; the controls the form hides
// are hidden; a refused OK keeps the dialog open with the focus on the field at fault.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTest>
#include <cmath>
#include <memory>

#include "DesktopFixture.h"
#include "gui/common/RealEdit.h"
#include "gui/eos/StatEqDialogView.h"
#include "gui/spall/SpallationDialogView.h"

using namespace tarvex;
using tarvex::guitest::TypeInto;
using tarvex::guitest::WhileModal;

namespace {

int ItemOf(QListWidget* list, const QString& text) {
  for (int i = 0; i < list->count(); ++i) {
    if (list->item(i)->text() == text) return i;
  }
  return -1;
}

// The equation-of-state button, a gold vapour as the film's equation of state, then
// "Sp&all" clicked. Checking it runs `inside` in the spallation dialog; unchecking opens
// nothing. Returns the state of "Sp&all" afterwards; `eosClosed` tells whether the
// equation-of-state dialog closed.
bool ClickSpall(guitest::Desktop& f, const std::function<void(SpallationDialogView*)>& inside,
                bool* eosClosed = nullptr) {
  bool checked = false;
  WhileModal(
      [&] {
        StatEqDialogView* d = f.window.EosDialog();
        QApplication::setActiveWindow(d);
        d->EqType->setCurrentRow(FindEosModel("ideal_gas_of")->index);
        d->Metal->setCurrentIndex(2);  // Au
        // The box shows whether the test is on.
        QCOMPARE(d->Spall->isChecked(), f.app.session.SpallOn);
        if (d->Spall->isChecked()) {
          d->Spall->click();
        } else {
          SpallationDialogView* s = f.window.SpallationDialog();
          WhileModal(
              [&] {
                QApplication::setActiveWindow(s);
                inside(s);
                if (s->isVisible()) s->reject();
              },
              [&] { d->Spall->click(); });
        }
        checked = d->Spall->isChecked();
        if (eosClosed != nullptr) *eosClosed = !d->isVisible();
        if (d->isVisible()) d->reject();
      },
      [&] { f.window.EosBtn->click(); });
  return checked;
}

}  // namespace

class SpallationDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void GoldPresetReachesTheSessionThroughOk();
  void CancelAndUncheckingSwitchTheTestOff();
  void HiddenControlsFollowTheForm();
  void RefusedOkKeepsTheDialogOpenWithTheFocusOnTheField();
  void WithoutAnEquationOfStateNothingOpens();
};

void SpallationDialogTest::GoldPresetReachesTheSessionThroughOk() {
  guitest::Desktop f;
  bool closed = false;
  bool accepted = false;
  const bool checked = ClickSpall(
      f,
      [&](SpallationDialogView* s) {
        QCOMPARE(s->windowTitle(), QString("Spallation"));
        // Every numeric field carries its unit beside it and in its tooltip.
        const TRealEdit* tc = s->fields.value("TcEdit");
        QVERIFY(tc->toolTip().contains("[K]"));
        const int au = ItemOf(s->Materials, "Au");
        QCOMPARE(au, 6);
        s->Materials->setCurrentRow(au);
        QCOMPARE(tc->text(), QString("7764"));
        QVERIFY(s->checks.value("CheckPliq")->isChecked());
        QVERIFY(!s->checks.value("VCalcCheck")->isChecked());
        QVERIFY(s->fields.value("VEdit")->isVisible());
        QVERIFY(!s->RadioGroup1->isVisible());  // gold here has sigma(Ti) only
        guitest::Screenshot(s, "spallation");
        QTest::mouseClick(s->OkBtn, Qt::LeftButton);
        accepted = !s->isVisible() && s->result() == QDialog::Accepted;
      },
      &closed);
  QVERIFY(accepted);
  QVERIFY(checked);
  QVERIFY(closed);  // "Sp&all" ran the dialog's OK: the equation of state is accepted
  QCOMPARE(f.prompter.asked.back(), std::string("Save(print) settings?"));
  const Session& s = f.app.session;
  QVERIFY(s.SpallOn);
  QCOMPARE(s.eos.FilmEosType, FindEosModel("ideal_gas_of")->index);
  const TSpallParams& p = s.spall;
  QVERIFY(p.CheckNucl && p.CheckPliq && !p.CheckSpall && !p.CheckPsol && !p.VCalc);
  QVERIFY(p.SigmaOfT);
  QCOMPARE(static_cast<double>(p.Tc), 7764.0);
  QCOMPARE(static_cast<double>(p.Pliq0), -5.04);
  QCOMPARE(static_cast<double>(p.PliqT2), -1.49e-7);
  QCOMPARE(static_cast<double>(p.mAt), 3.269171298778251e-22);
  // sigma0 from the surface tension at the melting point: 530 erg/cm2 at 1336 K.
  const double sigma0 = 530 / std::pow(1 - 1336.0 / 7764.0, 1.25);
  QVERIFY(std::fabs(static_cast<double>(p.sigma0) / sigma0 - 1) < 1e-12);
  // V = 1e-15 cm3, eta = 0.005 Pa*s: V' = V*1e-6/eta per second of available time.
  QVERIFY(std::fabs(static_cast<double>(p.NuclVFactor) / (1e-15 * 1e-6 / 0.005) - 1) < 1e-12);
}

void SpallationDialogTest::CancelAndUncheckingSwitchTheTestOff() {
  guitest::Desktop f;
  // Cancel: the box goes up again and the test stays off.
  QVERIFY(!ClickSpall(f, [](SpallationDialogView* s) { s->CancelBtn->click(); }));
  QVERIFY(!f.app.session.SpallOn);
  // "Save(print) settings?" answered Cancel closes with Cancel: nothing stored.
  f.prompter.Script("Save(print) settings?", Answer::Cancel);
  QVERIFY(!ClickSpall(f, [](SpallationDialogView* s) {
    s->Materials->setCurrentRow(ItemOf(s->Materials, "Au"));
    s->OkBtn->click();
    QVERIFY(!s->isVisible());
  }));
  QVERIFY(!f.app.session.SpallOn);
  QCOMPARE(static_cast<double>(f.app.session.spall.mAt), 0.0);
  // OK switches it on; the next opening shows the box down; unchecking switches it off.
  f.prompter.Script("Save(print) settings?", Answer::No);
  QVERIFY(ClickSpall(f, [](SpallationDialogView* s) {
    s->Materials->setCurrentRow(ItemOf(s->Materials, "Au"));
    s->OkBtn->click();
  }));
  QVERIFY(f.app.session.SpallOn);
  bool opened = false;
  bool closed = true;
  QVERIFY(!ClickSpall(
      f, [&](SpallationDialogView*) { opened = true; }, &closed));
  QVERIFY(!opened);
  QVERIFY(!closed);  // unchecking only switches the test off
  QVERIFY(!f.app.session.SpallOn);
}

void SpallationDialogTest::HiddenControlsFollowTheForm() {
  guitest::Desktop f;
  ClickSpall(f, [&](SpallationDialogView* s) {
    // The list taking the focus applies no preset.
    s->Materials->setFocus(Qt::TabFocusReason);
    QCOMPARE(f.app.spallation.Material(), -1);
    QVERIFY(!f.app.spallation.Check("VCalcCheck"));
    QCheckBox* vCalc = s->checks.value("VCalcCheck");
    vCalc->click();
    QVERIFY(vCalc->isChecked());
    QVERIFY(!s->fields.value("VEdit")->isVisible());
    // Tantalum offers sigma(rho,Ti) and chooses it: the group and its fields appear.
    s->Materials->setCurrentRow(ItemOf(s->Materials, "Ta"));
    QVERIFY(s->RadioGroup1->isVisible());
    QVERIFY(s->SigmaRhoT->isChecked());
    QVERIFY(s->fields.value("sigmaREdit")->isVisible());
    QVERIFY(s->fields.value("Ei0Edit")->isVisible());
    s->SigmaT->click();
    QVERIFY(!s->fields.value("sigmaREdit")->isVisible());
    // Checking Foam moves on to its strength.
    s->checks.value("Foam")->click();
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(s->fields.value("Pf")));
    // Escape closes with Cancel.
    QTest::keyClick(s, Qt::Key_Escape);
    QVERIFY(!s->isVisible());
    QCOMPARE(s->result(), static_cast<int>(QDialog::Rejected));
  });
  QVERIFY(!f.app.session.SpallOn);
}

void SpallationDialogTest::RefusedOkKeepsTheDialogOpenWithTheFocusOnTheField() {
  guitest::Desktop f;
  bool stayed = false;
  QVERIFY(ClickSpall(f, [&](SpallationDialogView* s) {
    s->Materials->setCurrentRow(ItemOf(s->Materials, "Au"));
    TRealEdit* eta = s->fields.value("etaEdit");
    TypeInto(eta, "0");
    QTest::mouseClick(s->OkBtn, Qt::LeftButton);
    stayed = s->isVisible();
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(eta));
    QVERIFY(s->Message->text().contains("viscosity"));
    // Enter in the corrected field presses OK.
    TypeInto(eta, "0.005");
    QTest::keyClick(eta, Qt::Key_Return);
    QVERIFY(!s->isVisible());
  }));
  QVERIFY(stayed);
  QVERIFY(f.app.session.SpallOn);
}

// "Sp&all" runs the equation-of-state dialog's OK first: with no model chosen it is
// refused, the box goes up again and the spallation dialog does not open.
void SpallationDialogTest::WithoutAnEquationOfStateNothingOpens() {
  guitest::Desktop f;
  auto opened = std::make_shared<bool>(false);
  QPointer<SpallationDialogView> s = f.window.SpallationDialog();
  WhileModal(
      [&] {
        StatEqDialogView* d = f.window.EosDialog();
        const auto close = qScopeGuard([d] { d->reject(); });
        QApplication::setActiveWindow(d);
        QCOMPARE(f.app.eos.EqType(), -1);  // the list taking the focus chose nothing
        // Should the dialog open after all, close it so that the test cannot hang.
        QTimer::singleShot(0, [s, opened] {
          if (s && s->isVisible()) {
            *opened = true;
            s->reject();
          }
        });
        d->Spall->click();
        QVERIFY(!d->Spall->isChecked());
        QVERIFY(d->isVisible());
        QVERIFY(!d->Message->text().isEmpty());
      },
      [&] { f.window.EosBtn->click(); });
  QVERIFY(!*opened);
  QVERIFY(!f.app.session.SpallOn);
}

QTEST_MAIN(SpallationDialogTest)
#include "SpallationDialogTest.moc"
