#include "window/web/markup.h"

#include <algorithm>
#include <cstdio>

#include "quiz/content.h"
#include "window/layout.h"
#include "window/utf8.h"

namespace quiz::ui::web {
namespace {

constexpr int kCssDpi = 96;
constexpr int kPixelsPerRem = 16;  // the browser's default font size, in CSS pixels

std::string Number(int n) { return std::to_string(n); }

// Pixels as rem at the default font size: 494 is "30.875".
std::string Rem(int pixels) {
  std::string text = Number(pixels / kPixelsPerRem);
  int rest = pixels % kPixelsPerRem;
  if (rest != 0) text += '.';
  while (rest != 0) {
    rest *= 10;
    text += static_cast<char>('0' + rest / kPixelsPerRem);
    rest %= kPixelsPerRem;
  }
  return text;
}

std::string Colour(std::uint32_t stored) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", static_cast<unsigned>(Red(stored)),
                static_cast<unsigned>(Green(stored)), static_cast<unsigned>(Blue(stored)));
  return text;
}

// The reference that stands for a character in HTML text, or nothing. A CR is written as
// one, which the parser keeps (a literal CR LF would become LF).
std::string_view Reference(char16_t c) {
  switch (c) {
    case u'&':
      return "&amp;";
    case u'<':
      return "&lt;";
    case u'>':
      return "&gt;";
    case u'"':
      return "&quot;";
    case u'\r':
      return "&#13;";
    default:
      return "";
  }
}

// Text as HTML character data or attribute value; runs between references are converted
// whole, so that a surrogate pair stays one character.
void AppendHtml(std::string& out, std::u16string_view text) {
  std::size_t from = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::string_view reference = Reference(text[i]);
    if (reference.empty()) continue;
    AppendUtf8(out, text.substr(from, i - from));
    out += reference;
    from = i + 1;
  }
  AppendUtf8(out, text.substr(from));
}

std::string_view AlignmentClass(Alignment alignment) {
  switch (alignment) {
    case Alignment::Left:
      return "align-left";
    case Alignment::Right:
      return "align-right";
    case Alignment::Center:
      return "align-center";
  }
  return "";
}

// The element's id, its classes and its style: the rectangle from its parent's client
// area in CSS pixels, the stacking rank where it has one, and its colour (class "field":
// the system's colours for text fields, from the page's style).
std::string Attributes(const Control& c, std::string_view classes, int layer) {
  const PixelRect r = ToPixels(c, kCssDpi);
  const bool field = TakesSystemColors(c);
  std::string out = " id=\"" + ElementId(c) + "\" class=\"" + std::string(classes) +
                    (field ? " field " : " ") + std::string(AlignmentClass(c.alignment)) +
                    "\" style=\"--x:" + Number(r.x) + ";--y:" + Number(r.y) +
                    ";--w:" + Number(r.width) + ";--h:" + Number(r.height);
  if (layer >= 0) out += ";--z:" + Number(layer);
  const bool coloured = !field && (c.kind != Kind::CommandButton || c.graphical);
  if (coloured && c.back_color != kSystemColor) {
    out += ";background:" + Colour(c.back_color) + ";color:" + Colour(InkOn(c.back_color));
  }
  out += '"';
  if (!c.accessible_name.empty()) {
    out += " aria-label=\"";
    AppendHtml(out, c.accessible_name);
    out += '"';
  }
  return out;
}

int Layer(const Control& option) {
  const std::vector<const Control*> stack = OptionsInStackingOrder();
  const auto at = std::find(stack.begin(), stack.end(), &option);
  return at == stack.end() ? -1 : static_cast<int>(at - stack.begin());
}

// One maker per kind; each appends the control's element.
void Label(std::string& out, const Control& c, bool heading) {
  const std::string_view tag = heading ? "h1" : "div";
  out += '<' + std::string(tag) + Attributes(c, "label", -1) + '>';
  AppendHtml(out, c.caption);
  out += "</" + std::string(tag) + ">\n";
}

void Option(std::string& out, const Control& c) {
  const Control* frame = ParentOf(c);
  out += "<label" + Attributes(c, "option", Layer(c)) + "><input type=\"radio\" name=\"" +
         (frame != nullptr ? ElementId(*frame) : std::string("form")) + "\"><span>";
  AppendHtml(out, c.caption);
  out += "</span></label>\n";
}

void Frame(std::string& out, const Control& c) {
  out += "<fieldset" + Attributes(c, "frame", -1) + "><legend>";
  AppendHtml(out, c.caption);
  out += "</legend>\n";
  for (const Control* option : OptionsOnScreen(c)) Option(out, *option);
  out += "</fieldset>\n";
}

void Command(std::string& out, const Control& c) {
  out += "<button type=\"button\"" + Attributes(c, "command", -1) + '>';
  AppendHtml(out, c.caption);
  out += "</button>\n";
}

std::string_view LiveAttribute(LiveSetting live) {
  switch (live) {
    case LiveSetting::Off:
      return "";
    case LiveSetting::Polite:
      return " aria-live=\"polite\"";
    case LiveSetting::Assertive:
      return " aria-live=\"assertive\"";
  }
  return "";
}

