#include "gui/SheetStrip.h"

#include <QPainter>
#include <QScrollBar>

#include "gui/PreviewPicture.h"

namespace {
constexpr int kThumbnail = 56;
}  // namespace

CSheetStrip::CSheetStrip(QWidget* parent) : QListWidget(parent) {
    setViewMode(QListView::IconMode);
    setFlow(QListView::LeftToRight);
    setWrapping(false);
    setMovement(QListView::Static);
    setIconSize(QSize(kThumbnail, kThumbnail));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFixedHeight(kThumbnail + fontMetrics().height() + 2 * frameWidth() + 12 +
                   horizontalScrollBar()->sizeHint().height());
}

void CSheetStrip::SetPictures(const std::vector<QImage>& pictures, bool lightInk) {
    clear();
    int number = 1;
    for (const QImage& picture : pictures) {
        QImage thumbnail(kThumbnail, kThumbnail, QImage::Format_ARGB32_Premultiplied);
        thumbnail.fill(Qt::transparent);
        {
            QPainter painter(&thumbnail);
            const QSize fitted = picture.size().scaled(thumbnail.size(), Qt::KeepAspectRatio);
            const QRect area(
                QPoint((kThumbnail - fitted.width()) / 2, (kThumbnail - fitted.height()) / 2),
                fitted);
            PaintCheckerboard(painter, area, lightInk);
            painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
            painter.drawImage(area, picture);
        }
        auto* item = new QListWidgetItem(QIcon(QPixmap::fromImage(thumbnail)),
                                         QString::number(number), this);
        item->setTextAlignment(Qt::AlignHCenter);
        ++number;
    }
}
