// The headless renderer and the picture files: the caption of a picture name, the 2 x 2
// mosaic and the single temperature graph, BMP and JPEG written atomically and read
// back, the picture writer of the result files, the EPS file of a graph frame against a
// stored expected file, and the key filter of the real-number edit.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "GuiTestSupport.h"
#include "core/app/AppModel.h"
#include "core/hydro/HydrStat.h"
#include "core/plot/PlotFixture.h"
#include "core/run/ResultsGraphs.h"
#include "core/session/Session.h"
#include "gui/common/RealEdit.h"
#include "gui/plot/GraphWidget.h"
#include "render/ImageFiles.h"
#include "render/QtPlotCanvas.h"
#include "render/ResultsPicture.h"

using namespace tarvex;
using tarvex::guitest::ScriptedQtPrompter;

namespace {

// A session with a 40-cell state: a pressure and temperature step in the middle.
struct SmallState {
  ScriptedPrompter prompter;
  AppModel app{prompter};

  explicit SmallState(bool frozen) {
    Session& s = app.session;
    s.EnsureInstances(SolverClass::HydrStat, 40);
    s.eos.EosScale = 1;
    s.sim.CellMassUniform = 0.025L;
    s.bounds.NoMove = frozen;
    THydrStat& A = *s.StateA;
    for (int32_t i = 0; i <= 40; ++i) A.x[static_cast<size_t>(i)] = i * 0.025L;
    for (int32_t i = 0; i < 40; ++i) {
      A.P[static_cast<size_t>(i)] = i < 20 ? 1 : 0.1L;
      A.T[static_cast<size_t>(i)] = i < 20 ? 2 : 1;
    }
  }
};

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

class RenderTest : public QObject {
  Q_OBJECT

 private slots:
  void CaptionOfAPictureName_data();
  void CaptionOfAPictureName();
  void MosaicAndSingleGraphPictures();
  void BmpAndJpegFilesReadBack();
  void FailedWriteNamesTheFileAndLeavesNothing();
  void PictureWriterChoosesTheFormatByExtension();
  void EpsOfAGraphFrameMatchesTheStoredFile();
  void RealEditFiltersKeys_data();
  void RealEditFiltersKeys();
  void RealEditEnterEscapeAndUntouchedValue();
  void MouseReadoutOfAGraph();
};

void RenderTest::CaptionOfAPictureName_data() {
  QTest::addColumn<QString>("path");
  QTest::addColumn<bool>("onlyPoint");
  QTest::addColumn<QString>("caption");
  QTest::newRow("time name") << "/out/0001p500ps.jpg" << false << "0001 ,500ps";
  QTest::newRow("negative time") << "#001p5.BMP" << false << " - 001 ,5";
  QTest::newRow("only the first p") << "p1p2.jpg" << false << " ,1p2";
  QTest::newRow("p without digit") << "pulse.jpg" << false << "pulse";
  QTest::newRow("chosen name: point rule only") << "a#1p2.jpg" << true << "a#1 ,2";
}

void RenderTest::CaptionOfAPictureName() {
  QFETCH(QString, path);
  QFETCH(bool, onlyPoint);
  QFETCH(QString, caption);
  QCOMPARE(QString::fromStdString(PictureCaption(path.toStdString(), onlyPoint)), caption);
}

void RenderTest::MosaicAndSingleGraphPictures() {
  for (bool frozen : {false, true}) {
    SmallState st(frozen);
    TResultsGraphs graphs;
    graphs.SetUp(st.app.session, st.app.main, false);
    graphs.SetGraphSize(0, 300, 200);  // density
    graphs.SetGraphSize(1, 300, 200);
    graphs.SetGraphSize(2, 320, 210);  // pressure
    graphs.SetGraphSize(3, 320, 210);
    const QImage image = ComposeResultsPicture(graphs, "caption");
    const int line = QFontMetrics(ToQFont(graphs.TGraph.Font())).height();
    if (frozen) {
      QCOMPARE(image.width(), 320);
      QCOMPARE(image.height(), 210 + 3 * line);
    } else {
      QCOMPARE(image.width(), 300 + 320);
      QCOMPARE(image.height(), 2 * 210 + 3 * line);
    }
    // The curves are drawn (blue pixels) and the caption line is not empty.
    int blue = 0;
    for (int y = 0; y < image.height() - 3 * line; ++y)
      for (int x = 0; x < image.width(); ++x) {
        const QColor c = image.pixelColor(x, y);
        if (c.blue() > 200 && c.red() < 80 && c.green() < 80) ++blue;
      }
    QVERIFY(blue > 100);
    bool ink = false;
    for (int y = image.height() - 2 * line; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) ink = ink || image.pixelColor(x, y) != Qt::white;
    QVERIFY(ink);
  }
}

void RenderTest::BmpAndJpegFilesReadBack() {
  SmallState st(false);
  TResultsGraphs graphs;
  graphs.SetUp(st.app.session, st.app.main, false);
  const QImage image = ComposeResultsPicture(graphs, "t");
  QTemporaryDir dir;
  const QString bmp = dir.filePath("a.BMP");
  const QString jpg = dir.filePath("a.jpg");
  QVERIFY(WritePicture(bmp.toStdString(), image, PictureFormat::Bmp).ok);
  QVERIFY(WritePicture(jpg.toStdString(), image, PictureFormat::Jpeg).ok);
  QVERIFY(ReadAll(bmp).startsWith("BM"));
  QVERIFY(ReadAll(jpg).startsWith("\xFF\xD8\xFF"));
  const QImage b(bmp);
  const QImage j(jpg);
  QCOMPARE(b.size(), image.size());
  QCOMPARE(j.size(), image.size());
  QCOMPARE(b.convertToFormat(QImage::Format_RGB32), image.convertToFormat(QImage::Format_RGB32));
  // JPEG is lossy, but the white background stays white.
  QVERIFY(j.pixelColor(2, 2).lightness() > 245);
  // No temporary file is left next to the pictures.
  QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 2);
}

