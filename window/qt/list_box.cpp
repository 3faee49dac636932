#include "window/qt/list_box.h"

#include <QPainter>
#include <algorithm>

#include "window/qt/qt_convert.h"

namespace quiz::ui::qt {

ListBox::ListBox(std::span<const std::u16string_view> items, bool sorted, QWidget* parent)
    : QWidget(parent), items_(items.begin(), items.end()) {
  if (sorted) std::sort(items_.begin(), items_.end());
}

std::optional<std::u16string> ListBox::Item(int index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= items_.size()) return std::nullopt;
  return std::u16string(items_[static_cast<std::size_t>(index)]);
}

void ListBox::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Base));
  painter.setPen(palette().color(QPalette::Text));
  const int line = fontMetrics().height();
  for (std::size_t i = 0; i < items_.size(); ++i) {
    painter.drawText(QRect(2, static_cast<int>(i) * line, width() - 4, line),
                     Qt::AlignLeft | Qt::AlignVCenter, ToQString(items_[i]));
  }
}

}  // namespace quiz::ui::qt
