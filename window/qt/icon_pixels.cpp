// Build tool: writes the pixels of the icon image as a C++ header, ARGB one word a pixel, so
// that the program sets its window icon without reading an image file at start.
//   quiz-icon-pixels ICON.png OUT.h
#include <QImage>
#include <cstdio>

int main(int argc, char* argv[]) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: quiz-icon-pixels ICON.png OUT.h\n");
    return 2;
  }
  const QImage image =
      QImage(QString::fromLocal8Bit(argv[1])).convertToFormat(QImage::Format_ARGB32);
  if (image.isNull() || image.width() != image.height()) {
    std::fprintf(stderr, "quiz-icon-pixels: %s is not a square image\n", argv[1]);
    return 1;
  }
  std::FILE* out = std::fopen(argv[2], "w");
  if (out == nullptr) return 1;
  std::fprintf(out,
               "// Generated from %s by quiz-icon-pixels.\n#pragma once\n\n#include <cstdint>\n\n"
               "namespace quiz::ui {\n\ninline constexpr int kIconSize = %d;\n"
               "alignas(4) inline constexpr std::uint32_t kIconPixels[] = {",
               argv[1], image.width());
  for (int y = 0; y < image.height(); ++y) {
    std::fprintf(out, "\n   ");
    for (int x = 0; x < image.width(); ++x) std::fprintf(out, " 0x%08X,", image.pixel(x, y));
  }
  std::fprintf(out, "\n};\n\n}  // namespace quiz::ui\n");
  return std::fclose(out) == 0 ? 0 : 1;
}
