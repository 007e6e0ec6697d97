// The "Q external" dialog on screen: it shows its form's values, a pulse typed into it
// reaches the session's laser source through the initial-conditions dialog's check box,
// a refused OK keeps it open with the focus on the field at fault, and the "&PreHt"
// button follows the sign of d.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "DesktopFixture.h"
#include "gui/common/RealEdit.h"
#include "gui/laser/QextDialogView.h"
#include "gui/setup/InitialDialogView.h"

using namespace tarvex;
using tarvex::guitest::ScriptedQtPrompter;
using tarvex::guitest::TypeInto;
using tarvex::guitest::WhileModal;

namespace {

// "&Q external" checked in the initial-conditions dialog, `inside` run in the source
// dialog. Returns the box's state afterwards; `lines` receives the texts of the source
// lines the initial-conditions dialog then shows ("" for a hidden one).
bool CheckQext(guitest::Desktop& f, const std::function<void(QextDialogView*)>& inside,
               QStringList* lines = nullptr) {
  bool checked = false;
  f.FromInitialDialog<QextDialogView>(
      [&](InitialDialogView* d) {
        auto* box = d->findChild<QCheckBox*>("Qext");
        QTest::mouseClick(box, Qt::LeftButton);
        checked = box->isChecked();
        if (lines == nullptr) return;
        for (QLabel* l : {d->QILabel, d->QLabel_, d->QPrLabel})
          lines->append(l->isVisible() ? l->text() : QString());
      },
      f.window.QextDialog(), inside);
  return checked;
}

void Choose(QComboBox* c, int item) {
  c->setCurrentIndex(item);
  emit c->activated(item);
}

}  // namespace

class QextDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void ShowsTheFormsValues();
  void TypedPulseReachesTheSessionThroughOk();
  void RefusedOkKeepsTheDialogOpenWithTheFocusOnTheField_data();
  void RefusedOkKeepsTheDialogOpenWithTheFocusOnTheField();
  void PreHeatButtonFollowsTheSignOfTheDepth();
  void PreHeatingDefinedInItsOwnViewIsShownAndHeldForOk();
};

void QextDialogTest::ShowsTheFormsValues() {
  ScriptedQtPrompter prompter;
  TQextDialog model;
  model.AEdit.SetValue(50);
  model.tEdit.SetValue(100);
  model.dEdit.SetValue(-10);
  QVERIFY(static_cast<bool>(model.SetChoice("tSelect", 2)));
  model.LeaveField("dEdit");  // d < 0 shows "&PreHt"
  QextDialogView view(model, prompter);
  view.show();
  QCOMPARE(view.windowTitle(), QString("Q external"));
  QCOMPARE(view.AEdit->text(), QString::fromStdString(model.AEdit.Text()));
  QCOMPARE(view.tEdit->text(), QString::fromStdString(model.tEdit.Text()));
  QCOMPARE(view.dEdit->text(), QString::fromStdString(model.dEdit.Text()));
  QCOMPARE(view.tSelect->currentText(), QString("[1,t<=tau, 0,t>tau]"));
  QCOMPARE(view.xSelect->currentIndex(), TQextDialog::kDefaultSpaceItem);
  QVERIFY(view.PreHtBtn->isVisible());
  QVERIFY(!view.PrehtLabel->isVisible());
  // Every numeric field says its unit in its tooltip.
  QVERIFY(view.AEdit->toolTip().contains("mJ/cm^2"));
  QVERIFY(view.tEdit->toolTip().contains("fs"));
  QVERIFY(view.dEdit->toolTip().contains("nm"));
  view.adjustSize();
  guitest::Screenshot(&view, "qext");
}

// F = 50 mJ/cm^2, d = 10 nm, tau = 100 fs, exponential in time and space:
// QAmp = 50e-6 / (1e-6 cm * 1e-13 s) = 5e14 kW/cm^3.
void QextDialogTest::TypedPulseReachesTheSessionThroughOk() {
  guitest::Desktop f;
  QWidget* focusAfterD = nullptr;
  QStringList lines;
  const bool checked = CheckQext(
      f,
      [&](QextDialogView* q) {
        TypeInto(q->AEdit, "50");
        Choose(q->tSelect, 1);
        TypeInto(q->tEdit, "100");
        Choose(q->xSelect, 1);
        TypeInto(q->dEdit, "10");
        QTest::keyClick(q->dEdit, Qt::Key_Return);  // leaving d > 0: the focus goes to OK
        focusAfterD = QApplication::focusWidget();
        QTest::keyClick(q->OkBitBtn, Qt::Key_Return);
      },
      &lines);
  QCOMPARE(focusAfterD, static_cast<QWidget*>(f.window.QextDialog()->OkBitBtn));
  QVERIFY(checked);
  QVERIFY(!f.window.QextDialog()->isVisible());
  const LaserSource& src = f.app.session.laser;
  QVERIFY(SourceDefined(src));
  QCOMPARE(static_cast<double>(src.QAmp), 5e14);
  QCOMPARE(static_cast<double>(src.QDepth), 1e-6);
  QCOMPARE(static_cast<double>(src.QTau), 1e-13);
  QCOMPARE(f.window.QextDialog()->QFLabel->text(),
           QString("F/(d*tau) * exp(-t/tau) * exp((x-x0)/d)"));
  // While the box is checked the initial-conditions dialog shows the source in force.
  QCOMPARE(lines, QStringList({"Q = F/(d*tau) * exp(-t/tau) * exp((x-x0)/d)",
                               "(F=50mJ/cm^2, d=10nm, tau=100fsec)", ""}));
}

