// The application icon the windows carry: compiled into the program and drawn by the SVG plugin.

#include <QIcon>
#include <QImage>
#include <gtest/gtest.h>

#include "support/qt_application.h"

namespace talvirex {
namespace {

TEST(AppIcon, DrawsAShapeOnATransparentSquareAtEverySize) {
  testing::TestApplication();
  const QIcon icon(QStringLiteral(":/talvirex.svg"));
  ASSERT_FALSE(icon.isNull());
  for (const int size : {16, 48, 256}) {
    SCOPED_TRACE(size);
    const QImage image = icon.pixmap(size, size).toImage();
    ASSERT_EQ(image.size(), QSize(size, size));
    int opaque = 0;
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) opaque += qAlpha(image.pixel(x, y)) > 128 ? 1 : 0;
    }
    // A scanner and its antenna, not an empty or a filled square.
    EXPECT_GT(opaque, size * size / 4);
    EXPECT_LT(opaque, size * size * 9 / 10);
    EXPECT_EQ(qAlpha(image.pixel(size - 1, 0)), 0);  // the corner beside the waves stays clear
  }
}

}  // namespace
}  // namespace talvirex
