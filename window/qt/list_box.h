// The hidden list box: it holds its items, read by number, and draws them one to a line
// should it ever be shown.
#pragma once

#include <QWidget>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quiz::ui::qt {

class ListBox final : public QWidget {
 public:
  ListBox(std::span<const std::u16string_view> items, bool sorted, QWidget* parent);

  std::optional<std::u16string> Item(int index) const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::vector<std::u16string_view> items_;  // views into the definition, in display order
};

}  // namespace quiz::ui::qt
