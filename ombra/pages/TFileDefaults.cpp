#include "ombra/pages/TFileDefaults.h"

#include <QRadioButton>

#include "codeplug/TextFormat.h"
#include "codeplug/Validators.h"
#include "ombra/pages/ParamPageSupport.h"

namespace norda::ombra {

using namespace paramctl;

namespace {
using enum FileDefaultsIds::Control;
constexpr int kTextBandRange = 3530;  // "Değer %ld ile %ld MHz arasında olmalıdır."

// The band's range names its unit: a bare "1 ile 999" leaves the user guessing.
class TBandValidator final : public TLRangeValidator {
  public:
    TBandValidator() : TLRangeValidator(1, TFileDefaults::kMaxUserBandMHz) {}
    std::string ErrorText(const TextSource& texts) const override {
        return FormatText(
            texts.Text(kTextBandRange),
            {FormatArg(1LL), FormatArg(static_cast<long long>(TFileDefaults::kMaxUserBandMHz))});
    }
};
}  // namespace

TFileDefaults::TFileDefaults(QWidget* parent, const ResourceModule& module,
                             RadioParameters& parameters)
    : TDataDlg(parent, kDialogId, module, true, true, true), parameters_(parameters) {
    Bind(kToneCount, std::make_unique<TValidatorCheck>(std::make_unique<TLRangeValidator>(2, 6)),
         1);
    // Without a band a codeplug cannot be saved and loaded again, so a user-defined
    // band must be given, and only then is its field open.
    Bind(kBandEdit, std::make_unique<TValidatorCheck>(std::make_unique<TBandValidator>()), 3);
    if (auto* user = Item<QRadioButton>(kUserDefined)) {
        connect(user, &QRadioButton::toggled, this,
                [this](bool on) { SetEnabled(*this, kBandEdit, on); });
    }
}

void TFileDefaults::TransferToDialog() {
    SelectRadio(*this, kVhf146);
    SetText(*this, kBandEdit, "");
    SetEnabled(*this, kBandEdit, false);
    SetText(*this, kToneCount, "6");
}

NewFileBand TFileDefaults::Band() const {
    switch (SelectedRadio(*this, {kVhf146, kUhf406, kUhf430, kUhf450, kUserDefined})) {
        case kUhf406:
            return NewFileBand::Uhf406;
        case kUhf430:
            return NewFileBand::Uhf430;
        case kUhf450:
            return NewFileBand::Uhf450;
        case kUserDefined:
            return NewFileBand::UserDefined;
        default:
            return NewFileBand::Vhf146;
    }
}

void TFileDefaults::TransferFromDialog() {
    ApplyNewFileChoice(parameters_, Band(), static_cast<int>(Integer(Text(*this, kBandEdit))),
                       static_cast<int>(Integer(Text(*this, kToneCount))));
}

}  // namespace norda::ombra
