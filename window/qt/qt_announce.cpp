#include "window/qt/qt_announce.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QObject>
#include <QPointer>
#include <QRect>

namespace quiz::ui::qt {
namespace {

// The announcement: a notification holding one line of static text, made for assistive
// technology only. Nothing is drawn, and it is not among the window's accessible children, so
// walking the window's tree never meets it; screen readers learn of it when it is shown. Its
// text is a child of its own so that a screen reader that reads notifications from their
// labels (into speech, braille and its list of past notifications) finds it.
class Announcement final : public QObject {
 public:
  explicit Announcement(QWidget* window) : QObject(window), window_(window), line_(this) {}

  QWidget* window() const { return window_; }
  QObject* line() { return &line_; }
  const QString& text() const { return text_; }
  void set_text(const QString& text) { text_ = text; }

 private:
  QPointer<QWidget> window_;
  QObject line_;  // stands for the text line in Qt's accessibility cache
  QString text_;
};

// The accessible side of the notification (line false) or of its text (line true).
class AnnouncementAccessible final : public QAccessibleInterface {
 public:
  AnnouncementAccessible(Announcement* announcement, bool line)
      : announcement_(announcement), line_(line) {}

  bool isValid() const override { return !announcement_.isNull() && announcement_->window(); }
  QObject* object() const override {
    if (announcement_.isNull()) return nullptr;
    return line_ ? announcement_->line() : announcement_.data();
  }
  QWindow* window() const override {
    return isValid() ? announcement_->window()->windowHandle() : nullptr;
  }
  QAccessibleInterface* parent() const override {
    if (!isValid()) return nullptr;
    return QAccessible::queryAccessibleInterface(line_ ? static_cast<QObject*>(announcement_)
                                                       : announcement_->window());
  }
  QAccessibleInterface* child(int index) const override {
    if (line_ || index != 0 || !isValid()) return nullptr;
    return QAccessible::queryAccessibleInterface(announcement_->line());
  }
  QAccessibleInterface* childAt(int /*x*/, int /*y*/) const override { return nullptr; }
  int childCount() const override { return line_ ? 0 : 1; }
  int indexOfChild(const QAccessibleInterface* child) const override {
    return !line_ && child != nullptr && isValid() && child->object() == announcement_->line() ? 0
                                                                                               : -1;
  }
  QString text(QAccessible::Text t) const override {
    return line_ && t == QAccessible::Name && isValid() ? announcement_->text() : QString();
  }
  void setText(QAccessible::Text /*t*/, const QString& /*text*/) override {}
  QRect rect() const override { return {}; }
  QAccessible::Role role() const override {
    return line_ ? QAccessible::StaticText : QAccessible::Notification;
  }
  QAccessible::State state() const override {
    QAccessible::State state;
    state.readOnly = true;
    return state;
  }

 private:
  QPointer<Announcement> announcement_;
  bool line_;
};

Announcement* AnnouncementOf(QWidget* window) {
  for (QObject* child : window->children()) {
    if (auto* announcement = dynamic_cast<Announcement*>(child)) return announcement;
  }
  auto* announcement = new Announcement(window);
  // Qt's accessibility cache owns the interfaces and deletes each with its object.
  QAccessible::registerAccessibleInterface(new AnnouncementAccessible(announcement, false));
  QAccessible::registerAccessibleInterface(new AnnouncementAccessible(announcement, true));
  return announcement;
}

}  // namespace

void AnnounceResult(QWidget* window, const QString& text) {
  // Without assistive technology listening there is no one to tell, and nothing is made.
  if (window == nullptr || !QAccessible::isActive()) return;
  Announcement* announcement = AnnouncementOf(window);
  // One line: the box's line breaks only separate sentences.
  announcement->set_text(text.simplified());
  QAccessibleEvent shown(QAccessible::queryAccessibleInterface(announcement),
                         QAccessible::ObjectShow);
  QAccessible::updateAccessibility(&shown);
}

}  // namespace quiz::ui::qt
