// The thermal-parameter dialog on screen: it shows its pages' values, a model typed into
// the "Constant" page reaches the session's electron slots through the initial-conditions
// dialog's button, a refused OK keeps it open with the focus on the field at fault, and
// pages that are not available are listed but cannot be chosen.
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "DesktopFixture.h"
#include "gui/common/RealEdit.h"
#include "gui/electron/ThermParamDialogView.h"
#include "gui/optics/ReflectanceDialogView.h"
#include "gui/setup/InitialDialogView.h"

using namespace tarvex;
using tarvex::guitest::ScriptedQtPrompter;
using tarvex::guitest::TypeInto;
using tarvex::guitest::WhileModal;

namespace {

constexpr int32_t kConstant = 0;

void OpenThermParam(guitest::Desktop& f, const std::function<void(ThermParamDialogView*)>& inside) {
  f.FromInitialDialog<ThermParamDialogView>(
      [](InitialDialogView* d) { d->findChild<QPushButton*>("ThermParam")->click(); },
      f.window.ThermParamDialog(), inside);
}

}  // namespace

class ThermParamDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void ShowsThePagesValues();
  void TypedConstantModelReachesTheSessionThroughOk();
  void RefusedOkKeepsTheDialogOpenWithTheFocusOnTheField();
  void PagesNotAvailableCannotBeChosen();
  void SplineButtonsReadTheFilesAndShowTheTable();
  void ASplineFileThatCannotBeReadIsShownAndTheDialogStays();
  void CalcRefrOpensTheReflectanceDialogAndShowsItsSwitch();
};

void ThermParamDialogTest::ShowsThePagesValues() {
  ScriptedQtPrompter prompter;
  TThermParamDialog model;
  QVERIFY(model.Constant().SetFieldValue("kEdit", 0.25L));
  QVERIFY(static_cast<bool>(model.ShowPage("Ta")));
  ThermParamDialogView view(model, prompter);
  view.show();
  QCOMPARE(view.windowTitle(), QString("ThermParamDialog"));
  QCOMPARE(view.Pages->count(), model.PageCount());
  QCOMPARE(view.Pages->currentItem()->text(), QString("Ta"));
  QCOMPARE(view.Stack->currentIndex(), model.ActivePage());
  QCOMPARE(view.Edit(kConstant, "kEdit")->text(),
           QString::fromStdString(model.Constant().FieldByName("kEdit")->Text()));
  // Every field of every page says its unit (or that it has none) in its tooltip.
  for (int32_t i = 0; i < model.PageCount(); ++i) {
    TElPageForm* page = model.Page(i);
    if (page == nullptr) continue;
    for (const ElParamInfo& p : page->Params()) {
      const QString tip = view.Edit(i, p.name)->toolTip();
      QVERIFY2(tip.contains(p.unit[0] != '\0' ? QString(p.unit) : QString("dimensionless")),
               qPrintable(QString("%1: %2").arg(p.name, tip)));
    }
  }
  for (const char* b : {"&OK", "NoConduct", "&No", "Cancel", "Print"}) {
    bool found = false;
    for (QPushButton* p : view.findChildren<QPushButton*>()) found = found || p->text() == b;
    QVERIFY2(found, b);
  }
  model.ShowPage("Au1");  // the longest page, for the picture
  view.ShowModel();
  guitest::Screenshot(&view, "thermal");
}

