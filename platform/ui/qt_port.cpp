#include "ui/qt_port.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QEventLoop>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

#include "ui/picture_view.h"
#include "ui/popup_button.h"
#include "ui/qt_port_internal.h"
#include "ui/table_view.h"
#include "ui/window_layouts.h"

namespace ui {
namespace {

QImage toQImage(const RgbImage& picture) {
    if (picture.empty()) {
        return {};
    }
    const QImage view(picture.pixels.data(), picture.width, picture.height, picture.width * 3,
                      QImage::Format_RGB888);
    return view.copy();
}

QImage toQImage(const RgbaImage& picture) {
    if (picture.empty()) {
        return {};
    }
    const QImage view(picture.pixels.data(), picture.width, picture.height, picture.width * 4,
                      QImage::Format_RGBA8888);
    return view.copy();
}

// An invisible cover over a window that takes every mouse and key event meant for it.
class Shield : public QWidget {
  public:
    explicit Shield(QWidget* window) : QWidget(window) {
        setObjectName("shield");
        setFocusPolicy(Qt::StrongFocus);
        setGeometry(window->rect());
        raise();
        show();
        setFocus();
    }

  protected:
    bool event(QEvent* event) override {
        switch (event->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::MouseMove:
            case QEvent::Wheel:
            case QEvent::KeyPress:
            case QEvent::KeyRelease:
            case QEvent::ShortcutOverride:
                event->accept();
                return true;
            default:
                return QWidget::event(event);
        }
    }
};

}  // namespace

struct QtPort::Window {
    std::unique_ptr<QWidget> owned;  // a window's widget; a panel belongs to its container
    QPointer<QWidget> widget;
    std::vector<std::pair<Shield*, bool>> shields;  // with whether it covers the frame too
    QEventLoop* loop = nullptr;
    int response = 0;
};

// Receives the events of every control and window of the port and calls their hooks.
class QtPort::Relay : public QObject {
  public:
    explicit Relay(QtPort& port) : port_(port) {}

    bool eventFilter(QObject* object, QEvent* event) override {
        switch (event->type()) {
            case QEvent::KeyPress:
                return keyPress(object, static_cast<QKeyEvent*>(event));
            case QEvent::MouseButtonPress:
            case QEvent::MouseMove:
            case QEvent::MouseButtonRelease:
                return mouse(object, static_cast<QMouseEvent*>(event));
            case QEvent::Resize:
                for (QObject* child : object->children()) {
                    if (auto* shield = dynamic_cast<Shield*>(child)) {
                        shield->setGeometry(static_cast<QWidget*>(object)->rect());
                    }
                }
                return false;
            case QEvent::Close:
                return closesShielded(object, event);
            default:
                return false;
        }
    }

    const Hooks* hooksOf(const QObject* object) const {
        const auto found = port_.hooks_.find(object);
        return found == port_.hooks_.end() ? nullptr : &found->second;
    }

  private:
    bool keyPress(QObject* object, QKeyEvent* key) {
        const Hooks* hooks = hooksOf(object);
        auto* field = qobject_cast<QLineEdit*>(object);
        if (hooks == nullptr || field == nullptr) {
            return false;
        }
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            if (hooks->tab) {
                hooks->tab();
            }
            return false;
        }
        QString replacement;
        if (key->matches(QKeySequence::Paste)) {
            replacement = QGuiApplication::clipboard()->text();
        } else if (!key->text().isEmpty() && key->text().at(0).isPrint()) {
            replacement = key->text();
        } else {
            return false;
        }
        if (!hooks->filter) {
            return false;
        }
        TextEdit edit;
        edit.text = field->text().toStdU32String();
        if (field->hasSelectedText()) {
            edit.location = static_cast<std::size_t>(field->selectionStart());
            edit.length = static_cast<std::size_t>(field->selectedText().size());
        } else {
            edit.location = static_cast<std::size_t>(field->cursorPosition());
        }
        edit.replacement = replacement.toStdU32String();
        return !hooks->filter(edit);
    }

