// Artwork of our own, drawn by code: nothing here is a copied picture.

#include "ui/artwork.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <cstdint>
#include <map>

#include "core/game_state.h"
#include "core/setup.h"
#include "presentation/screen.h"

#ifndef ZELK55_VERSION
#define ZELK55_VERSION "0.1.0"
#endif

namespace zelk::ui {

namespace {

using P = PictureName;

// A repeatable pseudo-random number for a point of a texture.
std::uint32_t hash(std::uint32_t x, std::uint32_t y, std::uint32_t seed) {
  std::uint32_t h = x * 374761393u + y * 668265263u + seed * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  return h ^ (h >> 16);
}
double unit(std::uint32_t x, std::uint32_t y, std::uint32_t seed) { return (hash(x, y, seed) & 0xFFFF) / 65535.0; }

int clamp255(double v) { return v < 0 ? 0 : v > 255 ? 255 : static_cast<int>(v); }

QImage blank(QSize size) {
  QImage img(size, QImage::Format_RGB32);
  img.fill(Qt::black);
  return img;
}

// Device pixels per natural pixel, across and down, for a picture drawn at `size`.
struct Scale {
  double x, y;
};

// Fills the image pixel by pixel from a colour function of the device pixel.
template <class F>
void fillPixels(QImage& img, F colourAt) {
  for (int y = 0; y < img.height(); ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < img.width(); ++x) line[x] = colourAt(x, y);
  }
}

QRgb shaded(QColor c, double d) { return qRgb(clamp255(c.red() + d), clamp255(c.green() + d), clamp255(c.blue() + d)); }

// The board's wood: warm kaya with faint wavy grain running across. Drawn once per size.
void paintWood(QImage& img, Scale s) {
  static std::map<std::pair<int, int>, QImage> cache;
  const auto key = std::make_pair(img.width(), img.height());
  auto it = cache.find(key);
  if (it == cache.end()) {
    if (cache.size() > 32) cache.clear();  // the sizes a resized window passed through
    QImage wood(img.size(), QImage::Format_RGB32);
    const QColor base(229, 190, 115);
    fillPixels(wood, [&](int x, int y) {
      const double nx = x / s.x, ny = y / s.y;
      const double grain = std::sin(ny * 1.7 + std::sin(nx * 0.21) * 1.3) * 6;
      const double fleck = (unit(x, y, 7) - 0.5) * 6;
      return shaded(base, grain + fleck);
    });
    it = cache.emplace(key, wood).first;
  }
  img = it->second.copy();
}

struct Face {
  const char* text;
  bool red;
};

Face faceOf(Picture pic) {
  const bool promoted = pic.index == 1;
  switch (pic.name) {
    case P::SITA_HU:
    case P::UE_HU: return promoted ? Face{"と", true} : Face{"歩", false};
    case P::SITA_GIN:
    case P::UE_GIN: return promoted ? Face{"全", true} : Face{"銀", false};
    case P::SITA_KIN:
    case P::UE_KIN: return {"金", false};
    case P::SITA_KAKU:
    case P::UE_KAKU: return promoted ? Face{"馬", true} : Face{"角", false};
    case P::SITA_SYA:
    case P::UE_SYA: return promoted ? Face{"龍", true} : Face{"飛", false};
    case P::SITA_OU:
    case P::UE_OU: return {"王", false};
    default: return {"", false};
  }
}

bool pointsDown(P name) {
  return name == P::UE_HU || name == P::UE_GIN || name == P::UE_KIN || name == P::UE_KAKU || name == P::UE_SYA ||
         name == P::UE_OU;
}

// A piece on its square: the five-sided wooden piece pointing at the opponent, its kanji
// in black, or in red on a promoted face.
void paintPiece(QImage& img, Scale s, Picture pic, const QString& family) {
  paintWood(img, s);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.scale(s.x, s.y);
  if (pointsDown(pic.name)) {
    p.translate(42, 47);
    p.rotate(180);
  }
  QPainterPath shape;
  shape.moveTo(21, 4.5);
  shape.lineTo(32.5, 10.5);
  shape.lineTo(36, 43);
  shape.lineTo(6, 43);
  shape.lineTo(9.5, 10.5);
  shape.closeSubpath();

  p.fillPath(shape.translated(1.2, 1.2), QColor(60, 35, 10, 90));
  QLinearGradient body(0, 4, 0, 43);
  body.setColorAt(0, QColor(250, 232, 188));
  body.setColorAt(1, QColor(214, 170, 98));
  p.fillPath(shape, body);
  p.setPen(QPen(QColor(96, 62, 24), 0.9));
  p.drawPath(shape);

  const Face face = faceOf(pic);
  QFont font(family);
  font.setBold(true);
  font.setPixelSize(pic.name == P::SITA_OU || pic.name == P::UE_OU ? 21 : 19);
  p.setFont(font);
  p.setPen(face.red ? QColor(196, 22, 22) : QColor(24, 16, 8));
  p.drawText(QRectF(6, 12, 30, 30), Qt::AlignCenter, QString::fromUtf8(face.text));
}

// 緑: dense felt, tiny fibres over a deep green.
void paintFelt(QImage& img, Scale s) {
  const QColor base(28, 108, 46);
  fillPixels(img, [&](int x, int y) {
    const auto mx = static_cast<std::uint32_t>(x / (s.x * 6)), my = static_cast<std::uint32_t>(y / (s.y * 6));
    const double mottle = (unit(mx, my, 3) - 0.5) * 10;
    const double fibre = (unit(x, y, 11) - 0.5) * 26;
    return shaded(base, mottle + fibre);
  });
}

// 畳: rows of woven rush with the binding threads running down every few pixels.
void paintTatami(QImage& img, Scale s) {
  const QColor base(190, 186, 112);
  fillPixels(img, [&](int x, int y) {
    const int row = static_cast<int>(y / s.y), col = static_cast<int>(x / s.x);
    double d = (row % 2 == 0) ? 6 : -6;
    d += ((col + (row % 2) * 3) % 6 < 3) ? 4 : -4;  // the weave's over-and-under
    if (col % 8 == 7) d -= 22;                      // binding thread
    d += (unit(x, y, 5) - 0.5) * 10;
    return shaded(base, d);
  });
}

// 竹: two green stalks with their nodes, on shaded ground.
void paintBamboo(QImage& img, Scale s) {
  img.fill(QColor(34, 62, 28));
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(s.x, s.y);
  const double stalks[][3] = {{1.5, 17, 12}, {21.5, 18, 33}};  // left, width, node row
  for (const auto& stalk : stalks) {
    QLinearGradient g(stalk[0], 0, stalk[0] + stalk[1], 0);
    g.setColorAt(0, QColor(70, 118, 40));
    g.setColorAt(0.35, QColor(168, 204, 96));
    g.setColorAt(1, QColor(62, 106, 34));
    p.fillRect(QRectF(stalk[0], 0, stalk[1], 46), g);
    p.fillRect(QRectF(stalk[0] - 0.5, stalk[2], stalk[1] + 1, 2), QColor(48, 84, 26));
    p.fillRect(QRectF(stalk[0], stalk[2] + 2, stalk[1], 0.8), QColor(200, 226, 140));
  }
}

// 宇宙: the night sky, a few stars of different brightness; even dark ground, so tiles meet
// without a seam.
void paintSpace(QImage& img, Scale s) {
  const QColor base(6, 8, 30);
  fillPixels(img, [&](int x, int y) {
    return shaded(base, (unit(static_cast<std::uint32_t>(x / s.x), static_cast<std::uint32_t>(y / s.y), 17) - 0.5) * 5);
  });
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(s.x, s.y);
  p.setPen(Qt::NoPen);
  for (std::uint32_t i = 0; i < 14; ++i) {
    const double x = unit(i, 1, 21) * 41, y = unit(i, 2, 21) * 46;
    const double r = 0.3 + unit(i, 3, 21) * 0.8;
    const int bright = 150 + static_cast<int>(unit(i, 4, 21) * 105);
    const QColor c = i % 5 == 0 ? QColor(bright, bright, 180) : QColor(bright, bright, bright);
    p.setBrush(c);
    p.drawEllipse(QPointF(x, y), r, r);
    if (r > 0.95) {  // a glint on the brightest
      p.fillRect(QRectF(x - 2, y - 0.15, 4, 0.3), c);
      p.fillRect(QRectF(x - 0.15, y - 2, 0.3, 4), c);
    }
  }
}

// 煉瓦: four courses of red bricks, every other course shifted by half a brick.
void paintBrick(QImage& img, Scale s) {
  img.fill(QColor(186, 176, 160));
  QPainter p(&img);
  p.scale(s.x, s.y);
  const double h = 46 / 4.0, w = 41 / 2.0;
  for (int row = 0; row < 4; ++row) {
    const double shift = (row % 2) ? w / 2 : 0;
    for (int b = -1; b <= 2; ++b) {
      const double x = b * w + shift;
      const int v = static_cast<int>(unit(row, (b + 2) % 2, 31) * 36) - 18;  // the same brick on both edges
      p.fillRect(QRectF(x + 0.5, row * h + 0.5, w - 1, h - 1), QColor(clamp255(150 + v), clamp255(58 + v / 2), 38));
      p.fillRect(QRectF(x + 0.5, row * h + 0.5, w - 1, 1.2), QColor(clamp255(176 + v), clamp255(84 + v / 2), 60));
    }
  }
}

// The title: the game's name in gold on dark lacquer.
void paintTitle(QImage& img, Scale s, const QString& family) {
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(s.x, s.y);
  QLinearGradient lacquer(0, 0, 0, 40);
  lacquer.setColorAt(0, QColor(92, 30, 14));
  lacquer.setColorAt(1, QColor(40, 10, 4));
  p.fillRect(QRectF(0, 0, 148, 40), lacquer);
  p.setPen(QPen(QColor(212, 175, 55), 1.6));
  p.drawRect(QRectF(1.2, 1.2, 145.6, 37.6));
  p.setPen(QPen(QColor(212, 175, 55, 150), 0.6));
  p.drawRect(QRectF(3.5, 3.5, 141, 33));

  QFont latin(family);
  latin.setPixelSize(20);
  latin.setBold(true);
  latin.setItalic(true);
  QFont kanji(family);
  kanji.setPixelSize(19);
  kanji.setBold(true);
  QPainterPath text;
  text.addText(10, 27, latin, "Zelk");
  text.addText(10 + QFontMetricsF(latin).horizontalAdvance("Zelk ") + 2, 27, kanji, QString::fromUtf8("５五将棋"));
  QLinearGradient gold(0, 10, 0, 30);
  gold.setColorAt(0, QColor(255, 236, 150));
  gold.setColorAt(0.5, QColor(222, 178, 60));
  gold.setColorAt(1, QColor(160, 112, 20));
  p.fillPath(text.translated(0.8, 0.8), QColor(0, 0, 0, 140));
  p.fillPath(text, gold);
}

}  // namespace

