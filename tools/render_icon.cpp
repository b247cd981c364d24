// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the application icon's SVG into square PNGs for the desktop's icon theme:
//   render_icon ICON.svg OUT_FOLDER SIZE...  writes OUT_FOLDER/SIZExSIZE/talvirex.png for each
//   SIZE.
// Exit status 0 when every PNG was written, 1 on bad arguments, 2 when the SVG is unusable or a
// PNG cannot be written.

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fputs("usage: render_icon ICON.svg OUT_FOLDER SIZE...\n", stderr);
    return 1;
  }
  // Shapes painted into an image need no display, so no application object is made: the icon
  // holds no text, whose fonts would need one.
  QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
  if (!svg.isValid()) {
    std::fprintf(stderr, "render_icon: %s is not a usable SVG\n", argv[1]);
    return 2;
  }
  const QDir out(QString::fromLocal8Bit(argv[2]));
  for (int i = 3; i < argc; ++i) {
    bool ok = false;
    const int size = QString::fromLocal8Bit(argv[i]).toInt(&ok);
    if (!ok || size < 1 || size > 4096) {
      std::fprintf(stderr, "render_icon: bad size %s\n", argv[i]);
      return 1;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
      QPainter painter(&image);
      painter.setRenderHint(QPainter::Antialiasing);
      svg.render(&painter);
    }
    const QString folder = QStringLiteral("%1x%1").arg(size);
    const QString path = out.filePath(folder + QStringLiteral("/talvirex.png"));
    if (!out.mkpath(folder) || !image.save(path, "PNG")) {
      std::fprintf(stderr, "render_icon: cannot write %s\n", qPrintable(path));
      return 2;
    }
  }
  return 0;
}
