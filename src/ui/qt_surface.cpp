#include "ui/qt_surface.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

#include "presentation/colours.h"
#include "presentation/view_scale.h"
#include "ui/artwork.h"

namespace zelk::ui {

namespace {

constexpr double kLine = kTwipsPerPixel;  // an outline is one natural pixel wide
// How far right of and below its text a shadow may be drawn, in twips: a tenth of a cell.
constexpr double kShadowReachX = 0.1 * 615 + 1, kShadowReachY = 0.1 * 690 + 1;
// A shadow's rim round the glyphs and its offset down and right, as parts of the font size,
// each at least one device pixel.
constexpr double kRimPart = 0.06, kMinimumRim = 1.0, kShadowOffsetPart = 0.04;
const QRectF kDrawnArea(0, 0, kSurfaceWidth, kSurfaceHeight);

int px(double v) { return static_cast<int>(std::lround(v)); }

// The twips a picture covers from its corner.
QRectF pictureRect(Picture picture, float x, float y) {
  const QSize natural = pictureSize(picture.name);
  return QRectF(x, y, natural.width() * kTwipsPerPixel, natural.height() * kTwipsPerPixel);
}

// The whole twips a rectangle touches, and those it covers entirely.
QRect outward(const QRectF& r) { return r.toAlignedRect(); }
QRect inward(const QRectF& r) {
  const int l = static_cast<int>(std::ceil(r.left())), t = static_cast<int>(std::ceil(r.top()));
  const int rr = static_cast<int>(std::floor(r.right())), b = static_cast<int>(std::floor(r.bottom()));
  return rr > l && b > t ? QRect(QPoint(l, t), QPoint(rr - 1, b - 1)) : QRect();
}

}  // namespace

QColor paletteColour(int colour) { return QColor::fromRgb(paletteRgb(colour)); }

QtSurface::QtSurface(QString fontFamily) : family_(std::move(fontFamily)) {}

// A call wholly outside the drawn area is never seen. An opaque picture takes its own place
// out of what earlier calls still show, and a call that no longer shows anywhere leaves the
// list, so the list holds about one screenful however long the game runs. An outline also
// replaces the same outline drawn before.
void QtSurface::keep(Call call, const QRectF& cover, bool opaque) {
  if (!cover.intersects(kDrawnArea)) return;
  const QRect hidden = opaque ? inward(cover) : QRect();
  std::size_t out = 0;
  for (std::size_t i = 0; i < calls_.size(); ++i) {
    bool gone = false;
    if (opaque && covers_[i].intersects(cover)) {
      shown_[i] -= hidden;
      gone = shown_[i].isEmpty() || cover.contains(covers_[i]);
    } else if (call.kind == Call::Outline && calls_[i].kind == Call::Outline) {
      gone = covers_[i] == cover;
    }
    if (gone) continue;
    if (out != i) {
      calls_[out] = std::move(calls_[i]);
      covers_[out] = covers_[i];
      shown_[out] = std::move(shown_[i]);
    }
    ++out;
  }
  calls_.resize(out);
  covers_.resize(out);
  shown_.resize(out);
  call.number = next_++;
  calls_.push_back(std::move(call));
  covers_.push_back(cover);
  shown_.emplace_back(outward(cover & kDrawnArea));
}

// A picture is opaque: it hides what lies under it.
void QtSurface::drawPicture(Picture picture, float x, float y) {
  const QRectF r = pictureRect(picture, x, y);
  Call c;
  c.kind = Call::Picture;
  c.picture = picture;
  c.x = x;
  c.y = y;
  c.x2 = static_cast<float>(r.right());
  c.y2 = static_cast<float>(r.bottom());
  keep(std::move(c), r, true);
}

// The line is one natural pixel wide and covers both corners: from (x1, y1) to one natural
// pixel beyond (x2, y2). It hides the same outline drawn before, in any colour, and nothing
// else: its inside shows what was there.
void QtSurface::drawOutline(int colour, float x1, float y1, float x2, float y2) {
  Call c;
  c.kind = Call::Outline;
  c.colour = static_cast<std::uint8_t>(colour & 15);
  c.x = x1;
  c.y = y1;
  c.x2 = static_cast<float>(x2 + kLine);
  c.y2 = static_cast<float>(y2 + kLine);
  const QRectF r(QPointF(c.x, c.y), QPointF(c.x2, c.y2));
  keep(std::move(c), r, false);
}

// What a text may touch: its advance and line height at its size in twips, with a margin to
// the right and below for glyphs that come out wider or taller at other sizes. Its glyphs
// start right of and below its corner, so a text written at a cell's corner lies within the
// cell and goes from the list once the cell's picture is drawn again.
void QtSurface::drawText(std::string_view text, float x, float y, int fontSize, int colour, bool bold) {
  Call c;
  c.kind = Call::Text;
  c.text = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  c.colour = static_cast<std::uint8_t>(colour & 15);
  c.fontSize = fontSize;
  c.bold = bold;
  c.x = x;
  c.y = y;
  const double size = fontSize * 20.0;  // a point is 20 twips
  const double margin = size / 4;
  const QSizeF extent = textExtent(c.text, static_cast<int>(size), bold);
  const QRectF cover(x, y, extent.width() + margin, extent.height() + margin);
  if (colour != 0 && !calls_.empty()) {
    Call& last = calls_.back();
    const double dx = last.x - x, dy = last.y - y;
    if (last.kind == Call::Text && last.colour == 0 && !last.shadow && last.text == c.text &&
        last.fontSize == fontSize && last.bold == bold && dx >= 0 && dx <= kShadowReachX && dy >= 0 &&
        dy <= kShadowReachY) {
      last.shadow = true;
      last.x2 = x;
      last.y2 = y;
    }
  }
  keep(std::move(c), cover, false);
}

QRectF QtSurface::coverSince(std::uint64_t since) const {
  QRectF all;
  for (std::size_t i = calls_.size(); i-- > 0 && calls_[i].number > since;) all |= covers_[i];
  return all & kDrawnArea;
}

void QtSurface::refresh() {
  if (onRefresh) onRefresh();
}

void QtSurface::clear(int colour) {
  calls_.clear();
  covers_.clear();
  shown_.clear();
  clearColour_ = colour;
  ++clears_;
}

const QFont& QtSurface::font(int pixelSize, bool bold) {
  const auto key = std::make_pair(pixelSize, bold);
  auto it = fonts_.find(key);
  if (it == fonts_.end()) {
    QFont f(family_);
    f.setPixelSize(std::max(1, pixelSize));
    f.setBold(bold);
    it = fonts_.emplace(key, f).first;
  }
  return it->second;
}

// The clocks write a new text every second, and a window being resized passes through many
// sizes: the caches start afresh when they grow large.
template <class Map>
static void bound(Map& cache) {
  if (cache.size() > 512) cache.clear();
}

QSizeF QtSurface::textExtent(const QString& text, int pixelSize, bool bold) {
  bound(extents_);
  const auto key = std::make_tuple(text, pixelSize, bold);
  auto it = extents_.find(key);
  if (it == extents_.end()) {
    const QFontMetricsF metrics(font(pixelSize, bold));
    it = extents_.emplace(key, QSizeF(metrics.horizontalAdvance(text), metrics.height())).first;
  }
  return it->second;
}

const QStaticText& QtSurface::laidOut(const QString& text, int pixelSize, bool bold) {
  bound(laidOut_);
  const auto key = std::make_tuple(text, pixelSize, bold);
  auto it = laidOut_.find(key);
  if (it == laidOut_.end()) {
    QStaticText t(text);
    t.setTextFormat(Qt::PlainText);
    t.setPerformanceHint(QStaticText::AggressiveCaching);
    t.prepare(QTransform(), font(pixelSize, bold));
    it = laidOut_.emplace(key, std::move(t)).first;
  }
  return it->second;
}

// The glyphs' outline widened by the rim on every side, filled: a dark band round each stroke
// that joins the stroke itself, never a second stroke beside it.
const QPainterPath& QtSurface::rim(const QString& text, int pixelSize, bool bold) {
  bound(rims_);
  const auto key = std::make_tuple(text, pixelSize, bold);
  auto it = rims_.find(key);
  if (it == rims_.end()) {
    const QFont& f = font(pixelSize, bold);
    QPainterPath glyphs;
    glyphs.addText(QPointF(0, QFontMetricsF(f).ascent()), f, text);
    QPainterPathStroker stroker;
    stroker.setWidth(2 * std::max(kMinimumRim, kRimPart * pixelSize));
    stroker.setJoinStyle(Qt::RoundJoin);
    stroker.setCapStyle(Qt::RoundCap);
    QPainterPath band = stroker.createStroke(glyphs).united(glyphs);
    band.setFillRule(Qt::WindingFill);
    it = rims_.emplace(key, std::move(band)).first;
  }
  return it->second;
}

const QImage& QtSurface::picture(Picture picture, QSize size) {
  const auto key = std::make_tuple(static_cast<int>(picture.name), picture.index, size.width(), size.height());
  auto it = pictures_.find(key);
  if (it == pictures_.end() && pictures_.size() > 256) {
    pictures_.clear();  // a window being resized leaves the sizes it passed through
    it = pictures_.end();
  }
  if (it == pictures_.end()) it = pictures_.emplace(key, renderPicture(picture, size, family_)).first;
  return it->second;
}

// Every corner goes to the nearest device pixel, so that neighbouring pictures meet without
// a gap or a seam, and each picture is drawn at the size its corners give it.
void QtSurface::paint(QPainter& p, const DeviceMapping& m, const QRectF& part) {
  p.setRenderHint(QPainter::TextAntialiasing);
  const auto dx = [&](double twips) { return px(m.left + twips * m.k); };
  const double ky = m.down();
  const auto dy = [&](double twips) { return px(m.top + twips * ky); };
  p.save();
  p.setClipRect(QRect(QPoint(dx(0), dy(0)), QPoint(dx(kSurfaceWidth) - 1, dy(kSurfaceHeight) - 1)));
  p.fillRect(p.clipBoundingRect(), paletteColour(clearColour_));
  const int line = std::max(1, px(kLine * m.k));
  for (std::size_t i = 0; i < calls_.size(); ++i) {
    if (!covers_[i].intersects(part)) continue;
    Call& c = calls_[i];
    switch (c.kind) {
      case Call::Picture: {
        const QRect r(QPoint(dx(c.x), dy(c.y)), QPoint(dx(c.x2) - 1, dy(c.y2) - 1));
        p.drawImage(r.topLeft(), picture(c.picture, r.size()));
        break;
      }
      case Call::Outline: {
        // The far lines end where the far corner plus a line lands, so that an outline never
        // reaches beyond the picture drawn over its cell.
        const int l = dx(c.x), t = dy(c.y), r = dx(c.x2), b = dy(c.y2);
        const int r0 = std::min(dx(c.x2 - kLine), r - 1), b0 = std::min(dy(c.y2 - kLine), b - 1);
        const QColor colour = paletteColour(c.colour);
        p.fillRect(QRect(QPoint(l, t), QPoint(r - 1, std::min(t + line, b) - 1)), colour);
        p.fillRect(QRect(QPoint(l, b0), QPoint(r - 1, b - 1)), colour);
        p.fillRect(QRect(QPoint(l, t), QPoint(std::min(l + line, r) - 1, b - 1)), colour);
        p.fillRect(QRect(QPoint(r0, t), QPoint(r - 1, b - 1)), colour);
        break;
      }
      case Call::Text: {
        if (c.shadow) {
          const int size = px(c.fontSize * 20.0 * ky);
          const double offset = std::max(1.0, std::round(kShadowOffsetPart * size));
          p.save();
          p.setRenderHint(QPainter::Antialiasing);
          // A rim all round the glyphs, and again a little down and right: a drop shadow that
          // still hugs the strokes.
          const QPainterPath& band = rim(c.text, size, c.bold);
          p.translate(m.left + c.x2 * m.k, m.top + c.y2 * ky);
          p.fillPath(band, paletteColour(c.colour));
          p.translate(offset, offset);
          p.fillPath(band, paletteColour(c.colour));
          p.restore();
          break;
        }
        // Drawn at its size on the device, so the glyphs are those of that size, not scaled;
        // shaped once for each size it is shown at.
        const int size = px(c.fontSize * 20.0 * ky);
        p.setFont(font(size, c.bold));
        p.setPen(paletteColour(c.colour));
        p.drawStaticText(QPointF(m.left + c.x * m.k, m.top + c.y * ky), laidOut(c.text, size, c.bold));
        break;
      }
    }
  }
  p.restore();
}

// The cells start at the board's corner (1250, 600 twips), 615 × 690 twips each; a tile's
// corners are rounded as the drawn area rounds them, so the tiles meet those inside it.
void QtSurface::paintBeyond(QPainter& p, const DeviceMapping& m, Picture tile, const QRect& part) {
  const double ky = m.down();
  const auto dx = [&](double twips) { return px(m.left + twips * m.k); };
  const auto dy = [&](double twips) { return px(m.top + twips * ky); };
  const QRect drawn(QPoint(dx(0), dy(0)), QPoint(dx(kSurfaceWidth) - 1, dy(kSurfaceHeight) - 1));
  const QRegion beyond = QRegion(part) - QRegion(drawn);
  if (beyond.isEmpty()) return;
  const QRect all = beyond.boundingRect();
  const double cw = 615, ch = 690, ox = 1250, oy = 600;
  const int X0 = static_cast<int>(std::floor(((all.left() - m.left) / m.k - ox) / cw)) - 1;
  const int X1 = static_cast<int>(std::ceil(((all.right() + 1 - m.left) / m.k - ox) / cw)) + 1;
  const int Y0 = static_cast<int>(std::floor(((all.top() - m.top) / ky - oy) / ch)) - 1;
  const int Y1 = static_cast<int>(std::ceil(((all.bottom() + 1 - m.top) / ky - oy) / ch)) + 1;
  p.save();
  p.setClipRegion(beyond);
  const QSize natural = pictureSize(tile.name);
  for (int X = X0; X <= X1; ++X)
    for (int Y = Y0; Y <= Y1; ++Y) {
      const double x = ox + X * cw, y = oy + Y * ch;
      const QRect r(QPoint(dx(x), dy(y)), QPoint(dx(x + natural.width() * kTwipsPerPixel) - 1,
                                                 dy(y + natural.height() * kTwipsPerPixel) - 1));
      if (r.intersects(all)) p.drawImage(r.topLeft(), picture(tile, r.size()));
    }
  p.restore();
}

QImage QtSurface::render(int scale) {
  QImage img(static_cast<int>(kSurfaceWidth / kTwipsPerPixel) * scale,
             static_cast<int>(kSurfaceHeight / kTwipsPerPixel) * scale, QImage::Format_RGB32);
  QPainter p(&img);
  paint(p, DeviceMapping{scale / kTwipsPerPixel, 0, 0});
  return img;
}

}  // namespace zelk::ui