QSize pictureSize(PictureName name) {
  switch (name) {
    case P::HAIKEI_MIDORI:
    case P::HAIKEI_TATAMI:
    case P::HAIKEI_TAKE:
    case P::HAIKEI_UCHU:
    case P::HAIKEI_RENGA: return {41, 46};
    case P::ZelkSHOGI: return {148, 40};
    default: return {42, 47};
  }
}

QImage renderPicture(Picture picture, QSize size, const QString& fontFamily) {
  if (size.width() < 1 || size.height() < 1) size = QSize(1, 1);
  QImage img = blank(size);
  const QSize natural = pictureSize(picture.name);
  const Scale s{double(size.width()) / natural.width(), double(size.height()) / natural.height()};
  switch (picture.name) {
    case P::KARA_MASU: paintWood(img, s); break;
    case P::HAIKEI_MIDORI: paintFelt(img, s); break;
    case P::HAIKEI_TATAMI: paintTatami(img, s); break;
    case P::HAIKEI_TAKE: paintBamboo(img, s); break;
    case P::HAIKEI_UCHU: paintSpace(img, s); break;
    case P::HAIKEI_RENGA: paintBrick(img, s); break;
    case P::ZelkSHOGI: paintTitle(img, s, fontFamily); break;
    default: paintPiece(img, s, picture, fontFamily); break;
  }
  return img;
}

