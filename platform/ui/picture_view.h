// The picture views a dialog layout places (as promoted widgets): a framed picture on a grey
// ground, a picture with a marker over it, a colour swatch and a plain frame.
#pragma once

#include <QColor>
#include <QImage>
#include <QRectF>
#include <QWidget>

namespace ui {

class PictureView : public QWidget {
  public:
    explicit PictureView(QWidget* parent = nullptr) : QWidget(parent) {}

    /// Grey ground and frame; `picture` drawn into `where` (widget coordinates) and framed,
    /// unless it is null.
    void showPicture(QImage picture, QRectF where);
    /// `picture` at the origin and `marker` at `markerTopLeft` over it (no ground, no frame).
    void showMarked(QImage picture, QImage marker, QPointF markerTopLeft);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    bool marked_ = false;
    QImage picture_;
    QRectF where_;
    QImage marker_;
    QPointF markerTopLeft_;
};

/// A colour swatch with a black outline.
class SwatchView : public QWidget {
  public:
    explicit SwatchView(QWidget* parent = nullptr) : QWidget(parent) {}
    void setColor(QColor color);
    QColor color() const { return color_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor color_ = Qt::black;
};

/// A frame in the shadow colour.
class FrameView : public QWidget {
  public:
    explicit FrameView(QWidget* parent = nullptr) : QWidget(parent) {}

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace ui
