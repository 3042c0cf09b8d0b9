// A small sub-dialog for the tests of the base: a copies field and a sharpening check box over a
// record of its opener, the defaults from the model's default settings and the media detail
// dialog's help page.
#pragma once

#include <charconv>
#include <cstdint>
#include <string>

#include "subdialogs/sub_dialog_base.h"

namespace subdialogs_test {

inline constexpr char kSampleDialog[] = "PLSampleSubDialog";
inline constexpr char kCopiesField[] = "copiesField";
inline constexpr char kSharpenCheck[] = "sharpenCheck";

struct SampleRecord {
    std::int32_t copies = 0;
    std::int32_t sharpen = 0;
};

class SampleSubDialog : public subdialogs::kSubDialogBaseClass {
  public:
    explicit SampleSubDialog(ui::Port& port) : kSubDialogBaseClass(port, kSampleDialog) {}

    std::uint8_t show(const ui::Strings& bundle, std::string printerShortName,
                      std::int32_t printerID, SampleRecord* record) {
        m_record = record;
        m_working = *record;
        return showDialog(bundle, std::move(printerShortName), printerID);
    }

  protected:
    void setControlString() override {
        m_port.setTitle(sWindow, localized("STEXT_SAMPLE_TITLE"));
        m_port.setText(sWindow, subdialogs::kOkButton, localized("STEXT_OK_BUTTON"));
        m_port.setText(sWindow, subdialogs::kCancelButton, localized("STEXT_CANCEL_BUTTON"));
    }
    void setControlValues() override {
        m_port.setText(sWindow, kCopiesField, std::to_string(m_working.copies));
        m_port.setChecked(sWindow, kSharpenCheck, m_working.sharpen != 0);
    }
    void readControlValues() override {
        const std::string copies = m_port.text(sWindow, kCopiesField);
        std::from_chars(copies.data(), copies.data() + copies.size(), m_working.copies);
        m_working.sharpen = m_port.isChecked(sWindow, kSharpenCheck) ? 1 : 0;
    }
    void commitWorkingCopy() override { *m_record = m_working; }
    void takeDefaults(const UISave& defaults) override {
        m_working.copies = defaults.Copies;
        m_working.sharpen = defaults.Sharpen;
    }
    std::optional<std::string> helpFileName(const PrinterFunction& function) const override {
        return function.MediaDetailDLGHelp;
    }

  private:
    SampleRecord* m_record = nullptr;
    SampleRecord m_working;
};

}  // namespace subdialogs_test
