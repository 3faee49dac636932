// The Linux program: the quiz window and Qt's event loop.
#include <langinfo.h>

#include <QApplication>
#include <clocale>
#include <cstdlib>
#include <cstring>

#include "window/qt/qt_window.h"

namespace {

// The window's title goes to the X server through the locale's character set too (WM_NAME):
// where the user's locale is not UTF-8 (LANG=C, or a locale that is not installed), the
// program runs in C.UTF-8, so the title reaches every tool whole.
void UseUtf8Characters() {
  if (std::setlocale(LC_ALL, "") == nullptr || std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0) {
    setenv("LC_ALL", "C.UTF-8", 1);
    std::setlocale(LC_ALL, "C.UTF-8");
  }
}

}  // namespace

int main(int argc, char* argv[]) {
  UseUtf8Characters();
  QApplication app(argc, argv);
  // The window's font for the whole program: widgets that lay out text as they are made
  // (the result box) then never load the toolkit's default font.
  QApplication::setFont(quiz::ui::qt::QtWindow::FormFont());
  quiz::ui::qt::QtWindow window;
  window.show();
  return QApplication::exec();
}