void RenderTest::FailedWriteNamesTheFileAndLeavesNothing() {
  QTemporaryDir dir;
  const QString path = dir.filePath("missing/sub/p.jpg");
  QImage image(10, 10, QImage::Format_RGB32);
  image.fill(Qt::white);
  const FileWriteResult r = WritePicture(path.toStdString(), image, PictureFormat::Jpeg);
  QVERIFY(!r.ok);
  QVERIFY2(r.message.find(path.toStdString()) != std::string::npos, r.message.c_str());
  QVERIFY(!QFile::exists(path));
  // An empty picture is refused, not written as a broken file.
  const QString empty = dir.filePath("empty.jpg");
  QVERIFY(!WritePicture(empty.toStdString(), QImage(), PictureFormat::Jpeg).ok);
  QVERIFY(!QFile::exists(empty));
}

void RenderTest::PictureWriterChoosesTheFormatByExtension() {
  SmallState st(false);
  TResultsGraphs graphs;
  graphs.SetUp(st.app.session, st.app.main, false);
  const PictureWriter write = MakePictureWriter(graphs);
  QTemporaryDir dir;
  std::string error;
  QVERIFY(write(dir.filePath("0000p100.jpg").toStdString(), false, error));
  QVERIFY(write(dir.filePath("0000p100.BMP").toStdString(), true, error));
  QVERIFY(ReadAll(dir.filePath("0000p100.jpg")).startsWith("\xFF\xD8"));
  QVERIFY(ReadAll(dir.filePath("0000p100.BMP")).startsWith("BM"));
  QVERIFY(!write(dir.filePath("no/such/dir/x.jpg").toStdString(), false, error));
  QVERIFY(error.find("x.jpg") != std::string::npos);
}

