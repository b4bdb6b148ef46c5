#include "ombra/pages/TAData.h"

#include "codeplug/Validators.h"
#include "ombra/pages/DataPageSupport.h"
#include "ombra/pages/ParamPageSupport.h"
#include "ombra/pages/RadioTextCheck.h"
#include "ui/DialogBuilder.h"
#include "ui/ValidatorCheck.h"

namespace norda::ombra {

namespace {

std::string Text(const QLineEdit* edit) {
    return edit != nullptr ? edit->text().toStdString() : std::string();
}

// A field that the language's dialog lacks leaves its parameter alone.
void ReadNumber(const QLineEdit* edit, int16_t& value) {
    if (edit != nullptr)
        value = static_cast<int16_t>(NumberOfText(edit->text().toStdString()));
}

// Empty is allowed and stands for 0; a typed 0 is refused unless the range holds it.
std::unique_ptr<FieldCheck> Range(int32_t min, int32_t max) {
    return std::make_unique<TValidatorCheck>(
        std::make_unique<TLRangeValidator>(min, max, false, true));
}

struct NumberField {
    int id;
    int32_t min, max;
    int chars;
    int16_t AdataParameters::*value;
};

constexpr NumberField kNumbers[] = {
    {TAData::kSysId, 1, 64, 2, &AdataParameters::SYSID},
    {TAData::kFleetId, 1, 4095, 4, &AdataParameters::FLEETID},
    {TAData::kRadioId, 1, 4094, 4, &AdataParameters::RADIOID},
    {TAData::kRxId, 0, 4094, 4, &AdataParameters::RXID},
    {TAData::kPreamble, 0, 255, 3, &AdataParameters::PREAMBLE},
};

constexpr int32_t kFirstGroupNumber = 3001;
constexpr int32_t kLastGroupNumber = 4000;
constexpr int kGroupChars = 4;
constexpr int kStatusChars = 8;

}  // namespace

TAData::TAData(QWidget* parent, const ResourceModule& module, PageEnvironment environment)
    : TDataDlg(parent, kDialogId, module, false, false, false), env_(environment) {
    paramctl::BoldHeading(*this);
    AlignLabelColons(*this);
    for (const NumberField& f : kNumbers)
        Bind(f.id, Range(f.min, f.max), f.chars);
    for (int g = 0; g < kAdataGroups; ++g)
        Bind(kFirstGroup + g, Range(kFirstGroupNumber, kLastGroupNumber), kGroupChars);
    for (int s = 0; s < kStatusMessages; ++s) {
        Bind(kFirstStatus + s, std::make_unique<TRadioTextCheck>(), kStatusChars);
        UpperCaseWhileTyping(Edit(kFirstStatus + s));
    }
}

void TAData::TransferToDialog() {
    const AdataParameters& a = env_.Parameters().ADATA;
    for (const NumberField& f : kNumbers)
        ShowText(Edit(f.id), OptionalNumber(a.*f.value));
    for (int g = 0; g < kAdataGroups; ++g)
        ShowText(Edit(kFirstGroup + g), OptionalNumber(a.GRUP[g]));
    for (int s = 0; s < kStatusMessages; ++s)
        ShowText(Edit(kFirstStatus + s), RadioTextDisplay(a.STATUS[s]));
}

void TAData::TransferFromDialog() {
    AdataParameters& a = env_.Parameters().ADATA;
    for (const NumberField& f : kNumbers)
        ReadNumber(Edit(f.id), a.*f.value);
    for (int g = 0; g < kAdataGroups; ++g)
        ReadNumber(Edit(kFirstGroup + g), a.GRUP[g]);
    for (int s = 0; s < kStatusMessages; ++s) {
        if (QLineEdit* e = Edit(kFirstStatus + s))
            StoreRadioText(Text(e), a.STATUS[s]);
    }
}

}  // namespace norda::ombra
