// The toolkit floor: an empty Qt window of the quiz window's size and colour. With
// --caption it also shows the title label in the form's font, to tell what the first text
// costs.
#include <QApplication>
#include <QLabel>
#include <QPalette>
#include <QWidget>
#include <cstring>

#include "window/definition.h"
#include "window/qt/qt_convert.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  const quiz::ui::FormRecord& form = quiz::ui::Form();
  QWidget window;
  window.setWindowTitle(QStringLiteral("bare"));
  window.setFixedSize(quiz::ui::TwipsToPixels(form.client_width, 96),
                      quiz::ui::TwipsToPixels(form.client_height, 96));
  QPalette palette = window.palette();
  palette.setColor(QPalette::Window, quiz::ui::ToQColor(form.back_color));
  window.setPalette(palette);
  window.setAutoFillBackground(true);
  if (argc > 1 && std::strcmp(argv[1], "--caption") == 0) {
    const quiz::ui::Control& title = *quiz::ui::Find(u"Label1", 0);
    auto* label = new QLabel(quiz::ui::ToQString(title.caption), &window);
    const quiz::ui::PixelRect r = quiz::ui::ToPixels(title, 96);
    label->setGeometry(r.x, r.y, r.width, r.height);
    QFont font(quiz::ui::ToQString(form.font.face));
    font.setPixelSize(quiz::ui::TwipsToPixels(form.font.points * 20, 96));
    label->setFont(font);
  }
  window.show();
  return QApplication::exec();
}
