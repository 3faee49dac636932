// The Linux program: the quiz window and Qt's event loop.
#include <QApplication>

#include "window/qt/qt_window.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  // The window's font for the whole program: widgets that lay out text as they are made
  // (the result box) then never load the toolkit's default font.
  QApplication::setFont(quiz::ui::qt::QtWindow::FormFont());
  quiz::ui::qt::QtWindow window;
  window.show();
  return QApplication::exec();
}