void QextDialogTest::RefusedOkKeepsTheDialogOpenWithTheFocusOnTheField_data() {
  QTest::addColumn<QString>("tau");
  QTest::addColumn<QString>("d");
  QTest::addColumn<QString>("focus");
  QTest::newRow("tau 0") << "0"
                         << "10"
                         << "tEdit";
  QTest::newRow("d 0") << "100"
                       << "0"
                       << "dEdit";
}

void QextDialogTest::RefusedOkKeepsTheDialogOpenWithTheFocusOnTheField() {
  QFETCH(QString, tau);
  QFETCH(QString, d);
  QFETCH(QString, focus);
  guitest::Desktop f;
  bool stayedOpen = false;
  QWidget* focused = nullptr;
  QWidget* expected = nullptr;
  QString message;
  const bool checked = CheckQext(f, [&](QextDialogView* q) {
    TypeInto(q->AEdit, "50");
    TypeInto(q->tEdit, tau);
    TypeInto(q->dEdit, d);
    QTest::mouseClick(q->OkBitBtn, Qt::LeftButton);
    stayedOpen = q->isVisible();
    focused = QApplication::focusWidget();
    expected = q->Control(focus.toStdString());
    message = q->Message->text();
    QTest::keyClick(q, Qt::Key_Escape);  // Escape is "&No"
  });
  QVERIFY(stayedOpen);
  QCOMPARE(focused, expected);
  QVERIFY(!message.isEmpty());
  // "&No" leaves no source, and the box unchecks.
  QVERIFY(!checked);
  QVERIFY(f.window.InitialDialog()->QILabel->text().isEmpty());
  QVERIFY(!SourceDefined(f.app.session.laser));
}

void QextDialogTest::PreHeatButtonFollowsTheSignOfTheDepth() {
  ScriptedQtPrompter prompter;
  TQextDialog model;
  QextDialogView view(model, prompter);
  view.show();
  QApplication::setActiveWindow(&view);
  QVERIFY(!view.PreHtBtn->isVisible());
  TypeInto(view.dEdit, "-10");
  QTest::keyClick(view.dEdit, Qt::Key_Return);
  QVERIFY(view.PreHtBtn->isVisible());
  QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(view.PreHtBtn));
  TypeInto(view.dEdit, "10");
  QTest::keyClick(view.dEdit, Qt::Key_Return);
  QVERIFY(!view.PreHtBtn->isVisible());
}

// "&PreHt" opens the pre-heating instance in a second view with the time controls
// disabled; its OK hands F and d back: the main view shows the summary, keeps tau and the
// time shape fixed, and the main OK installs the pre-heating into the source.
void QextDialogTest::PreHeatingDefinedInItsOwnViewIsShownAndHeldForOk() {
  ScriptedQtPrompter prompter;
  TQextDialog model;
  QextDialogView view(model, prompter);
  LaserSource src;
  view.SetOkHandler([&] { return model.OkPressed(src); });
  bool preTimeDisabled = false;
  WhileModal(
      [&] {
        TypeInto(view.AEdit, "50");
        TypeInto(view.tEdit, "100");
        TypeInto(view.dEdit, "-10");
        QTest::keyClick(view.dEdit, Qt::Key_Return);  // shows "&PreHt"
        WhileModal(
            [&] {
              auto* pre = qobject_cast<QextDialogView*>(QApplication::activeModalWidget());
              if (pre == nullptr || pre == &view) return;
              QApplication::setActiveWindow(pre);
              preTimeDisabled = !pre->tSelect->isEnabled() && !pre->tEdit->isEnabled();
              TypeInto(pre->AEdit, "5");
              TypeInto(pre->dEdit, "20");
              QTest::mouseClick(pre->OkBitBtn, Qt::LeftButton);
              if (pre->isVisible()) pre->reject();
            },
            [&] { QTest::mouseClick(view.PreHtBtn, Qt::LeftButton); });
        QTest::mouseClick(view.OkBitBtn, Qt::LeftButton);
        if (view.isVisible()) view.reject();
      },
      [&] {
        view.show();
        QApplication::setActiveWindow(&view);
        view.exec();
      });
  QVERIFY(preTimeDisabled);
  QVERIFY(view.result() == QDialog::Accepted);
  QVERIFY(view.PrehtLabel->isVisibleTo(&view));
  QCOMPARE(view.PrehtLabel->text(), QString("( -: F=5mJ/cm^2, d=20nm)"));
  QVERIFY(!view.tEdit->isEnabled());
  QVERIFY(src.QPreAmp > 0);
  QCOMPARE(static_cast<double>(src.QPreDepth), 20e-7);
}

QTEST_MAIN(QextDialogTest)
#include "QextDialogTest.moc"
