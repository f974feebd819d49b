// What a player reads on the board area: every shadowed text, rendered at the window's sizes
// on every background, reads as its own strokes, and stands out from what lies around it.

#include <QColor>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "core/palette.h"
#include "presentation/screen.h"
#include "ui/artwork.h"
#include "ui/qt_surface.h"

namespace zelk::ui {
namespace {

// Device pixels per natural pixel of the window at 560 × 453, 1 120 × 906 and 1 920 × 1 080.
constexpr double kScales[] = {1.0, 2.0, 1080.0 / 444};

constexpr PictureName kBackgrounds[] = {PictureName::HAIKEI_MIDORI, PictureName::HAIKEI_TATAMI,
                                        PictureName::HAIKEI_TAKE, PictureName::HAIKEI_UCHU, PictureName::HAIKEI_RENGA};

struct Text {
  std::string text;
  double X, Y;  // the shadow is drawn 0.1 cell right and down, as the game draws it
  int size, colour;
};

QImage render(PictureName background, const Text* text, bool shadow, double scale) {
  QtSurface s(chooseFontFamily());
  for (int X = -2; X <= 12; ++X)
    for (int Y = -1; Y <= 8; ++Y) s.drawPicture(Picture{background}, cellX(X), cellY(Y));
  if (text) {
    if (shadow) s.drawText(text->text, cellX(text->X + 0.1), cellY(text->Y + 0.1), text->size, 色黒, true);
    s.drawText(text->text, cellX(text->X), cellY(text->Y), text->size, text->colour, true);
  }
  const double k = scale / 15;
  QImage img(static_cast<int>(std::ceil(8400 * k)), static_cast<int>(std::ceil(6660 * k)), QImage::Format_RGB32);
  QPainter p(&img);
  s.paint(p, DeviceMapping{k, 0, 0});
  return img;
}

bool differs(QRgb a, QRgb b) {
  return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b)) > 90;
}

double luminance(QRgb c) {
  const auto lin = [](int v) {
    const double s = v / 255.0;
    return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * lin(qRed(c)) + 0.7152 * lin(qGreen(c)) + 0.0722 * lin(qBlue(c));
}

// Where a text changed the picture, in the cells around its place.
struct Ink {
  QRect box;
  int rowBands = 0;     // runs of rows that hold ink, as the eye counts the strokes of 二
  int strokeBands = 0;  // runs of rows that hold the text's own light colour
};

Ink inkOf(const QImage& drawn, const QImage& bare, const Text& t, double scale) {
  const double k = scale / 15;
  const QRect area = QRect(QPoint(static_cast<int>(cellX(t.X - 0.2) * k), static_cast<int>(cellY(t.Y - 0.2) * k)),
                           QPoint(static_cast<int>(cellX(t.X + 1.6) * k), static_cast<int>(cellY(t.Y + 1.2) * k)))
                         .intersected(drawn.rect().adjusted(1, 1, -1, -1));
  Ink ink;
  bool inBand = false, inStroke = false;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    bool any = false, light = false;
    for (int x = area.left(); x <= area.right(); ++x) {
      if (!differs(drawn.pixel(x, y), bare.pixel(x, y))) continue;
      any = true;
      light = light || luminance(drawn.pixel(x, y)) > 0.6;
      ink.box |= QRect(x, y, 1, 1);
    }
    if (any && !inBand) ++ink.rowBands;
    if (light && !inStroke) ++ink.strokeBands;
    inBand = any;
    inStroke = light;
  }
  return ink;
}

TEST(LegibleText, TheLastMovesRankReadsAsItsOwnStrokesAtEverySize) {
  const Text ni{"二", 9.8, 2.4, 12, 色白};
  const Text san{"三", 9.8, 2.4, 12, 色白};
  for (const double scale : kScales) {
    const QImage bare = render(PictureName::HAIKEI_MIDORI, nullptr, false, scale);
    for (const Text& t : {ni, san}) {
      const Ink alone = inkOf(render(PictureName::HAIKEI_MIDORI, &t, false, scale), bare, t, scale);
      const Ink shadowed = inkOf(render(PictureName::HAIKEI_MIDORI, &t, true, scale), bare, t, scale);
      EXPECT_EQ(alone.rowBands, t.text == "二" ? 2 : 3) << t.text << " at " << scale;
      EXPECT_EQ(alone.strokeBands, alone.rowBands) << t.text << " at " << scale;
      // The white strokes stay apart, and the shadow adds no dark stroke of its own.
      EXPECT_EQ(shadowed.strokeBands, alone.strokeBands) << t.text << " with its shadow at " << scale;
      EXPECT_LE(shadowed.rowBands, alone.rowBands) << t.text << " with its shadow at " << scale;
    }
  }
}

