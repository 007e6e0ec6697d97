// The Qt prompter: the answer sets as message-box buttons (the six-answer box of the
// iterated step among them), closing a box as the non-accepting answer, the title, and
// the file filters of the forms turned into Qt's.
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include "gui/common/QtPrompter.h"

using namespace tarvex;

namespace {

// Presses `button` (or Escape when NoButton) in the message box that is about to open.
void AnswerNextBox(QMessageBox::StandardButton button, QStringList* offered = nullptr) {
  QTimer::singleShot(0, [button, offered] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    if (offered != nullptr) {
      for (QAbstractButton* b : box->buttons()) *offered << b->text().remove('&');
    }
    if (button == QMessageBox::NoButton) {
      QTest::keyClick(box, Qt::Key_Escape);
    } else {
      box->button(button)->click();
    }
  });
}

}  // namespace

class PrompterTest : public QObject {
  Q_OBJECT

 private slots:
  void SixAnswerBoxOffersEveryAnswer();
  void ClosingABoxIsTheNonAcceptingAnswer_data();
  void ClosingABoxIsTheNonAcceptingAnswer();
  void TitleGoesToTheMainWindow();
  void FileFilters_data();
  void FileFilters();
};

void PrompterTest::SixAnswerBoxOffersEveryAnswer() {
  QtPrompter p;
  QStringList offered;
  AnswerNextBox(QMessageBox::NoToAll, &offered);
  QCOMPARE(p.Ask("Disagreement", AnswerSet::SixWay()), Answer::NoToAll);
  QCOMPARE(offered.size(), 6);
  AnswerNextBox(QMessageBox::Retry);
  QCOMPARE(p.Ask("Disagreement", AnswerSet::SixWay()), Answer::Retry);
  AnswerNextBox(QMessageBox::YesToAll);
  QCOMPARE(p.Ask("Disagreement", AnswerSet::SixWay()), Answer::YesToAll);
}

void PrompterTest::ClosingABoxIsTheNonAcceptingAnswer_data() {
  QTest::addColumn<int>("set");
  QTest::addColumn<int>("expected");
  QTest::newRow("Yes/No") << 0 << static_cast<int>(Answer::No);
  QTest::newRow("OK/Cancel") << 1 << static_cast<int>(Answer::Cancel);
  QTest::newRow("Yes/No/Cancel") << 2 << static_cast<int>(Answer::Cancel);
  QTest::newRow("OK/No") << 3 << static_cast<int>(Answer::No);
}

void PrompterTest::ClosingABoxIsTheNonAcceptingAnswer() {
  QFETCH(int, set);
  QFETCH(int, expected);
  const AnswerSet sets[] = {AnswerSet::YesNo(), AnswerSet::OkCancel(), AnswerSet::YesNoCancel(),
                            AnswerSet::OkNo()};
  QtPrompter p;
  AnswerNextBox(QMessageBox::NoButton);
  QCOMPARE(static_cast<int>(p.Ask("Question?", sets[set])), expected);
}

void PrompterTest::TitleGoesToTheMainWindow() {
  QWidget w;
  QtPrompter p;
  p.SetMainWindow(&w);
  p.SetTitle("Tarvex1l-t=1E-12");
  QCOMPARE(w.windowTitle(), QString("Tarvex1l-t=1E-12"));
}

void PrompterTest::FileFilters_data() {
  QTest::addColumn<QString>("filter");
  QTest::addColumn<QString>("qt");
  QTest::newRow("one") << "Text|*.txt"
                       << "Text (*.txt)";
  QTest::newRow("two") << "Picture Bitmaps|*.bmp|JPEG Image|*.jpg"
                       << "Picture Bitmaps (*.bmp);;JPEG Image (*.jpg)";
  QTest::newRow("patterns") << "PostScript|*.eps;*.ps"
                            << "PostScript (*.eps *.ps)";
  QTest::newRow("none") << ""
                        << "All files (*)";
}

void PrompterTest::FileFilters() {
  QFETCH(QString, filter);
  QFETCH(QString, qt);
  QCOMPARE(QtFileFilter(filter.toStdString()), qt);
}

QTEST_MAIN(PrompterTest)
#include "PrompterTest.moc"