    bool mouse(QObject* object, QMouseEvent* event) {
        const Hooks* hooks = hooksOf(object);
        if (hooks == nullptr) {
            return false;
        }
        if (event->type() == QEvent::MouseButtonRelease && hooks->release &&
            (qobject_cast<QAbstractSpinBox*>(object) != nullptr ||
             qobject_cast<QAbstractSlider*>(object) != nullptr)) {
            // Sliders and steppers: their own tracking ends first, then the handler runs.
            QTimer::singleShot(0, object, [this, object] {
                if (const Hooks* now = hooksOf(object); now != nullptr && now->release) {
                    now->release();
                }
            });
        }
        if (!hooks->mouse) {
            return false;
        }
        if (event->type() == QEvent::MouseMove && event->buttons() == Qt::NoButton) {
            return false;
        }
        const auto* widget = static_cast<QWidget*>(object);
        const Point point{event->position().x(), widget->height() - 1 - event->position().y()};
        const MousePhase phase = event->type() == QEvent::MouseButtonPress ? MousePhase::down
                                 : event->type() == QEvent::MouseMove      ? MousePhase::dragged
                                                                           : MousePhase::up;
        hooks->mouse(phase, point);
        return true;
    }

    bool closesShielded(QObject* object, QEvent* event) {
        for (const auto& [name, window] : port_.windows_) {
            if (window->widget != object) {
                continue;
            }
            for (const auto& [shield, includeFrame] : window->shields) {
                if (includeFrame) {
                    event->ignore();
                    return true;
                }
            }
        }
        return false;
    }

    QtPort& port_;
};

QtPort::QtPort(const Strings& strings, std::filesystem::path resources)
    : strings_(strings), resources_(std::move(resources)), relay_(std::make_unique<Relay>(*this)) {}

QtPort::~QtPort() {
    restoreCursor();
}

QtPort::Window* QtPort::find(std::string_view window) const {
    const auto found = windows_.find(window);
    return found == windows_.end() ? nullptr : found->second.get();
}

QWidget* QtPort::windowWidget(std::string_view window) const {
    const Window* found = find(window);
    return found == nullptr ? nullptr : found->widget.data();
}

QWidget* QtPort::controlWidget(std::string_view window, std::string_view control) const {
    QWidget* widget = windowWidget(window);
    return widget == nullptr ? nullptr : widget->findChild<QWidget*>(qText(control));
}

QWidget* QtPort::require(std::string_view window, std::string_view control) const {
    requireGuiThread("a control operation");
    return controlWidget(window, control);
}

QtPort::Hooks& QtPort::hooks(std::string_view window, std::string_view control) {
    return hooks_[require(window, control)];
}

bool QtPort::loadWindow(std::string_view window) {
    requireGuiThread("loadWindow");
    if (find(window) != nullptr) {
        return true;
    }
    std::unique_ptr<QWidget> widget(makeWindow(window));
    if (!widget) {
        return false;
    }
    widget->setObjectName(qText(window));
    widget->setWindowTitle(qText(strings_.text(stdText(widget->windowTitle()))));
    widget->installEventFilter(relay_.get());
    connectControls(widget.get());
    auto entry = std::make_unique<Window>();
    entry->widget = widget.get();
    entry->owned = std::move(widget);
    windows_.emplace(std::string(window), std::move(entry));
    return true;
}

void QtPort::call(QObject* control, Callback Hooks::*hook) {
    const auto found = hooks_.find(control);
    if (found != hooks_.end() && found->second.*hook) {
        Callback callback = found->second.*hook;  // the callback may replace its own hook
        callback();
    }
}

QString QtPort::translate(const QString& key) const {
    return key.isEmpty() ? key : qText(strings_.text(stdText(key)));
}