QImage renderPicture(Picture picture, int scale, const QString& fontFamily) {
  return renderPicture(picture, pictureSize(picture.name) * scale, fontFamily);
}

QImage renderVersionArtwork(int scale, const QString& fontFamily) {
  QImage img = blank(QSize(320, 200) * scale);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  p.scale(scale, scale);
  QLinearGradient sky(0, 0, 0, 200);
  sky.setColorAt(0, QColor(24, 40, 78));
  sky.setColorAt(1, QColor(88, 120, 168));
  p.fillRect(QRectF(0, 0, 320, 200), sky);

  // A small board in the starting position.
  GameState g;
  placeStartingPosition(g);
  const double cw = 21, ch = 23.6, left = 18, top = 40;
  for (int X = 1; X <= 5; ++X)
    for (int Y = 1; Y <= 5; ++Y) {
      const auto pic = pictureFor(g.盤面(X, Y));
      const QRectF cell(left + (X - 1) * cw, top + (Y - 1) * ch, cw, ch);
      p.drawImage(cell, renderPicture(*pic, scale, fontFamily));
      p.setPen(QPen(QColor(40, 24, 8), 0.6));
      p.drawRect(cell);
    }

  QPainterPath title;
  QFont big(fontFamily);
  big.setPixelSize(26);
  big.setBold(true);
  title.addText(142, 88, big, QString::fromUtf8("Zelk"));
  title.addText(142, 122, big, QString::fromUtf8("５五将棋"));
  QLinearGradient gold(0, 64, 0, 124);
  gold.setColorAt(0, QColor(255, 238, 160));
  gold.setColorAt(1, QColor(206, 156, 40));
  p.fillPath(title.translated(1.2, 1.2), QColor(0, 0, 0, 150));
  p.fillPath(title, gold);

  QFont small(fontFamily);
  small.setPixelSize(13);
  p.setFont(small);
  p.setPen(QColor(236, 240, 250));
  p.drawText(QPointF(144, 150), QString::fromUtf8("Version ") + QString::fromUtf8(ZELK55_VERSION));
  p.drawText(QPointF(144, 170), QString::fromUtf8("五×五の盤で指す将棋"));
  return img;
}

