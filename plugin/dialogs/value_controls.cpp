#include "dialogs/value_controls.h"

#include <algorithm>
#include <cmath>

#include "cf/notification_center.h"
#include "dialogs/value_rules.h"

namespace {

// How a text field shows a number that no format names: the shortest plain form.
constexpr const char* kPlainNumberFormat = "%g";

}  // namespace

// kValueControl

kValueControl::kValueControl(ui::Port& port, std::string window, std::string control)
    : port_(port), window_(std::move(window)), control_(std::move(control)) {}

kValueControl::~kValueControl() {
    // The port keeps the callbacks, which point here.
    port_.onAction(window_, control_, nullptr);
    port_.onTextChanged(window_, control_, nullptr);
    port_.onTab(window_, control_, nullptr);
    port_.onRelease(window_, control_, nullptr);
    port_.setEditFilter(window_, control_, nullptr);
}

void kValueControl::awakeFromNib(Action action) {
    save_act = std::move(action);
    connect();
}

void kValueControl::setIntValue(int value) {
    port_.setValue(window_, control_, value);
}

void kValueControl::setDoubleValue(double value) {
    port_.setValue(window_, control_, value);
}

int kValueControl::intValue() const {
    return static_cast<int>(port_.value(window_, control_));
}

double kValueControl::minValue() const {
    return port_.range(window_, control_).minimum;
}

double kValueControl::maxValue() const {
    return port_.range(window_, control_).maximum;
}

void kValueControl::selectText() {
    port_.selectText(window_, control_);
}

void kValueControl::sendSavedAction() const {
    if (save_act) {
        save_act();
    }
}

// Slider and stepper

kIntLinkedControl::kIntLinkedControl(ui::Port& port, std::string window, std::string control,
                                     kValueControl* link1, kValueControl* link2)
    : kValueControl(port, std::move(window), std::move(control)),
      linkObject1(link1),
      linkObject2(link2) {}

std::int32_t kIntLinkedControl::getIntValue() {
    const int value = intValue();
    for (kValueControl* link : {linkObject1, linkObject2}) {
        if (link != nullptr) {
            link->setIntValue(value);
        }
    }
    for (kValueControl* link : {linkObject1, linkObject2}) {
        if (link != nullptr && link->countsAsTextField()) {
            link->selectText();
            break;
        }
    }
    return value;
}

void kIntLinkedControl::connect() {
    // While the user drags or holds, changes only move the links; the handler runs on release.
    port_.onAction(window_, control_, [this] { getIntValue(); });
    port_.onRelease(window_, control_, [this] { sendSavedAction(); });
}

// myDoubleStepper

myDoubleStepper::myDoubleStepper(ui::Port& port, std::string window, std::string control,
                                 kValueControl* link)
    : kValueControl(port, std::move(window), std::move(control)), linkDoubleObject(link) {}

double myDoubleStepper::getDoubleValue() {
    const double value = port_.value(window_, control_);
    if (linkDoubleObject != nullptr) {
        linkDoubleObject->setDoubleValue(value);
        if (linkDoubleObject->countsAsTextField()) {
            linkDoubleObject->selectText();
        }
    }
    return value;
}

void myDoubleStepper::connect() {
    port_.onAction(window_, control_, [this] {
        getDoubleValue();
        sendSavedAction();
    });
}

// Text fields

kTextFieldBase::kTextFieldBase(ui::Port& port, std::string window, std::string control,
                               const ui::Strings& strings)
    : kValueControl(port, std::move(window), std::move(control)),
      strings_(strings),
      separator_(dialogs::DecimalSeparator(strings)) {}

void kTextFieldBase::setIntValue(int value) {
    port_.setText(window_, control_, std::to_string(value));
}

void kTextFieldBase::setDoubleValue(double value) {
    port_.setText(window_, control_,
                  dialogs::FormatDecimal(strings_, kPlainNumberFormat, value, separator_));
}

int kTextFieldBase::intValue() const {
    return dialogs::ReadInteger(port_.text(window_, control_));
}

void commonTextField::connect() {
    port_.onAction(window_, control_, [this] { sendSavedAction(); });
    port_.onTextChanged(window_, control_, [this] { sendSavedAction(); });
    port_.setEditFilter(window_, control_, dialogs::AcceptSingleLineEdit);
}

// myTextField and toneTextField

myTextField::myTextField(ui::Port& port, std::string window, std::string control,
                         const ui::Strings& strings, kValueControl* link1, kValueControl* link2)
    : kTextFieldBase(port, std::move(window), std::move(control), strings),
      linkObject1(link1),
      linkObject2(link2) {}

std::int32_t myTextField::getIntValue() {
    const int value = intValue();
    for (kValueControl* link : {linkObject1, linkObject2}) {
        if (link != nullptr) {
            link->setIntValue(value);
        }
    }
    return value;
}