// Texts become the strings table's texts; events reach the hooks of their control. A radio
// button's click is also its matrix's (its parent's) action.
void QtPort::connectControls(QWidget* window) {
    for (QWidget* child : window->findChildren<QWidget*>()) {
        child->installEventFilter(relay_.get());
        if (auto* label = qobject_cast<QLabel*>(child)) {
            label->setText(translate(label->text()));
        } else if (auto* button = qobject_cast<QAbstractButton*>(child)) {
            button->setText(translate(button->text()));
            QObject::connect(button, &QAbstractButton::clicked, button, [this, button] {
                call(button, &Hooks::action);
                if (qobject_cast<QRadioButton*>(button) != nullptr) {
                    call(button->parentWidget(), &Hooks::action);
                }
            });
        } else if (auto* group = qobject_cast<QGroupBox*>(child)) {
            group->setTitle(translate(group->title()));
        } else if (auto* slider = qobject_cast<QAbstractSlider*>(child)) {
            QObject::connect(slider, &QAbstractSlider::valueChanged, slider,
                             [this, slider] { call(slider, &Hooks::action); });
        } else if (auto* stepper = qobject_cast<QSpinBox*>(child)) {
            QObject::connect(stepper, &QSpinBox::valueChanged, stepper,
                             [this, stepper] { call(stepper, &Hooks::action); });
        } else if (auto* doubleStepper = qobject_cast<QDoubleSpinBox*>(child)) {
            QObject::connect(doubleStepper, &QDoubleSpinBox::valueChanged, doubleStepper,
                             [this, doubleStepper] { call(doubleStepper, &Hooks::action); });
        } else if (auto* field = qobject_cast<QLineEdit*>(child)) {
            QObject::connect(field, &QLineEdit::textEdited, field,
                             [this, field] { call(field, &Hooks::textChanged); });
            QObject::connect(field, &QLineEdit::returnPressed, field,
                             [this, field] { call(field, &Hooks::action); });
        } else if (auto* textView = qobject_cast<QPlainTextEdit*>(child)) {
            // Texts set by the program come with the view's signals blocked.
            QObject::connect(textView, &QPlainTextEdit::textChanged, textView,
                             [this, textView] { call(textView, &Hooks::textChanged); });
        } else if (auto* tabs = qobject_cast<QTabWidget*>(child)) {
            for (int i = 0; i < tabs->count(); ++i) {
                tabs->setTabText(i, translate(tabs->tabText(i)));
            }
            QObject::connect(tabs, &QTabWidget::currentChanged, tabs,
                             [this, tabs] { call(tabs, &Hooks::action); });
        } else if (auto* popUp = dynamic_cast<PopUpButton*>(child)) {
            popUp->setPictureLoader(
                [this](const std::string& resource) { return picture(resource); });
            popUp->setChoiceHandler([this, popUp] { call(popUp, &Hooks::action); });
        } else if (auto* list = dynamic_cast<TableView*>(child)) {
            list->setUpColumns([this](const QString& key) { return translate(key); });
            list->setPictureLoader(
                [this](const std::string& resource) { return picture(resource); });
            list->setSelectionChangeHandler([this, list] { call(list, &Hooks::selectionChange); });
            QObject::connect(list, &QAbstractItemView::clicked, list,
                             [this, list] { call(list, &Hooks::action); });
            QObject::connect(list, &QAbstractItemView::doubleClicked, list,
                             [this, list] { call(list, &Hooks::doubleAction); });
        }
    }
}

QIcon QtPort::picture(const std::string& resource) const {
    auto found = pictures_.find(resource);
    if (found == pictures_.end()) {
        found =
            pictures_
                .emplace(resource, QIcon(QString::fromStdString((resources_ / resource).string())))
                .first;
    }
    return found->second;
}

bool QtPort::placePanel(std::string_view panel, std::string_view window,
                        std::string_view container) {
    requireGuiThread("placePanel");
    QWidget* place = controlWidget(window, container);
    if (place == nullptr || find(panel) != nullptr) {
        return false;
    }
    std::unique_ptr<QWidget> widget(makeWindow(panel));
    if (!widget) {
        return false;
    }
    widget->setObjectName(qText(panel));
    connectControls(widget.get());
    QLayout* layout = place->layout();
    if (layout == nullptr) {
        layout = new QVBoxLayout(place);
        layout->setContentsMargins(0, 0, 0, 0);
    }
    auto entry = std::make_unique<Window>();
    entry->widget = widget.get();
    layout->addWidget(widget.release());  // the container owns the panel now
    windows_.emplace(std::string(panel), std::move(entry));
    return true;
}

void QtPort::showWindow(std::string_view window) {
    requireGuiThread("showWindow");
    if (QWidget* widget = windowWidget(window)) {
        widget->show();
        widget->raise();
    }
}

