// Tarvex_1l, the desktop program: one AppModel (session and form models) shown by the
// main window and its dialogs; the event loop runs until the main window closes.
#include <QApplication>

#include "core/app/AppModel.h"
#include "gui/common/QtPrompter.h"
#include "gui/common/RoutedPrompter.h"
#include "gui/run/MainWindow.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName("Tarvex_1l");
  QApplication::setApplicationDisplayName("Tarvex_1l");
  tarvex::QtPrompter prompter;
  // The session asks through a router, so that a settings file can answer for a while.
  tarvex::RoutedPrompter sessionPrompter(prompter);
  tarvex::AppModel app(sessionPrompter);
  tarvex::MainWindow window(app, prompter);
  prompter.SetMainWindow(&window);
  window.show();
  return QApplication::exec();
}
