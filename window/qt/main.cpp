// The Linux program: the quiz window and Qt's event loop.
#include <QApplication>

#include "window/qt/qt_window.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  quiz::ui::QtQuizWindow window;
  window.show();
  return QApplication::exec();
}
