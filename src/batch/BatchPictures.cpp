// Headless pictures of the batch runner (see the header). Compiled in every build; the
// Qt part only with TARVEX_BATCH_PICTURES (the renderer is linked in).
#include "batch/BatchPictures.h"

#include <cstdint>

#include "core/app/AppModel.h"

#ifdef TARVEX_BATCH_PICTURES
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

#include "core/run/ResultsGraphs.h"
#include "render/ImageFiles.h"
#include "render/ResultsPicture.h"
#endif

namespace tarvex::batch {

#ifdef TARVEX_BATCH_PICTURES

bool PicturesAvailable() {
  return true;
}

namespace {

// Qt's own notices (a missing XDG_RUNTIME_DIR on a cluster node, font fallbacks) are not
// the runner's business: standard error carries its progress and errors, and a script
// reads it. Critical and fatal messages still pass.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtCriticalMsg || type == QtFatalMsg) {
    std::fprintf(stderr, "tarvex1l-run: Qt: %s\n", text.toLocal8Bit().constData());
  }
}

}  // namespace

struct HeadlessGui::Impl {
  // QGuiApplication keeps references to argc and argv for its whole life.
  int argc = 1;
  char name[16] = "tarvex1l-run";
  char* argv[2] = {name, nullptr};
  QtMessageHandler previous = nullptr;
  std::unique_ptr<QGuiApplication> app;
};

HeadlessGui::HeadlessGui() {
  if (QCoreApplication::instance() != nullptr) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  impl_ = std::make_unique<Impl>();
  impl_->previous = qInstallMessageHandler(QuietQtMessages);
  impl_->app = std::make_unique<QGuiApplication>(impl_->argc, impl_->argv);
}

HeadlessGui::~HeadlessGui() {
  if (impl_ == nullptr) return;
  impl_->app.reset();
  qInstallMessageHandler(impl_->previous);
}

struct RunPictures::Impl {
  explicit Impl(AppModel& a) : app(a) {}
  AppModel& app;
  TResultsGraphs graphs;
  std::string firstError;
  int32_t written = 0;
};

RunPictures::RunPictures(AppModel& app, bool shiftX0) : impl_(std::make_unique<Impl>(app)) {
  Impl& im = *impl_;
  im.graphs.SetUp(app.session, app.main, shiftX0);
  Session& s = app.session;
  app.files.SetGraphRefresher([&im, &s] { im.graphs.Refresh(s); });
  app.files.SetPictureWriter([&im](const std::string& path, const std::string& caption,
                                   bool jpeg) -> FileWriteResult {
    const QImage image = ComposeResultsPicture(im.graphs, caption);
    FileWriteResult r = WritePicture(path, image, jpeg ? PictureFormat::Jpeg : PictureFormat::Bmp);
    if (r) {
      ++im.written;
    } else if (im.firstError.empty()) {
      im.firstError = r.message;
    }
    return r;
  });
}

// The result files must not call into graphs that are gone.
RunPictures::~RunPictures() {
  impl_->app.files.SetPictureWriter(nullptr);
  impl_->app.files.SetGraphRefresher(nullptr);
}

#else

bool PicturesAvailable() {
  return false;
}

struct HeadlessGui::Impl {};
HeadlessGui::HeadlessGui() = default;
HeadlessGui::~HeadlessGui() = default;

struct RunPictures::Impl {
  std::string firstError;
  int32_t written = 0;
};

RunPictures::RunPictures(AppModel&, bool) : impl_(std::make_unique<Impl>()) {}
RunPictures::~RunPictures() = default;

#endif

const std::string& RunPictures::FirstError() const {
  return impl_->firstError;
}

int32_t RunPictures::Written() const {
  return impl_->written;
}

}  // namespace tarvex::batch
