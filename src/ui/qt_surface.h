#pragma once
// The window surface as a list of the drawing calls the game made, in twips, kept in order
// (later drawing wins). The board view replays it at the window's real size and device
// pixel ratio: pictures are drawn at the size they take on the screen, outlines and text at
// that resolution, so nothing is a bitmap scaled up or down. A picture drawn over earlier
// calls hides them: once pictures drawn later cover all of a call, it leaves the list, so the
// list stays as long as one screenful of drawing.
// A black text drawn just before the same text in a colour, a tenth of a cell or less right of
// and below it, is that text's shadow: it is painted as a thin dark rim round the glyphs,
// offset by a few percent of the font size, so that it never reads as a stroke of its own
// and the text stands out on every background.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <QStaticText>
#include <QString>

#include <cstdint>
#include <functional>
#include <map>
#include <tuple>
#include <vector>

#include "presentation/platform.h"
#include "presentation/view_scale.h"

namespace zelk::ui {

QColor paletteColour(int colour);

// Where the drawn area lands on a device: device pixels per twip across (and down, when ky is
// set), and the device pixel of twip (0, 0).
struct DeviceMapping {
  double k = 1 / 15.0;
  double left = 0, top = 0;
  double ky = 0;  // 0: as across
  double down() const { return ky > 0 ? ky : k; }
  friend bool operator==(const DeviceMapping&, const DeviceMapping&) = default;
};

class QtSurface final : public Surface {
public:
  explicit QtSurface(QString fontFamily);

  void drawPicture(Picture picture, float x, float y) override;
  void drawOutline(int colour, float x1, float y1, float x2, float y2) override;
  void drawText(std::string_view text, float x, float y, int fontSize, int colour, bool bold) override;
  void refresh() override;

  // Forgets everything drawn: the drawn area shows the palette colour, as a change of the
  // window's colour does.
  void clear(int colour);

  // Replays onto `p` at `m`, in order, every call that touches `part` (twips) of the drawn
  // area, over the cleared colour; `p` is to be clipped to that part.
  void paint(QPainter& p, const DeviceMapping& m, const QRectF& part = QRectF(0, 0, kSurfaceWidth, kSurfaceHeight));
  // The number of the last call kept; the first call after a clear() numbers on from it.
  std::uint64_t lastCall() const { return next_ - 1; }
  // Changes with every clear(): what was replayed before it is gone.
  std::uint64_t clears() const { return clears_; }
  std::size_t keptCalls() const { return calls_.size(); }
  // The twips the calls numbered after `since` may have touched; empty when there are none.
  QRectF coverSince(std::uint64_t since) const;

  // The whole drawn area at `scale` device pixels per natural pixel (15 twips).
  QImage render(int scale);
  // Tiles of `tile` over all of `part` (device pixels) outside the drawn area, on the grid of
  // its cells, as the background continues beyond it.
  void paintBeyond(QPainter& p, const DeviceMapping& m, Picture tile, const QRect& part);
  // A picture as drawn to fill `size` device pixels, made once per size.
  const QImage& picture(Picture picture, QSize size);
  const QString& fontFamily() const { return family_; }

  std::function<void()> onRefresh;  // has what was drawn painted before the game goes on

private:
  struct Call {
    enum Kind : std::uint8_t { Picture, Outline, Text } kind;
    zelk::Picture picture{};
    std::uint8_t colour = 0;
    bool bold = false;
    int fontSize = 0;
    float x = 0, y = 0, x2 = 0, y2 = 0;  // twips; the far corner for an outline and a picture
    QString text{};
    std::uint64_t number = 0;
    bool shadow = false;  // a text's shadow: x2, y2 are where the text lies
  };
  // Keeps a call that may touch `cover` (twips), after dropping the earlier calls that no
  // longer show; an opaque call hides what lies under it.
  void keep(Call call, const QRectF& cover, bool opaque);
  const QFont& font(int pixelSize, bool bold);
  // A text's advance and line height at a font size, measured once.
  QSizeF textExtent(const QString& text, int pixelSize, bool bold);
  // A text shaped at a font size in device pixels, once for each size it is shown at.
  const QStaticText& laidOut(const QString& text, int pixelSize, bool bold);
  // The dark rim a shadow paints round a text's glyphs, from the text's top-left corner.
  const QPainterPath& rim(const QString& text, int pixelSize, bool bold);

  QString family_;
  std::vector<Call> calls_;
  std::vector<QRectF> covers_;  // twips each call may touch, beside it
  std::vector<QRegion> shown_;  // whole twips of each call not yet painted over by a picture
  std::uint64_t next_ = 1;
  std::uint64_t clears_ = 0;
  int clearColour_ = 0;
  std::map<std::tuple<int, int, int, int>, QImage> pictures_;
  std::map<std::pair<int, bool>, QFont> fonts_;
  std::map<std::tuple<QString, int, bool>, QSizeF> extents_;
  std::map<std::tuple<QString, int, bool>, QStaticText> laidOut_;
  std::map<std::tuple<QString, int, bool>, QPainterPath> rims_;
};

}  // namespace zelk::ui