// c_e = 1e-4 kJ/g/K, kappa = 0.002 kW/K/cm, Gr = 2/3: at rho = 2.7 g/cm3, Te = 1000 K,
// Ee = 0.1 kJ/g, Pe = Gr rho c_e Te = 0.18 GPa, kappa_e = 0.002 kW/cm/K.
void ThermParamDialogTest::TypedConstantModelReachesTheSessionThroughOk() {
  guitest::Desktop f;
  bool closed = false;
  OpenThermParam(f, [&](ThermParamDialogView* t) {
    t->Pages->setCurrentRow(kConstant);
    TypeInto(t->Edit(kConstant, "kEdit"), "0.002");
    TypeInto(t->Edit(kConstant, "ceEdit"), "0.0001");
    TypeInto(t->Edit(kConstant, "rho0Edit"), "2.7");
    QTest::keyClick(t->Edit(kConstant, "rho0Edit"), Qt::Key_Return);  // Enter is OK
    closed = !t->isVisible();
  });
  QVERIFY(closed);
  const ElectronModel& em = f.app.session.electron.model;
  QVERIFY(static_cast<bool>(em.ElEnergy));
  QCOMPARE(static_cast<double>(em.ElEnergy(2.7L, 1000)), 0.1);
  QCOMPARE(static_cast<double>(em.ElPressure(2.7L, 1000)), 0.18);
  QCOMPARE(static_cast<double>(em.ElConductivity(2.7L, 1000, 300)), 0.002);
  QVERIFY(!f.app.session.NoConduct);
  QVERIFY(f.app.initial.electron.ElConductivity);
}

void ThermParamDialogTest::RefusedOkKeepsTheDialogOpenWithTheFocusOnTheField() {
  guitest::Desktop f;
  bool stayedOpen = false;
  QWidget* focused = nullptr;
  QWidget* expected = nullptr;
  QString message;
  OpenThermParam(f, [&](ThermParamDialogView* t) {
    t->Pages->setCurrentRow(kConstant);
    TypeInto(t->Edit(kConstant, "ceEdit"), "0.0001");
    TypeInto(t->Edit(kConstant, "rho0Edit"), "0");
    t->Edit(kConstant, "kEdit")->setFocus();
    QTest::mouseClick(t->OkBtn, Qt::LeftButton);
    stayedOpen = t->isVisible();
    focused = QApplication::focusWidget();
    expected = t->Edit(kConstant, "rho0Edit");
    message = t->Message->text();
    QTest::keyClick(t, Qt::Key_Escape);  // Escape is Cancel
  });
  QVERIFY(stayedOpen);
  QCOMPARE(focused, expected);
  QVERIFY(!message.isEmpty());
  QVERIFY(!static_cast<bool>(f.app.session.electron.model.ElEnergy));
}

void ThermParamDialogTest::PagesNotAvailableCannotBeChosen() {
  ScriptedQtPrompter prompter;
  TThermParamDialog model;
  ThermParamDialogView view(model, prompter);
  view.show();
  QApplication::setActiveWindow(&view);
  int unavailable = 0;
  for (int32_t i = 0; i < model.PageCount(); ++i) {
    QListWidgetItem* item = view.Pages->item(i);
    if (model.Page(i) != nullptr) {
      QVERIFY(item->flags() & Qt::ItemIsEnabled);
      continue;
    }
    ++unavailable;
    QVERIFY(!(item->flags() & Qt::ItemIsEnabled));
    QVERIFY(item->toolTip().contains("not available"));
    // Neither a click nor a programmatic choice shows it.
    const int32_t before = model.ActivePage();
    QTest::mouseClick(view.Pages->viewport(), Qt::LeftButton, {},
                      view.Pages->visualItemRect(item).center());
    view.Pages->setCurrentRow(i);
    QCOMPARE(model.ActivePage(), before);
    QCOMPARE(view.Pages->currentRow(), before);
    QCOMPARE(view.Stack->currentIndex(), before);
  }
  QVERIFY(unavailable > 0);
}