void QtPort::closeWindow(std::string_view window) {
    requireGuiThread("closeWindow");
    if (QWidget* widget = windowWidget(window)) {
        widget->hide();
    }
}

bool QtPort::isVisible(std::string_view window) const {
    requireGuiThread("isVisible");
    const QWidget* widget = windowWidget(window);
    if (widget == nullptr) {
        return false;
    }
    // A panel counts as shown when it would show in its window.
    return widget->isWindow() ? widget->isVisible() : widget->isVisibleTo(widget->window());
}

void QtPort::setTitle(std::string_view window, std::string_view title) {
    requireGuiThread("setTitle");
    if (QWidget* widget = windowWidget(window)) {
        widget->setWindowTitle(qText(title));
    }
}

std::string QtPort::keyWindow() const {
    requireGuiThread("keyWindow");
    const QWidget* active = QApplication::activeWindow();
    for (const auto& [name, window] : windows_) {
        if (window->widget == active) {
            return name;
        }
    }
    return {};
}

void QtPort::makeKey(std::string_view window) {
    requireGuiThread("makeKey");
    QWidget* widget = windowWidget(window);
    if (widget == nullptr || hasShield(window)) {
        return;
    }
    widget->raise();
    widget->activateWindow();
    QApplication::setActiveWindow(widget);
}

int QtPort::runModal(std::string_view window, std::string_view parent) {
    requireGuiThread("runModal");
    Window* entry = find(window);
    if (entry == nullptr) {
        return 0;
    }
    const std::string above = parent.empty() ? keyWindow() : std::string(parent);
    if (!above.empty() && above != window) {
        stackAbove(window, above);
    }
    QEventLoop loop;
    entry->loop = &loop;
    entry->response = 0;
    // A dialog closed without a button (Escape, the frame's close box) ends the run with 0.
    QMetaObject::Connection closed;
    if (auto* dialog = qobject_cast<QDialog*>(entry->widget.data())) {
        closed = QObject::connect(dialog, &QDialog::finished, &loop, &QEventLoop::quit);
    }
    entry->widget->setWindowModality(Qt::ApplicationModal);
    entry->widget->show();
    entry->widget->raise();
    entry->widget->activateWindow();
    modalStack_.emplace_back(window);
    loop.exec();
    QObject::disconnect(closed);
    std::erase(modalStack_, window);
    entry->loop = nullptr;
    entry->widget->hide();
    entry->widget->setWindowModality(Qt::NonModal);
    return entry->response;
}

void QtPort::stopModal(std::string_view window, int response) {
    requireGuiThread("stopModal");
    if (Window* entry = find(window); entry != nullptr && entry->loop != nullptr) {
        entry->response = response;
        entry->loop->quit();
    }
}

void QtPort::beginModalSession(std::string_view window) {
    requireGuiThread("beginModalSession");
    Window* entry = find(window);
    if (entry == nullptr) {
        return;
    }
    // Modality takes effect when a window is shown.
    entry->widget->hide();
    entry->widget->setWindowModality(Qt::ApplicationModal);
    entry->widget->show();
    entry->widget->raise();
    entry->widget->activateWindow();
    modalStack_.emplace_back(window);
}

void QtPort::endModalSession(std::string_view window) {
    requireGuiThread("endModalSession");
    Window* entry = find(window);
    if (entry == nullptr) {
        return;
    }
    std::erase(modalStack_, window);
    const bool visible = entry->widget->isVisible();
    entry->widget->hide();
    entry->widget->setWindowModality(Qt::NonModal);
    entry->widget->setVisible(visible);
}

std::string QtPort::modalWindow() const {
    requireGuiThread("modalWindow");
    return modalStack_.empty() ? std::string() : modalStack_.back();
}

