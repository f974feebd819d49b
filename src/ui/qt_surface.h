#pragma once
// The window surface as an off-screen image covering the drawn area in twips, rendered at
// several device pixels per natural pixel so that it stays crisp when the window is scaled
// up or shown on a high-density screen. The board view paints it scaled to its size.

#include <QColor>
#include <QImage>
#include <QString>

#include <functional>
#include <map>
#include <utility>

#include "presentation/platform.h"

namespace zelk::ui {

QColor paletteColour(int colour);

class QtSurface final : public Surface {
public:
  // scale: device pixels per natural pixel of 15 twips.
  QtSurface(int scale, QString fontFamily);

  void drawPicture(Picture picture, float x, float y) override;
  void drawOutline(int colour, float x1, float y1, float x2, float y2) override;
  void drawText(std::string_view text, float x, float y, int fontSize, int colour, bool bold) override;
  void refresh() override;

  // Clears the whole surface to a palette colour, as a change of the window's colour does.
  void clear(int colour);

  const QImage& image() const { return image_; }
  int scale() const { return scale_; }
  const QString& fontFamily() const { return family_; }
  // The picture as drawn, at this surface's resolution.
  const QImage& picture(Picture picture);

  std::function<void()> onRefresh;  // puts the image on the screen now

private:
  int scale_;
  QString family_;
  QImage image_;
  std::map<std::pair<int, int>, QImage> pictures_;
};

}  // namespace zelk::ui