// "&Load Spline In file" reads the input file chosen (the gold samples), shows the two file
// names and "&Init Spline"; that button reads the data files and shows the table, and OK
// installs the model.
void ThermParamDialogTest::SplineButtonsReadTheFilesAndShowTheTable() {
  ScriptedQtPrompter prompter;
  prompter.openFile = std::string(TARVEX_TEST_DATA) + "/../../data/electron/In.txt";
  TThermParamDialog model;
  QVERIFY(static_cast<bool>(model.ShowPage("Spline")));
  ThermParamDialogView view(model, prompter);
  view.show();
  auto* load = view.findChild<QPushButton*>("SplineInButton");
  auto* init = view.findChild<QPushButton*>("InitSpline");
  auto* data = view.findChild<QTableWidget*>("Data");
  QVERIFY(load != nullptr && init != nullptr && data != nullptr);
  QVERIFY(load->isVisible());
  QVERIFY(!init->isVisible());
  QVERIFY(!data->isVisible());
  QTest::mouseClick(load, Qt::LeftButton);
  QVERIFY2(prompter.informed.empty(),
           prompter.informed.empty() ? "" : prompter.informed[0].c_str());
  QVERIFY(init->isVisible());
  QVERIFY(view.findChild<QLabel*>("CefileLabel")->text().endsWith("Au_Ce.txt"));
  QVERIFY(view.findChild<QLabel*>("GefileLabel")->text().endsWith("Au_Ge.txt"));
  QTest::mouseClick(init, Qt::LeftButton);
  QVERIFY(data->isVisible());
  QCOMPARE(data->columnCount(), 6);
  QCOMPARE(data->rowCount(), static_cast<int>(model.Spline().DataRows().size()));
  QCOMPARE(data->item(1, 0)->text().toStdString(), model.Spline().DataText(1, 0));
  guitest::Screenshot(&view, "thermal_spline");
}

// An unknown heat-capacity kind ends nothing but the reading: the message names the file
// and its line, the table stays hidden, and the dialog stays open.
void ThermParamDialogTest::ASplineFileThatCannotBeReadIsShownAndTheDialogStays() {
  QTemporaryDir dir;
  QVERIFY(dir.isValid());
  const auto write = [&](const char* name, const char* text) {
    QFile f(dir.filePath(name));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text);
  };
  write("In.txt", "Ce.txt Cefile\nGe.txt Gefile\n50 Amass\n");
  write("Ce.txt", "title\n2700\n1\n13\n");
  write("Ge.txt", "title\n2700 2.7 0 0\n1\n27\n");
  ScriptedQtPrompter prompter;
  prompter.openFile = dir.filePath("In.txt").toStdString();
  TThermParamDialog model;
  QVERIFY(static_cast<bool>(model.ShowPage("Spline")));
  ThermParamDialogView view(model, prompter);
  view.show();
  QTest::mouseClick(view.findChild<QPushButton*>("SplineInButton"), Qt::LeftButton);
  QTest::mouseClick(view.findChild<QPushButton*>("InitSpline"), Qt::LeftButton);
  QCOMPARE(prompter.informed.size(), size_t(1));
  QVERIFY2(prompter.informed[0].find("Ce.txt, line 4") != std::string::npos &&
               prompter.informed[0].find("unknown kCe") != std::string::npos,
           prompter.informed[0].c_str());
  QVERIFY(view.isVisible());
  QVERIFY(!view.findChild<QTableWidget*>("Data")->isVisible());
  QVERIFY(!view.findChild<QPushButton*>("InitSpline")->isVisible());
}

// "CalcRefr" checked opens the reflectance dialog; cancelled, the box's state decides
// whether "R.dat" is written; unchecked, it is not, and nothing opens.
void ThermParamDialogTest::CalcRefrOpensTheReflectanceDialogAndShowsItsSwitch() {
  guitest::Desktop f;
  bool opened = false;
  OpenThermParam(f, [&](ThermParamDialogView* d) {
    for (int p = 0; p < d->Pages->count() && d->Control("CalcRefr") == nullptr; ++p) {
      d->Pages->setCurrentRow(p);
    }
    auto* box = qobject_cast<QCheckBox*>(d->Control("CalcRefr"));
    QVERIFY(box != nullptr);
    QVERIFY(!box->isChecked());
    ReflectanceDialogView* r = f.window.ReflectanceDialog();
    WhileModal(
        [&] {
          opened = r->isVisible();
          r->reject();
        },
        [&] { box->click(); });
    QVERIFY(opened);
    QVERIFY(box->isChecked());
    QVERIFY(f.app.session.reflectance.ReflectanceOn);
    box->click();
    QVERIFY(!box->isChecked());
    QVERIFY(!f.app.session.reflectance.ReflectanceOn);
  });
  QVERIFY(opened);
}

QTEST_MAIN(ThermParamDialogTest)
#include "ThermParamDialogTest.moc"