void QtPort::processEvents(std::chrono::milliseconds wait) {
    requireGuiThread("processEvents");
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    if (wait.count() <= 0) {
        return;
    }
    // The timer bounds the wait when no event comes.
    QTimer bound;
    bound.setSingleShot(true);
    bound.start(wait);
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtPort::addShield(std::string_view window, bool includeFrame) {
    requireGuiThread("addShield");
    if (Window* entry = find(window)) {
        entry->shields.emplace_back(new Shield(entry->widget), includeFrame);
    }
}

void QtPort::removeShield(std::string_view window) {
    requireGuiThread("removeShield");
    Window* entry = find(window);
    if (entry == nullptr || entry->shields.empty()) {
        return;
    }
    delete entry->shields.front().first;
    entry->shields.erase(entry->shields.begin());
}

bool QtPort::hasShield(std::string_view window) const {
    requireGuiThread("hasShield");
    const Window* entry = find(window);
    return entry != nullptr && !entry->shields.empty();
}

void QtPort::stackAbove(std::string_view child, std::string_view parent) {
    requireGuiThread("stackAbove");
    QWidget* childWidget = windowWidget(child);
    if (childWidget == nullptr) {
        return;
    }
    QWidget* parentWidget = windowWidget(parent);
    childWidget->winId();  // makes its native window
    if (parentWidget != nullptr) {
        parentWidget->winId();
    }
    childWidget->windowHandle()->setTransientParent(
        parentWidget == nullptr ? nullptr : parentWidget->windowHandle());
    if (parentWidget != nullptr) {
        childWidget->raise();
    }
}

void QtPort::setText(std::string_view window, std::string_view control, std::string_view text) {
    QWidget* widget = require(window, control);
    const QString value = qText(text);
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(value);
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setText(value);
    } else if (auto* field = qobject_cast<QLineEdit*>(widget)) {
        field->setText(value);
    } else if (auto* textView = qobject_cast<QPlainTextEdit*>(widget)) {
        const QSignalBlocker quiet(textView);
        textView->setPlainText(value);
    } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
        group->setTitle(value);
    }
}

std::string QtPort::text(std::string_view window, std::string_view control) const {
    const QWidget* widget = require(window, control);
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        return stdText(label->text());
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        return stdText(button->text());
    }
    if (const auto* field = qobject_cast<const QLineEdit*>(widget)) {
        return stdText(field->text());
    }
    if (const auto* textView = qobject_cast<const QPlainTextEdit*>(widget)) {
        return stdText(textView->toPlainText());
    }
    if (const auto* group = qobject_cast<const QGroupBox*>(widget)) {
        return stdText(group->title());
    }
    return {};
}

void QtPort::setValue(std::string_view window, std::string_view control, double value) {
    QWidget* widget = require(window, control);
    const QSignalBlocker quiet(widget);
    if (auto* slider = qobject_cast<QAbstractSlider*>(widget)) {
        slider->setValue(static_cast<int>(value));
    } else if (auto* stepper = qobject_cast<QSpinBox*>(widget)) {
        stepper->setValue(static_cast<int>(value));
    } else if (auto* doubleStepper = qobject_cast<QDoubleSpinBox*>(widget)) {
        doubleStepper->setValue(value);
    } else if (auto* bar = qobject_cast<QProgressBar*>(widget)) {
        bar->setValue(static_cast<int>(value));
    }
}

double QtPort::value(std::string_view window, std::string_view control) const {
    const QWidget* widget = require(window, control);
    if (const auto* slider = qobject_cast<const QAbstractSlider*>(widget)) {
        return slider->value();
    }
    if (const auto* stepper = qobject_cast<const QSpinBox*>(widget)) {
        return stepper->value();
    }
    if (const auto* doubleStepper = qobject_cast<const QDoubleSpinBox*>(widget)) {
        return doubleStepper->value();
    }
    if (const auto* bar = qobject_cast<const QProgressBar*>(widget)) {
        return bar->value();
    }
    return 0;
}

Range QtPort::range(std::string_view window, std::string_view control) const {
    const QWidget* widget = require(window, control);
    if (const auto* slider = qobject_cast<const QAbstractSlider*>(widget)) {
        return {static_cast<double>(slider->minimum()), static_cast<double>(slider->maximum())};
    }
    if (const auto* stepper = qobject_cast<const QSpinBox*>(widget)) {
        return {static_cast<double>(stepper->minimum()), static_cast<double>(stepper->maximum())};
    }
    if (const auto* doubleStepper = qobject_cast<const QDoubleSpinBox*>(widget)) {
        return {doubleStepper->minimum(), doubleStepper->maximum()};
    }
    if (const auto* bar = qobject_cast<const QProgressBar*>(widget)) {
        return {static_cast<double>(bar->minimum()), static_cast<double>(bar->maximum())};
    }
    return {};
}

