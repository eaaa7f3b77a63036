#include "gui/PreviewPicture.h"

#include <QPainter>

#include "image/RgbImage.h"

namespace {
constexpr int kSquare = 8;
constexpr int kGridFromZoom = 4;
const QColor kLightSquare(0xFF, 0xFF, 0xFF);
const QColor kDarkSquare(0xCC, 0xCC, 0xCC);
const QColor kLightSquareDark(0x50, 0x50, 0x50);
const QColor kDarkSquareDark(0x38, 0x38, 0x38);
const QColor kGridLine(0x80, 0x80, 0x80, 0x60);
}  // namespace

QImage AsQImage(const CRgbImage& picture) {
    const auto pixels = picture.Pixels();
    return QImage(reinterpret_cast<const uchar*>(pixels.data()), picture.GetWidth(),
                  picture.GetHeight(), picture.GetWidth() * 4, QImage::Format_ARGB32);
}

void PaintCheckerboard(QPainter& painter, const QRect& area, bool darkTones) {
    painter.fillRect(area, darkTones ? kLightSquareDark : kLightSquare);
    const int firstX = area.left() - area.left() % kSquare;
    const int firstY = area.top() - area.top() % kSquare;
    for (int y = firstY; y <= area.bottom(); y += kSquare) {
        for (int x = firstX + ((y / kSquare) % 2 == 0 ? kSquare : 0); x <= area.right();
             x += 2 * kSquare) {
            painter.fillRect(QRect(x, y, kSquare, kSquare).intersected(area),
                             darkTones ? kDarkSquareDark : kDarkSquare);
        }
    }
}

void PaintZoomed(QPainter& painter, const QImage& image, const QRect& source, QPoint at, int zoom,
                 const QRect& clip, bool darkTones) {
    // Only the source pixels under the clip are drawn: a sheet of 1024 pixels at 16 times is
    // too large to draw whole at every repaint.
    const QRect target(at, source.size() * zoom);
    const QRect visible = target.intersected(clip);
    if (visible.isEmpty()) {
        return;
    }
    const int x0 = (visible.left() - at.x()) / zoom;
    const int y0 = (visible.top() - at.y()) / zoom;
    const int x1 = (visible.right() - at.x()) / zoom + 1;
    const int y1 = (visible.bottom() - at.y()) / zoom + 1;
    const QRect part(source.left() + x0, source.top() + y0, x1 - x0, y1 - y0);
    const QRect drawn(at.x() + x0 * zoom, at.y() + y0 * zoom, part.width() * zoom,
                      part.height() * zoom);
    PaintCheckerboard(painter, drawn.intersected(clip), darkTones);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(drawn, image, part);
    if (zoom >= kGridFromZoom) {
        painter.setPen(kGridLine);
        for (int x = drawn.left(); x <= drawn.right() + 1; x += zoom) {
            painter.drawLine(x, drawn.top(), x, drawn.bottom());
        }
        for (int y = drawn.top(); y <= drawn.bottom() + 1; y += zoom) {
            painter.drawLine(drawn.left(), y, drawn.right(), y);
        }
    }
}

QImage TintedAsInGame(const QImage& picture, int32_t textureFormat, const QColor& color) {
    constexpr int32_t kLastIntensityFormat = 3;  // IA8
    if (textureFormat < 0 || textureFormat > kLastIntensityFormat) {
        return picture;
    }
    QImage tinted(picture.size(), QImage::Format_ARGB32);
    for (int y = 0; y < picture.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(tinted.scanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            // The ink is what the paper lost: the stored intensity.
            const int intensity = 255 - qRed(in[x]);
            out[x] = qRgba(color.red() * intensity / 255, color.green() * intensity / 255,
                           color.blue() * intensity / 255, qAlpha(in[x]));
        }
    }
    return tinted;
}
