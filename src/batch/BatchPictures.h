// The pictures of the batch runner: the same 2 x 2 mosaic of the results graphs that the
// desktop program writes with every profile file set, drawn headless. Qt stays out of
// this header; in a build without the renderer (no Qt) the runner writes no pictures and
// PicturesAvailable() says so.
#pragma once

#include <memory>
#include <string>

namespace tarvex {
class AppModel;
}

namespace tarvex::batch {

// Whether this build draws pictures (the renderer is linked in).
bool PicturesAvailable();

// Keeps a QGuiApplication on the "offscreen" platform alive while it exists, when the
// process has none yet (QT_QPA_PLATFORM is set to "offscreen" first unless the
// environment already names a platform). Drawing text on images needs one. Does nothing
// without the renderer or when an application object exists.
class HeadlessGui {
 public:
  HeadlessGui();
  ~HeadlessGui();
  HeadlessGui(const HeadlessGui&) = delete;
  HeadlessGui& operator=(const HeadlessGui&) = delete;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// The graphs of one run and the picture writer of its result files. Construct it once
// the state exists (after the run file was applied): it sets the graphs up from the
// state (`shiftX0`: plot x + L0, the answer to "Shift graph x0 to right (L0)?"), makes
// the result files re-plot them after every interval and installs the writer. Must
// outlive the run.
class RunPictures {
 public:
  RunPictures(AppModel& app, bool shiftX0);
  ~RunPictures();
  RunPictures(const RunPictures&) = delete;
  RunPictures& operator=(const RunPictures&) = delete;

  // The first picture that could not be written: file and reason ("" when all were).
  const std::string& FirstError() const;
  int32_t Written() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace tarvex::batch