QString gameCharacters() {
  return QString::fromUtf8(
      "１２３４５６７８９一二三四五六七八九歩と銀成金角飛王全馬龍手目思考中"
      "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:名人段初級0123456789-LEVEL");
}

bool familyHasGlyphs(const QString& family, const QString& text) {
  QFont font(family);
  font.setStyleStrategy(QFont::NoFontMerging);
  if (QFontInfo(font).family().compare(family, Qt::CaseInsensitive) != 0) return false;
  const QFontMetrics metrics(font);
  for (char32_t c : text.toStdU32String())
    if (!metrics.inFontUcs4(c)) return false;
  return true;
}

QString chooseFontFamily() {
  const QStringList families = QFontDatabase::families();
  const QString chars = gameCharacters();
  for (const QString& wanted : {QString::fromUtf8("ＭＳ Ｐ明朝"), QString::fromUtf8("IPAPMincho")})
    for (const QString& f : families)
      if (f.compare(wanted, Qt::CaseInsensitive) == 0 && familyHasGlyphs(f, chars)) return f;
  for (const QString& f : families)
    if ((f.contains("Mincho", Qt::CaseInsensitive) || f.contains(QString::fromUtf8("明朝"))) &&
        familyHasGlyphs(f, chars))
      return f;
  return QFont().family();
}

}  // namespace zelk::ui