void QtPort::setEnabled(std::string_view window, std::string_view control, bool enabled) {
    if (QWidget* widget = require(window, control)) {
        widget->setEnabled(enabled);
    }
}

bool QtPort::isEnabled(std::string_view window, std::string_view control) const {
    const QWidget* widget = require(window, control);
    return widget != nullptr && widget->isEnabled();
}

void QtPort::setHidden(std::string_view window, std::string_view control, bool hidden) {
    if (QWidget* widget = require(window, control)) {
        widget->setHidden(hidden);
    }
}

void QtPort::selectText(std::string_view window, std::string_view control) {
    QWidget* widget = require(window, control);
    if (auto* field = qobject_cast<QLineEdit*>(widget)) {
        field->selectAll();
    } else if (auto* textView = qobject_cast<QPlainTextEdit*>(widget)) {
        textView->selectAll();
    }
}

void QtPort::focus(std::string_view window, std::string_view control) {
    if (QWidget* widget = require(window, control)) {
        widget->setFocus(Qt::OtherFocusReason);
    }
}

void QtPort::setGreyText(std::string_view window, std::string_view control, bool grey) {
    QWidget* widget = require(window, control);
    if (widget == nullptr) {
        return;
    }
    if (!grey) {
        widget->setPalette(QPalette());  // the inherited palette again
        return;
    }
    // Grey as the text of a disabled control, which the label usually stands beside.
    QPalette palette = widget->palette();
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text}) {
        palette.setColor(QPalette::Active, role, palette.color(QPalette::Disabled, role));
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Disabled, role));
    }
    widget->setPalette(palette);
}

void QtPort::setChecked(std::string_view window, std::string_view control, bool checked) {
    auto* button = qobject_cast<QAbstractButton*>(require(window, control));
    if (button == nullptr) {
        return;
    }
    const QSignalBlocker quiet(button);
    // The checked button of an exclusive group refuses to go off unless it is let go of first.
    const bool exclusive = button->autoExclusive();
    if (!checked) {
        button->setAutoExclusive(false);
    }
    button->setChecked(checked);
    button->setAutoExclusive(exclusive);
}

bool QtPort::isChecked(std::string_view window, std::string_view control) const {
    const auto* button = qobject_cast<const QAbstractButton*>(require(window, control));
    return button != nullptr && button->isChecked();
}

void QtPort::onAction(std::string_view window, std::string_view control, Callback callback) {
    hooks(window, control).action = std::move(callback);
}

void QtPort::onTextChanged(std::string_view window, std::string_view control, Callback callback) {
    hooks(window, control).textChanged = std::move(callback);
}

void QtPort::onTab(std::string_view window, std::string_view control, Callback callback) {
    hooks(window, control).tab = std::move(callback);
}

void QtPort::onRelease(std::string_view window, std::string_view control, Callback callback) {
    hooks(window, control).release = std::move(callback);
}

void QtPort::setEditFilter(std::string_view window, std::string_view control, EditFilter filter) {
    hooks(window, control).filter = std::move(filter);
}

void QtPort::onMouse(std::string_view window, std::string_view control, MouseHandler handler) {
    hooks(window, control).mouse = std::move(handler);
}

Size QtPort::viewSize(std::string_view window, std::string_view control) const {
    const QWidget* widget = require(window, control);
    if (widget == nullptr) {
        return {};
    }
    return {static_cast<double>(widget->width()), static_cast<double>(widget->height())};
}

void QtPort::setPicture(std::string_view window, std::string_view control, const RgbImage& picture,
                        Rect where) {
    if (auto* view = dynamic_cast<PictureView*>(require(window, control))) {
        // View coordinates run upward; the widget's run downward.
        view->showPicture(
            toQImage(picture),
            QRectF(where.x, view->height() - where.y - where.height, where.width, where.height));
    }
}

