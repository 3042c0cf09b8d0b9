#include "qt_fixture.h"

#include <QTimer>

#include "ui/window_layouts.h"
#include "ui_SampleControls.h"
#include "ui_SampleViews.h"

namespace dialogs_qt_test {
namespace {

std::shared_ptr<cf::Bundle> openResources() {
    return std::shared_ptr<cf::Bundle>(cf::Bundle::open(DIALOG_RESOURCES).release());
}

}  // namespace

void registerSampleWindows() {
    ui::registerWindowLayout("SampleControls", ui::buildLayout<Ui::SampleControls>);
    ui::registerWindowLayout("SampleViews", ui::buildLayout<Ui::SampleViews>);
}

QtDialogs::QtDialogs()
    : bundle(openResources()), strings(bundle), port(strings, bundle->resourcesPath()) {
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
