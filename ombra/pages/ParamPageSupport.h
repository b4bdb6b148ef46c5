#pragma once

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>

#include "ombra/ops/AutoProgLogic.h"
#include "ombra/pages/TDataDlg.h"
#include "ui/ValidatorCheck.h"

namespace norda::ombra {

// The ANI, acknowledgement and selective-call numbers: the digit picture, and no more
// digits than the radio's six places hold, so that no digit is dropped unseen.
class TDigitStringCheck final : public TValidatorCheck {
  public:
    TDigitStringCheck() : TValidatorCheck(autoprog::DigitStringValidator()) {}
};

// Control access of the parameter pages and dialogs, by control id.
namespace paramctl {

inline constexpr int kCaptionInfo = 601;
inline constexpr int kCaptionError = 602;
inline constexpr int kCaptionWarning = 603;

bool Checked(const TDataDlg& dlg, int id);
void SetChecked(TDataDlg& dlg, int id, bool on);
std::string Text(const TDataDlg& dlg, int id);
void SetText(TDataDlg& dlg, int id, const std::string& text);
// Selects one radio button of a group; 0 clears the group of `anyOfGroup`.
void SelectRadio(TDataDlg& dlg, int id);
void ClearRadioGroup(TDataDlg& dlg, int anyOfGroup);
// The id of the selected button among `ids`, or 0.
int SelectedRadio(const TDataDlg& dlg, std::initializer_list<int> ids);
void SetEnabled(TDataDlg& dlg, int id, bool on);

// A message over the dialog, in the program's message dialog.
int Message(TDataDlg& dlg, const std::string& text, int captionId, int style);
int Message(TDataDlg& dlg, int textId, int captionId, int style);

// Runs `action` whenever the edit `id` loses the keyboard focus.
void OnFocusLost(TDataDlg& dlg, int id, std::function<void()> action);
// Runs `action` when the check box `id` is clicked by the user.
void OnClicked(TDataDlg& dlg, int id, std::function<void()> action);

// The heading (control 100) in bold.
void BoldHeading(TDataDlg& dlg);

// Integer of a decimal text; an empty text or one without digits gives 0.
long Integer(const std::string& text);
// The decimal text of a value, or empty for 0.
std::string OptionalNumber(long value);

}  // namespace paramctl
}  // namespace norda::ombra