// A text box the user reads: focusable, and a live region as the definition sets it.
void TextBox(std::string& out, const Control& c) {
  out += "<div" + Attributes(c, c.vertical_scroll ? "text scroll" : "text", -1) +
         " role=\"textbox\" tabindex=\"0\" aria-multiline=\"" + (c.multi_line ? "true" : "false") +
         "\" aria-readonly=\"" + (c.read_only ? "true" : "false") + '"' +
         std::string(LiveAttribute(c.live)) + '>';
  AppendHtml(out, c.caption);
  out += "</div>\n";
}

}  // namespace

std::string ElementId(const Control& control) {
  std::string id;
  AppendUtf8(id, control.name);
  if (control.index != kNoIndex) id += '_' + Number(control.index);
  return id;
}

std::string_view KindName(Kind kind) {
  switch (kind) {
    case Kind::Label:
      return "Label";
    case Kind::Frame:
      return "Frame";
    case Kind::OptionButton:
      return "OptionButton";
    case Kind::CommandButton:
      return "CommandButton";
    case Kind::TextBox:
      return "TextBox";
    case Kind::ListBox:
      return "ListBox";
  }
  return "";
}

std::string WindowMarkup() {
  const FormRecord& form = Form();
  // Inert until the page's script has connected it to the module, so that no click is lost.
  std::string out = "<main id=\"quiz\" class=\"form\" inert style=\"--w:" +
                    Number(TwipsToPixels(form.client_width, kCssDpi)) +
                    ";--h:" + Number(TwipsToPixels(form.client_height, kCssDpi)) +
                    ";--font:" + Number(form.font.points * kCssDpi / 72) + ";--face:'";
  AppendHtml(out, form.font.face);
  out += "';font-weight:" + Number(form.font.weight) + ";background:" + Colour(form.back_color) +
         ";color:" + Colour(InkOn(form.back_color)) + "\">\n";
  bool heading = true;  // the first label on screen is the window's title
  for (const Control* c : ScreenOrder()) {
    switch (c->kind) {
      case Kind::Label:
        Label(out, *c, heading);
        heading = false;
        break;
      case Kind::Frame:
        Frame(out, *c);
        break;
      case Kind::CommandButton:
        Command(out, *c);
        break;
      case Kind::TextBox:
        TextBox(out, *c);
        break;
      case Kind::OptionButton:  // written with its frame
      case Kind::ListBox:
        break;
    }
  }
  out += "</main>";
  return out;
}

std::string WorksheetMarkup() {
  const std::vector<const Control*> order = ScreenOrder();
  const auto title = std::find_if(order.begin(), order.end(),
                                  [](const Control* c) { return c->kind == Kind::Label; });
  std::string out = "<div class=\"sheet\" hidden style=\"--face:'";
  AppendHtml(out, Form().font.face);
  out += "'\">\n<p class=\"sheet-title\">";
  if (title != order.end()) AppendHtml(out, (*title)->caption);
  out += "</p>\n<p>";
  AppendHtml(out, kWorksheetInstruction);
  out += "</p>\n";
  const Control* person = PersonButton(0);
  for (const Control* frame : order) {
    if (frame->kind != Kind::Frame) continue;
    const bool persons = person != nullptr && ParentOf(*person) == frame;
    out += "<div class=\"sheet-group\"><p class=\"sheet-heading\">";
    AppendHtml(out, frame->caption);
    out += "</p>\n<ol>\n";
    for (const Control* option : OptionsOnScreen(*frame)) {
      const auto place = static_cast<std::size_t>(PlaceOnScreen(*option));
      out += "<li><span class=\"sheet-mark\">";
      if (persons || place > kWorksheetLetters.size()) {
        out += Number(static_cast<int>(place)) + '.';
      } else {
        AppendHtml(out, kWorksheetLetters.substr(place - 1, 1));
        out += ')';
      }
      out += "</span> ";
      AppendHtml(out, option->caption);
      out += persons ? "<span class=\"sheet-blank\"></span></li>\n" : "</li>\n";
    }
    out += "</ol></div>\n";
  }
  out += "</div>";
  return out;
}

std::string PageTexts() {
  const FormRecord& form = Form();
  const int width = TwipsToPixels(form.client_width, kCssDpi);
  const int height = TwipsToPixels(form.client_height, kCssDpi);
  std::string out = "{\"title\": ";
  AppendJson(out, form.caption);
  // Narrower or lower than the window, in CSS pixels or at the user's font size; written
  // without the range syntax, which older browsers do not read.
  const auto under = [](const char* side, const std::string& size) {
    return "not all and (min-" + std::string(side) + ": " + size + ")";
  };
  out += ",\n\"colour\": \"" + Colour(form.back_color) + "\",\n\"reflow\": \"" +
         under("width", Number(width) + "px") + ", " + under("width", Rem(width) + "rem") + ", " +
         under("height", Number(height) + "px") + ", " + under("height", Rem(height) + "rem") +
         "\",\n\"window\": ";
  AppendJson(out, std::string_view(WindowMarkup()));
  out += ",\n\"worksheet\": ";
  AppendJson(out, std::string_view(WorksheetMarkup()));
  out += "}\n";
  return out;
}

}  // namespace quiz::ui::web
