// Linked value controls: a text field, a stepper and often a slider that show one value and move
// together, keep the value inside the range of the linked stepper or slider while the user types,
// filter keystrokes in decimal fields, show decimals with the interface language's separator, and
// pass one action to the dialog's own handler (the saved action).
//
// Each object drives one control of a loaded window through the port. awakeFromNib takes the
// dialog's handler and connects the control's events. Links are not owned; a link counts as a text
// field when it is one of the field classes here.
#pragma once

#include <functional>
#include <string>

#include "ui/port.h"
#include "ui/strings.h"

/// What every linked control shares: its place, its saved action, and the way links are set.
class kValueControl {
  public:
    using Action = std::function<void()>;

    kValueControl(ui::Port& port, std::string window, std::string control);
    virtual ~kValueControl();
    kValueControl(const kValueControl&) = delete;
    kValueControl& operator=(const kValueControl&) = delete;

    /// Keeps `action` as the saved action and connects the control's events.
    void awakeFromNib(Action action);

    virtual bool countsAsTextField() const { return false; }
    /// The value as a link receives it; setting it raises no event.
    virtual void setIntValue(int value);
    virtual void setDoubleValue(double value);
    virtual int intValue() const;
    double minValue() const;
    double maxValue() const;
    void selectText();

  protected:
    virtual void connect() = 0;
    void sendSavedAction() const;
    ui::Port& port_;
    const std::string window_;
    const std::string control_;

  private:
    Action save_act;
};

/// Slider and stepper: every change updates both links; the saved action runs once, on release.
class kIntLinkedControl : public kValueControl {
  public:
    kIntLinkedControl(ui::Port& port, std::string window, std::string control, kValueControl* link1,
                      kValueControl* link2);
    /// The value, after setting it into both links and selecting the first text field link.
    std::int32_t getIntValue();

  protected:
    void connect() override;
    kValueControl* linkObject1;
    kValueControl* linkObject2;
};

class mySlider : public kIntLinkedControl {
    using kIntLinkedControl::kIntLinkedControl;
};

class myStepper : public kIntLinkedControl {
    using kIntLinkedControl::kIntLinkedControl;
};

/// A stepper of decimals with one link: every change sets the link, then the saved action.
class myDoubleStepper : public kValueControl {
  public:
    myDoubleStepper(ui::Port& port, std::string window, std::string control, kValueControl* link);
    double getDoubleValue();

  protected:
    void connect() override;

  private:
    kValueControl* linkDoubleObject;
};

/// A text field: shows numbers with the decimal separator.
class kTextFieldBase : public kValueControl {
  public:
    kTextFieldBase(ui::Port& port, std::string window, std::string control,
                   const ui::Strings& strings);
    bool countsAsTextField() const override { return true; }
    void setIntValue(int value) override;
    void setDoubleValue(double value) override;
    int intValue() const override;

  protected:
    const ui::Strings& strings_;
    const std::string separator_;
};

/// An integer field limited by the range of `linkObject1`.
class myTextField : public kTextFieldBase {
  public:
    myTextField(ui::Port& port, std::string window, std::string control, const ui::Strings& strings,
                kValueControl* link1, kValueControl* link2);
    std::int32_t getIntValue();

  protected:
    void connect() override;
    /// Raises the field to the link's minimum, then lowers it to its maximum.
    void clamp();
    kValueControl* linkObject1;
    kValueControl* linkObject2;
};

/// As myTextField, but an emptied field is left empty, its own action also runs the saved
/// action, and Tab posts kValidateToneCurveNotification.
class toneTextField : public myTextField {
  public:
    static constexpr const char* kValidateToneCurveNotification = "kValidateToneCurveNotification";
    using myTextField::myTextField;

  protected:
    void connect() override;
};

/// A decimal field: separator exchange, formats by key, decimal keystroke filter.
class kDecimalTextField : public kTextFieldBase {
  public:
    kDecimalTextField(ui::Port& port, std::string window, std::string control,
                      const ui::Strings& strings, std::size_t limit, bool allowMinus);
    /// The text read through the separator exchange (0 for no text).
    virtual double getDoubleValue();
    /// Writes `value` with the format of `formatKey`.
    virtual void setDoubleValue(const char* formatKey, double value);
    using kTextFieldBase::setDoubleValue;

  protected:
    void connectFilter();
    bool isEmpty() const;

  private:
    const std::size_t limit_;
    const bool allowMinus_;
};

/// Magnification in percent, 6 characters, linked to a stepper of decimals.
class magnificationTextField : public kDecimalTextField {
  public:
    static constexpr std::size_t kLimit = 6;
    static constexpr double kMinimum = 5.0;
    static constexpr double kMaximum = 600.0;
    static constexpr const char* kFormat = "%3.2f";
    magnificationTextField(ui::Port& port, std::string window, std::string control,
                           const ui::Strings& strings, kValueControl* link);
    /// Also sets the value into the link.
    double getDoubleValue() override;
    /// Truncates the value to two decimals first.
    void setDoubleValue(const char* formatKey, double value) override;
    using kDecimalTextField::setDoubleValue;

  protected:
    void connect() override;

  private:
    void onTab();
    kValueControl* linkDoubleObject;
};

/// A position, 7 characters with a leading minus, in millimetres or inches.
class positionTextField : public kDecimalTextField {
  public:
    static constexpr std::size_t kLimit = 7;
    positionTextField(ui::Port& port, std::string window, std::string control,
                      const ui::Strings& strings);
    void setInchUnit(bool inch) { unit_inch = inch; }
    /// Truncates toward zero to the format's decimals first.
    void setDoubleValue(const char* formatKey, double value) override;
    using kDecimalTextField::setDoubleValue;

  protected:
    void connect() override;

  private:
    void onTab();
    bool unit_inch = false;
};

/// A paper size, 7 characters.
class paperSizeTextField : public kDecimalTextField {
  public:
    static constexpr std::size_t kLimit = 7;
    paperSizeTextField(ui::Port& port, std::string window, std::string control,
                       const ui::Strings& strings);
    void setInchUnit(bool inch) { unit_inch = inch; }

  protected:
    void connect() override;

  private:
    bool unit_inch = false;
};

/// A one-line text field: line breaks are refused; action and changes run the saved action.
class commonTextField : public kTextFieldBase {
  public:
    using kTextFieldBase::kTextFieldBase;

  protected:
    void connect() override;
};
