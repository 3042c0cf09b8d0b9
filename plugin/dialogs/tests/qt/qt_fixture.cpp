#include "qt_fixture.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>

#include "ui/window_layouts.h"
#include "ui_SampleChoices.h"
#include "ui_SampleControls.h"
#include "ui_SampleLists.h"
#include "ui_SamplePanel.h"
#include "ui_SampleViews.h"

namespace dialogs_qt_test {
namespace {

std::shared_ptr<cf::Bundle> openResources() {
    return std::shared_ptr<cf::Bundle>(cf::Bundle::open(DIALOG_RESOURCES).release());
}

constexpr int kPictureSide = 32;  // pixels; the lists show them at 16 points

void savePicture(const std::filesystem::path& file, const std::function<void(QPainter&)>& draw) {
    QImage picture(kPictureSide, kPictureSide, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    painter.end();
    picture.save(QString::fromStdString(file.string()), "PNG");
}

}  // namespace

void registerSampleWindows() {
    ui::registerWindowLayout("SampleControls", ui::buildLayout<Ui::SampleControls>);
    ui::registerWindowLayout("SampleViews", ui::buildLayout<Ui::SampleViews>);
    ui::registerWindowLayout("SampleChoices", ui::buildLayout<Ui::SampleChoices>);
    ui::registerWindowLayout("SampleLists", ui::buildLayout<Ui::SampleLists>);
    ui::registerWindowLayout("SamplePanel", ui::buildLayout<Ui::SamplePanel, QWidget>);
}

SamplePictures::SamplePictures() {
    savePicture(folder / "caution.png", [](QPainter& painter) {
        QPainterPath triangle;
        triangle.moveTo(kPictureSide / 2.0, 2);
        triangle.lineTo(kPictureSide - 2, kPictureSide - 3);
        triangle.lineTo(2, kPictureSide - 3);
        triangle.closeSubpath();
        painter.fillPath(triangle, QColor(240, 170, 0));
        painter.setPen(QPen(Qt::black, 3));
        painter.drawLine(kPictureSide / 2, 11, kPictureSide / 2, 20);
        painter.drawPoint(kPictureSide / 2, 25);
    });
    savePicture(folder / "mark.png", [](QPainter& painter) {
        painter.setBrush(QColor(30, 110, 220));
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(QRectF(6, 6, kPictureSide - 12, kPictureSide - 12));
    });
    savePicture(folder / "no_mark.png", [](QPainter&) {});
}

QtDialogs::QtDialogs() : QtDialogs(openResources()->resourcesPath()) {}

QtDialogs::QtDialogs(const std::filesystem::path& resources)
    : bundle(openResources()), strings(bundle), port(strings, resources) {
    registerSampleWindows();
}

QtDialogs::~QtDialogs() {
    settle(0);
}

void QtDialogs::settle(int milliseconds) {
    QCoreApplication::processEvents();
    if (milliseconds > 0) {
        QEventLoop loop;
        QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
        loop.exec();
    }
    QCoreApplication::processEvents();
}

void whenModalAppears(std::function<void(QWidget*)> act) {
    // Polls, because the modal widget appears inside a nested event loop.
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, timer, [timer, act = std::move(act)] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            act(modal);
        }
    });
    timer->start(5);
}

}  // namespace dialogs_qt_test