void QtPort::setMarkedPicture(std::string_view window, std::string_view control,
                              const RgbImage& picture, const RgbaImage& marker,
                              Point markerOrigin) {
    if (auto* view = dynamic_cast<PictureView*>(require(window, control))) {
        view->showMarked(
            toQImage(picture), toQImage(marker),
            QPointF(markerOrigin.x, view->height() - 1 - markerOrigin.y - (marker.height - 1)));
    }
}

void QtPort::setSwatchColor(std::string_view window, std::string_view control, double red,
                            double green, double blue) {
    if (auto* view = dynamic_cast<SwatchView*>(require(window, control))) {
        view->setColor(QColor::fromRgbF(static_cast<float>(red), static_cast<float>(green),
                                        static_cast<float>(blue)));
    }
}

std::optional<RgbaImage> QtPort::loadPicture(std::string_view resource) const {
    const QImage image =
        QImage(QString::fromStdString((resources_ / std::string(resource)).string()))
            .convertToFormat(QImage::Format_RGBA8888);
    if (image.isNull()) {
        return std::nullopt;
    }
    RgbaImage picture{image.width(), image.height(), {}};
    const auto rowBytes = static_cast<std::size_t>(image.width()) * 4;
    picture.pixels.resize(rowBytes * image.height());
    for (int row = 0; row < image.height(); ++row) {
        std::copy_n(image.constScanLine(row), rowBytes, &picture.pixels[row * rowBytes]);
    }
    return picture;
}

int QtPort::runAlert(const Alert& alert) {
    requireGuiThread("runAlert");
    static constexpr QMessageBox::Icon kIcons[] = {QMessageBox::Warning, QMessageBox::Information,
                                                   QMessageBox::Critical};
    QMessageBox box(kIcons[static_cast<int>(alert.style)], QString(), qText(alert.message));
    box.setObjectName("alert");
    box.setInformativeText(qText(alert.informative));
    std::vector<QAbstractButton*> buttons;
    for (std::size_t i = 0; i < alert.buttons.size(); ++i) {
        buttons.push_back(box.addButton(
            qText(alert.buttons[i]), i == 0 ? QMessageBox::AcceptRole : QMessageBox::RejectRole));
    }
    if (!buttons.empty()) {
        box.setDefaultButton(static_cast<QPushButton*>(buttons.front()));
    }
    box.exec();
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        if (box.clickedButton() == buttons[i]) {
            return kAlertFirstButtonReturn + static_cast<int>(i);
        }
    }
    // Closed without a button (Escape): the last button, as Cancel, else OK.
    return kAlertFirstButtonReturn + static_cast<int>(buttons.empty() ? 0 : buttons.size() - 1);
}

int QtPort::startTimer(std::chrono::milliseconds interval, Callback callback) {
    requireGuiThread("startTimer");
    auto timer = std::make_unique<QTimer>();
    QObject::connect(timer.get(), &QTimer::timeout, timer.get(), std::move(callback));
    timer->start(interval);
    const int id = nextTimer_++;
    timers_.emplace(id, std::move(timer));
    return id;
}

void QtPort::stopTimer(int id) {
    requireGuiThread("stopTimer");
    timers_.erase(id);
}

void QtPort::setCursorPicture(std::string_view resource, Point hotSpot) {
    requireGuiThread("setCursorPicture");
    const QPixmap picture(QString::fromStdString((resources_ / std::string(resource)).string()));
    const QCursor cursor(picture, static_cast<int>(hotSpot.x), static_cast<int>(hotSpot.y));
    if (cursorSet_) {
        QGuiApplication::changeOverrideCursor(cursor);
    } else {
        QGuiApplication::setOverrideCursor(cursor);
        cursorSet_ = true;
    }
}

void QtPort::restoreCursor() {
    if (cursorSet_) {
        requireGuiThread("restoreCursor");
        QGuiApplication::restoreOverrideCursor();
        cursorSet_ = false;
    }
}

void QtPort::postToMainThread(Callback call) {
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(call), Qt::QueuedConnection);
}

bool QtPort::onMainThread() const {
    return QCoreApplication::instance() != nullptr &&
           QThread::currentThread() == QCoreApplication::instance()->thread();
}

}  // namespace ui
