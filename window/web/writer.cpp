// The build's writer of the pages' texts: a module of its own that the bundler runs once, so
// that the page's module does not carry them.
#include <cstddef>
#include <string>

#include "window/web/markup.h"

namespace {

const std::string& Texts() {
  static const std::string texts = quiz::ui::web::PageTexts();
  return texts;
}

}  // namespace

extern "C" {
__attribute__((export_name("quiz_page_texts"))) const char* quiz_page_texts() {
  return Texts().data();
}
__attribute__((export_name("quiz_page_texts_length"))) std::size_t quiz_page_texts_length() {
  return Texts().size();
}
}