void RenderTest::EpsOfAGraphFrameMatchesTheStoredFile() {
  ScriptedQtPrompter prompter;
  PlotModel model = testing_plot::FixturePlot();
  TImageFrame frame(model, prompter);
  QTemporaryDir dir;
  const QString path = dir.filePath("graph_frame.eps");
  std::string error;
  QVERIFY2(frame.SavePs(path.toStdString(), "01.02.2024 10:20:30", error), error.c_str());
  const QByteArray expected = ReadAll(QStringLiteral(TARVEX_TEST_DATA "/gui/graph_frame.eps"));
  QVERIFY(!expected.isEmpty());
  QCOMPARE(ReadAll(path), expected);
}

void RenderTest::RealEditFiltersKeys_data() {
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("shown");
  QTest::addColumn<int>("rejected");
  QTest::newRow("exponent letters become E") << "2.5d3"
                                             << "2.5E3" << 0;
  QTest::newRow("lower case is upper case") << "1e-5"
                                            << "1E-5" << 0;
  QTest::newRow("letters are refused") << "1x2"
                                       << "12" << 1;
  QTest::newRow("second point refused") << "1.2.3"
                                        << "1.23" << 1;
  QTest::newRow("sign only at the start") << "1-2"
                                          << "12" << 1;
}

void RenderTest::RealEditFiltersKeys() {
  QFETCH(QString, typed);
  QFETCH(QString, shown);
  QFETCH(int, rejected);
  ScriptedQtPrompter prompter;
  RealField field;
  field.SetValue(0);
  TRealEdit edit(field, "f");
  edit.SetPrompter(&prompter);
  tarvex::guitest::TypeInto(&edit, typed);
  QCOMPARE(edit.text(), shown);
  QCOMPARE(QString::fromStdString(field.Text()), shown);
  QCOMPARE(edit.RejectedKeys(), rejected);
  QCOMPARE(static_cast<int>(prompter.beeps.size()), rejected);
}

void RenderTest::RealEditEnterEscapeAndUntouchedValue() {
  ScriptedQtPrompter prompter;
  RealField field;
  field.SetValue(1.0L / 3);
  TRealEdit edit(field, "f");
  edit.SetPrompter(&prompter);
  // Untouched, the field keeps its exact value, not that of its rounded text.
  QTest::keyClick(&edit, Qt::Key_Return);
  QCOMPARE(field.Value(), 1.0L / 3);
  QSignalSpy enter(&edit, &TRealEdit::enterPressed);
  tarvex::guitest::TypeInto(&edit, "2.5");
  QTest::keyClick(&edit, Qt::Key_Return);
  QCOMPARE(enter.count(), 1);
  QCOMPARE(field.Value(), 2.5L);
  // Escape returns to the last value accepted with Enter.
  tarvex::guitest::TypeInto(&edit, "7");
  QTest::keyClick(&edit, Qt::Key_Escape);
  QCOMPARE(edit.text(), QString("2.5"));
  QCOMPARE(field.Value(), 2.5L);
  // A pasted text that is no number: Enter shows the stored value again.
  edit.selectAll();
  edit.insert("1..2");
  QTest::keyClick(&edit, Qt::Key_Return);
  QCOMPARE(edit.text(), QString("2.5"));
  QCOMPARE(field.Value(), 2.5L);
  // The tooltip carries the unit.
  edit.SetQuantity("outer pressure", "GPa");
  QCOMPARE(edit.toolTip(), QString("outer pressure [GPa]"));
}

void RenderTest::MouseReadoutOfAGraph() {
  ScriptedQtPrompter prompter;
  PlotModel model = testing_plot::FixturePlot();
  TImageFrame frame(model, prompter);
  GraphCanvas* canvas = frame.Canvas();
  canvas->resize(model.Width(), model.Height());
  model.SetSize(201, 151);
  QSignalSpy readout(&frame, &TImageFrame::readout);
  QMouseEvent move(QEvent::MouseMove, QPointF(140, 121), QPointF(140, 121), Qt::NoButton,
                   Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(canvas, &move);
  QCOMPARE(readout.count(), 1);
  // x = (140 - 40) / 100 = 1, y at the bottom of the log axis = 1.
  QCOMPARE(readout.at(0).at(0).toString(), QString("(140, 121) : (1, 1)"));
}

QTEST_MAIN(RenderTest)
#include "RenderTest.moc"
