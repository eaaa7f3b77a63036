#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <cstdint>

class CRgbImage;
class QPainter;

// A preview's picture as Qt draws it: the same 0xAARRGGBB words, shared, not copied; valid
// while the picture lives.
QImage AsQImage(const CRgbImage& picture);

// Light and dark squares over `area`, where a transparent picture shows them through; in dark
// tones for a picture of light ink (FontPreview::lightInk).
void PaintCheckerboard(QPainter& painter, const QRect& area, bool darkTones = false);

// A picture's pixels as a game draws them in `color` over its screen: the intensity formats
// (I4, I8, IA4, IA8, whose pixels the preview holds as black ink on white paper) give the colour
// scaled by their intensity, with their alpha; colour formats and image fonts stay as they are.
QImage TintedAsInGame(const QImage& picture, int32_t textureFormat, const QColor& color);

// Draws the source rectangle of `image` at `zoom` times its size, each pixel a square (no
// smoothing), over a checkerboard (in dark tones if `darkTones`), with the top-left pixel at
// `at`; only what lies in `clip` is drawn. From 4 times up, a grid shows the pixels apart.
void PaintZoomed(QPainter& painter, const QImage& image, const QRect& source, QPoint at, int zoom,
                 const QRect& clip, bool darkTones = false);
