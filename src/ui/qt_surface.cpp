#include "ui/qt_surface.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>

#include "presentation/colours.h"
#include "presentation/view_scale.h"
#include "ui/artwork.h"

namespace zelk::ui {

QColor paletteColour(int colour) { return QColor::fromRgb(paletteRgb(colour)); }

QtSurface::QtSurface(int scale, QString fontFamily)
    : scale_(scale),
      family_(std::move(fontFamily)),
      image_(static_cast<int>(kSurfaceWidth / kTwipsPerPixel) * scale,
             static_cast<int>(kSurfaceHeight / kTwipsPerPixel) * scale, QImage::Format_RGB32) {
  image_.fill(Qt::black);
}

const QImage& QtSurface::picture(Picture picture) {
  const auto key = std::make_pair(static_cast<int>(picture.name), picture.index);
  auto it = pictures_.find(key);
  if (it == pictures_.end()) it = pictures_.emplace(key, renderPicture(picture, scale_, family_)).first;
  return it->second;
}

// Twips are turned into device pixels directly, so pictures land on whole pixels 1:1.
void QtSurface::drawPicture(Picture pic, float x, float y) {
  const QImage& img = picture(pic);
  const double k = scale_ / kTwipsPerPixel;
  QPainter p(&image_);
  p.drawImage(QPointF(std::round(x * k), std::round(y * k)), img);
}

// One natural pixel wide, covering both corners, as a line box does.
void QtSurface::drawOutline(int colour, float x1, float y1, float x2, float y2) {
  const double k = scale_ / kTwipsPerPixel;
  const int l = static_cast<int>(std::round(x1 * k)), t = static_cast<int>(std::round(y1 * k));
  const int r = static_cast<int>(std::round(x2 * k)), b = static_cast<int>(std::round(y2 * k));
  const int w = scale_;
  QPainter p(&image_);
  const QColor c = paletteColour(colour);
  p.fillRect(l, t, r - l + w, w, c);
  p.fillRect(l, b, r - l + w, w, c);
  p.fillRect(l, t, w, b - t + w, c);
  p.fillRect(r, t, w, b - t + w, c);
}

void QtSurface::drawText(std::string_view text, float x, float y, int fontSize, int colour, bool bold) {
  QPainter p(&image_);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.setRenderHint(QPainter::Antialiasing);
  const double k = scale_ / kTwipsPerPixel;
  p.scale(k, k);  // from here on in twips: a point is 20 twips
  QFont font(family_);
  font.setPixelSize(fontSize * 20);
  font.setBold(bold);
  p.setFont(font);
  p.setPen(paletteColour(colour));
  const QFontMetricsF metrics(font);
  p.drawText(QPointF(x, y + metrics.ascent()), QString::fromUtf8(text.data(), static_cast<int>(text.size())));
}

void QtSurface::refresh() {
  if (onRefresh) onRefresh();
}

void QtSurface::clear(int colour) { image_.fill(paletteColour(colour)); }

}  // namespace zelk::ui
