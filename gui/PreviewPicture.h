#pragma once

#include <QImage>
#include <QRect>

class CRgbImage;
class QPainter;

// A preview's picture as Qt draws it: the same 0xAARRGGBB words, shared, not copied; valid
// while the picture lives.
QImage AsQImage(const CRgbImage& picture);

// Light and dark squares over `area`, where a transparent picture shows them through.
void PaintCheckerboard(QPainter& painter, const QRect& area);

// Draws the source rectangle of `image` at `zoom` times its size, each pixel a square (no
// smoothing), over a checkerboard, with the top-left pixel at `at`; only what lies in `clip`
// is drawn. From 4 times up, a grid shows the pixels apart.
void PaintZoomed(QPainter& painter, const QImage& image, const QRect& source, QPoint at, int zoom,
                 const QRect& clip);
