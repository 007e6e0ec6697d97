// The save-options dialog ("SaveFileOptions") on screen, in the part the main window
// needs now: the output directory ("&Directiry:", chosen with a directory picker that
// may create it) and the picture format (BMP or JPEG). The name pattern of the output
// files (time scale, layout, suffix) belongs to the save-options form model and is added
// here when that model exists.
#pragma once

#include <QDialog>
#include <string>

class QLabel;
class QRadioButton;

namespace tarvex {

class Prompter;

class SaveOptionsView : public QDialog {
  Q_OBJECT

 public:
  SaveOptionsView(Prompter& prompter, QWidget* parent = nullptr);

  // Shows the directory and format; modal. On OK the chosen values are returned through
  // the arguments.
  bool Edit(std::string& saveDir, bool& picturesAsJpeg);

  // The directory with its trailing separator ("" stays "").
  static std::string WithSeparator(const std::string& dir);

  QLabel* DirLabel = nullptr;
  QRadioButton* Bmp = nullptr;
  QRadioButton* Jpeg = nullptr;

 private:
  Prompter& prompter_;
  std::string dir_;
};

}  // namespace tarvex