// The shadow hugs the glyphs: coordinates, counts and clocks do not look printed twice.
TEST(LegibleText, AShadowReachesOnlyAFewPercentOfTheFontSizeBeyondItsText) {
  const Text texts[] = {{" 5", 1.1, 0.4, 16, 色黄},
                        {"一", 6.1, 1.3, 12, 色黄},
                        {"00:01:23", 7, 7.2, 12, 色白},
                        {" 2", 8, 1.2, 14, 色明赤},
                        {"LEVEL", -1.5, 0.1, 10, 色白}};
  for (const double scale : kScales) {
    const QImage bare = render(PictureName::HAIKEI_TATAMI, nullptr, false, scale);
    for (const Text& t : texts) {
      const Ink alone = inkOf(render(PictureName::HAIKEI_TATAMI, &t, false, scale), bare, t, scale);
      const Ink shadowed = inkOf(render(PictureName::HAIKEI_TATAMI, &t, true, scale), bare, t, scale);
      const double fontPixels = t.size * 20 * scale / 15;
      const int reach = static_cast<int>(std::max(3.0, 0.15 * fontPixels));
      ASSERT_FALSE(alone.box.isEmpty()) << t.text;
      EXPECT_LE(shadowed.box.right() - alone.box.right(), reach) << t.text << " at " << scale;
      EXPECT_LE(shadowed.box.bottom() - alone.box.bottom(), reach) << t.text << " at " << scale;
      EXPECT_LE(alone.box.left() - shadowed.box.left(), reach) << t.text << " at " << scale;
    }
  }
}

// Around the glyphs of a coloured text lies dark: yellow and white read on the light 畳, 竹
// and 煉瓦 as on the dark 宇宙.
TEST(LegibleText, TextsStandOutFromWhatSurroundsThemOnEveryBackground) {
  const Text texts[] = {{" 3", 3.1, 0.4, 16, 色黄},
                        {"四", 6.1, 4.3, 12, 色黄},
                        {"00:01:23", 7, 7.2, 12, 色白},
                        {"王", 10.4, 2.4, 12, 色白}};
  for (const PictureName background : kBackgrounds) {
    for (const double scale : kScales) {
      const QImage bare = render(background, nullptr, false, scale);
      for (const Text& t : texts) {
        const QImage alone = render(background, &t, false, scale);
        const QImage drawn = render(background, &t, true, scale);
        const Ink ink = inkOf(alone, bare, t, scale);
        // The glyphs' own pixels, and the ring of pixels next to them.
        double glyph = 0, ring = 0;
        int glyphs = 0, rings = 0;
        for (int y = ink.box.top(); y <= ink.box.bottom(); ++y)
          for (int x = ink.box.left(); x <= ink.box.right(); ++x) {
            if (differs(alone.pixel(x, y), bare.pixel(x, y))) {
              if (luminance(alone.pixel(x, y)) > 0.5) glyph += luminance(drawn.pixel(x, y)), ++glyphs;
              continue;
            }
            bool next = false;
            for (const QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)})
              next = next || differs(alone.pixel(x + d.x(), y + d.y()), bare.pixel(x + d.x(), y + d.y()));
            if (next) ring += luminance(drawn.pixel(x, y)), ++rings;
          }
        ASSERT_GT(glyphs, 0);
        ASSERT_GT(rings, 0);
        const double contrast = (glyph / glyphs + 0.05) / (ring / rings + 0.05);
        EXPECT_GE(contrast, 3.0) << t.text << " on background " << static_cast<int>(background) << " at " << scale;
      }
    }
  }
}

}  // namespace
}  // namespace zelk::ui
