#include "window/qt/quiz_frame.h"

#include <qdrawutil.h>

#include <QApplication>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleOption>

namespace quiz::ui::qt {
namespace {

class FrameStyle final : public QProxyStyle {
 public:
  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
    if (element != PE_FrameGroupBox) {
      QProxyStyle::drawPrimitive(element, option, painter, widget);
      return;
    }
    const int title = option->fontMetrics.height() + 2;
    qDrawShadeRect(painter, option->rect.adjusted(0, title, 0, 0), option->palette, true);
  }
};

QStyle* SharedFrameStyle() {
  static QPointer<QStyle> style;
  if (style.isNull()) {
    style = new FrameStyle;
    style->setParent(qApp);  // lives as long as the application
  }
  return style;
}

}  // namespace

QuizFrame::QuizFrame(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {
  setStyle(SharedFrameStyle());
}

}  // namespace quiz::ui::qt
