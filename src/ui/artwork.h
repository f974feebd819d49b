#pragma once
// The game's pictures, drawn by code at any resolution: the pieces of both sides with
// their promoted faces, the empty square, the five background tiles, the title and the
// version artwork. Sizes are given in natural pixels (15 twips each).

#include <QFont>
#include <QImage>
#include <QSize>
#include <QString>

#include "presentation/platform.h"

namespace zelk::ui {

// The natural size of a picture: pieces and the empty square 42 x 47, tiles 41 x 46,
// the title 148 x 40.
QSize pictureSize(PictureName name);

// The picture drawn to fill exactly `size` device pixels, as an opaque image: the artwork is
// drawn at that size, never scaled from a bitmap.
QImage renderPicture(Picture picture, QSize size, const QString& fontFamily);
// The same at `scale` device pixels per natural pixel.
QImage renderPicture(Picture picture, int scale, const QString& fontFamily);

// The version dialog's picture, `scale` device pixels per natural pixel (320 x 200 natural).
QImage renderVersionArtwork(int scale, const QString& fontFamily);

// The window's font family: "ＭＳ Ｐ明朝" where installed, else "IPAPMincho", else any Mincho
// that has every character the game writes; the application font when none has.
QString chooseFontFamily();

// Every character the game writes on the board, for the glyph check.
QString gameCharacters();

// True when the family's own glyphs cover every character of `text`.
bool familyHasGlyphs(const QString& family, const QString& text);

}  // namespace zelk::ui
