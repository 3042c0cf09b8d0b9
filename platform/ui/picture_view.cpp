#include "ui/picture_view.h"

#include <QPainter>

namespace ui {
namespace {

constexpr int kGroundGrey = 180;  // 0.705 of full scale
constexpr qreal kFrameWidth = 2.0;
constexpr qreal kPictureFrameWidth = 1.0;

QColor shadowColor(const QWidget& widget) {
    return widget.palette().color(QPalette::Shadow);
}

}  // namespace

void PictureView::showPicture(QImage picture, QRectF where) {
    marked_ = false;
    picture_ = std::move(picture);
    where_ = where;
    update();
}

void PictureView::showMarked(QImage picture, QImage marker, QPointF markerTopLeft) {
    marked_ = true;
    picture_ = std::move(picture);
    marker_ = std::move(marker);
    markerTopLeft_ = markerTopLeft;
    update();
}

void PictureView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (marked_) {
        painter.drawImage(QPointF(0, 0), picture_);
        painter.drawImage(markerTopLeft_, marker_);
        return;
    }
    painter.fillRect(rect(), QColor(kGroundGrey, kGroundGrey, kGroundGrey));
    painter.setPen(QPen(shadowColor(*this), kFrameWidth));
    painter.drawRect(rect());
    if (picture_.isNull()) {
        return;
    }
    // Low interpolation, as a thumbnail wants it.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(where_, picture_);
    painter.setPen(QPen(shadowColor(*this), kPictureFrameWidth));
    painter.drawRect(where_);
}

void SwatchView::setColor(QColor color) {
    color_ = color;
    repaint();
}

void SwatchView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), color_);
    painter.setPen(QPen(Qt::black, 1.0));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void FrameView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(QPen(shadowColor(*this), kFrameWidth));
    painter.drawRect(rect());
}

}  // namespace ui