void myTextField::clamp() {
    if (linkObject1 == nullptr) {
        return;
    }
    if (linkObject1->minValue() > intValue()) {
        setIntValue(static_cast<int>(std::trunc(linkObject1->minValue())));
    }
    if (linkObject1->maxValue() < intValue()) {
        setIntValue(static_cast<int>(std::trunc(linkObject1->maxValue())));
    }
}

void myTextField::connect() {
    port_.onAction(window_, control_, [this] { getIntValue(); });
    port_.onTextChanged(window_, control_, [this] {
        clamp();
        getIntValue();
        sendSavedAction();
    });
}

void toneTextField::connect() {
    port_.onAction(window_, control_, [this] {
        getIntValue();
        sendSavedAction();
    });
    port_.onTextChanged(window_, control_, [this] {
        if (port_.text(window_, control_).empty()) {
            return;
        }
        clamp();
        getIntValue();
        sendSavedAction();
    });
    port_.onTab(window_, control_, [] {
        cf::NotificationCenter::defaultCenter().post(kValidateToneCurveNotification);
    });
}

// Decimal fields

kDecimalTextField::kDecimalTextField(ui::Port& port, std::string window, std::string control,
                                     const ui::Strings& strings, std::size_t limit, bool allowMinus)
    : kTextFieldBase(port, std::move(window), std::move(control), strings),
      limit_(limit),
      allowMinus_(allowMinus) {}

double kDecimalTextField::getDoubleValue() {
    return dialogs::ReadDecimal(port_.text(window_, control_), separator_);
}

void kDecimalTextField::setDoubleValue(const char* formatKey, double value) {
    port_.setText(window_, control_,
                  dialogs::FormatDecimal(strings_, formatKey, value, separator_));
}

void kDecimalTextField::connectFilter() {
    const char32_t separator = dialogs::FirstCharacter(separator_);
    port_.setEditFilter(window_, control_,
                        [separator, limit = limit_, minus = allowMinus_](const ui::TextEdit& edit) {
                            return dialogs::AcceptDecimalEdit(edit, separator, limit, minus);
                        });
}

bool kDecimalTextField::isEmpty() const {
    return port_.text(window_, control_).empty();
}

magnificationTextField::magnificationTextField(ui::Port& port, std::string window,
                                               std::string control, const ui::Strings& strings,
                                               kValueControl* link)
    : kDecimalTextField(port, std::move(window), std::move(control), strings, kLimit, false),
      linkDoubleObject(link) {}

double magnificationTextField::getDoubleValue() {
    const double value = kDecimalTextField::getDoubleValue();
    if (linkDoubleObject != nullptr) {
        linkDoubleObject->setDoubleValue(value);
    }
    return value;
}

void magnificationTextField::setDoubleValue(const char* formatKey, double value) {
    kDecimalTextField::setDoubleValue(formatKey, dialogs::TruncateMagnification(value));
}

void magnificationTextField::onTab() {
    const double value = isEmpty() ? kMinimum : std::clamp(getDoubleValue(), kMinimum, kMaximum);
    setDoubleValue(kFormat, value);
    getDoubleValue();
    sendSavedAction();
}

void magnificationTextField::connect() {
    port_.onAction(window_, control_, [this] {
        getDoubleValue();
        sendSavedAction();
    });
    // The link reads the field through the separator exchange, so "1,5" is 1.5 and not 1.
    port_.onTextChanged(window_, control_, [this] {
        getDoubleValue();
        sendSavedAction();
    });
    port_.onTab(window_, control_, [this] { onTab(); });
    connectFilter();
}

positionTextField::positionTextField(ui::Port& port, std::string window, std::string control,
                                     const ui::Strings& strings)
    : kDecimalTextField(port, std::move(window), std::move(control), strings, kLimit, true) {}

void positionTextField::setDoubleValue(const char* formatKey, double value) {
    kDecimalTextField::setDoubleValue(formatKey, dialogs::TruncatePosition(value, formatKey));
}

void positionTextField::onTab() {
    const char* format = unit_inch ? "%.2f" : "%.1f";
    setDoubleValue(format, isEmpty() ? 0.0 : getDoubleValue());
    sendSavedAction();
}

void positionTextField::connect() {
    port_.onAction(window_, control_, [this] {
        getDoubleValue();
        sendSavedAction();
    });
    port_.onTextChanged(window_, control_, [this] { sendSavedAction(); });
    port_.onTab(window_, control_, [this] { onTab(); });
    connectFilter();
}

paperSizeTextField::paperSizeTextField(ui::Port& port, std::string window, std::string control,
                                       const ui::Strings& strings)
    : kDecimalTextField(port, std::move(window), std::move(control), strings, kLimit, false) {}

void paperSizeTextField::connect() {
    port_.onAction(window_, control_, [this] { getDoubleValue(); });
    port_.onTextChanged(window_, control_, [this] { sendSavedAction(); });
    connectFilter();
}
