// The save-options dialog ("SaveFileOptions") on screen, bound to the TSaveFileOptions
// form model: the output directory ("&Directiry:", a directory picker that may create
// it), the time factor of the file names with its suffix, the layout of the number
// ("&Auto" or "&Fixed" with style, precision and width) and the picture format. A line
// under the fields shows the name the next profile set would get, so the pattern can be
// checked before a run writes hundreds of files with it. Cancel leaves the model as it
// was.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "core/common/Real.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace tarvex {

class Prompter;
class TRealEdit;
class TSaveFileOptions;

class SaveOptionsView : public QDialog {
  Q_OBJECT

 public:
  SaveOptionsView(TSaveFileOptions& model, Prompter& prompter, QWidget* parent = nullptr);

  // Shows the model (with `proposedDir` as the directory when not empty) modally. True
  // when it closed with OK; on Cancel the model is restored.
  bool Edit(const std::string& proposedDir = {});

  // The time [s] the name preview uses (the end of the next output interval).
  void SetPreviewTime(std::function<Real()> time) { previewTime_ = std::move(time); }

  // Shows every control from the model.
  void SyncFromModel();

  QLabel* DirLabel = nullptr;
  TRealEdit* Scal = nullptr;
  QRadioButton* AutoName = nullptr;
  QRadioButton* FixedName = nullptr;
  QComboBox* FormatType = nullptr;
  QSpinBox* Press = nullptr;
  QSpinBox* FWidth = nullptr;
  QLineEdit* AddStr = nullptr;
  QRadioButton* Bmp = nullptr;
  QRadioButton* Jpeg = nullptr;
  QLabel* Preview = nullptr;

 private:
  void UpdatePreview();

  TSaveFileOptions& model_;
  Prompter& prompter_;
  std::function<Real()> previewTime_;
  bool syncing_ = false;
};

}  // namespace tarvex
