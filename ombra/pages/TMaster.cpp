#include "ombra/pages/TMaster.h"

#include <cstdio>

#include "codeplug/RadioTexts.h"
#include "codeplug/Validators.h"
#include "ombra/pages/DataPageSupport.h"
#include "ombra/pages/PageValues.h"
#include "ombra/pages/ParamPageSupport.h"

namespace norda::ombra {

using namespace paramctl;

namespace {
using enum MasterIds::Control;
}  // namespace

TMaster::TMaster(QWidget* parent, const ResourceModule& module, RadioParameters& parameters)
    : TDataDlg(parent, kDialogId, module, false, false, false), parameters_(parameters) {
    BoldHeading(*this);
    AlignLabelColons(*this);
    // Five digits: the dialog resource's limit of six counts the terminating zero.
    Bind(kSerialNo, std::make_unique<TValidatorCheck>(std::make_unique<TLRangeValidator>(1, 65535)),
         5);
}

void TMaster::TransferToDialog() {
    const MasterParameters& master = parameters_.Master;
    SetText(*this, kSerialNo, paramctl::OptionalNumber(static_cast<uint16_t>(master.SeriNo)));
    SetText(*this, kDate, ProgrammingDateText(master.ProgTarihi));
    std::string production;
    for (int16_t digit : parameters_.TestAyar.UretimSiraNo)
        production += static_cast<char>('0' + (digit & 15));
    SetText(*this, kProductionNo, production);
    SetText(*this, kVersion, "");
    SetText(*this, kRadioType, Module().Text(RadioKindTextId(parameters_)));
    SetText(*this, kHardware, Module().Text(HardwareTextId(parameters_)));
    SetText(*this, kBand, BandText(parameters_.TestAyar.HalfBaseChan));
    SetChecked(*this, kFixedBase, master.SabitMerkez == 1);
    SetChecked(*this, kCompander, master.Compander == 1);
    SetChecked(*this, kTdm, master.TDM == 1);
}

void TMaster::TransferFromDialog() {
    MasterParameters& master = parameters_.Master;
    master.SeriNo = static_cast<int16_t>(static_cast<uint16_t>(Integer(Text(*this, kSerialNo))));
    master.SabitMerkez = Checked(*this, kFixedBase) ? 1 : 0;
    master.Compander = Checked(*this, kCompander) ? 1 : 0;
    master.TDM = Checked(*this, kTdm) ? 1 : 0;
}

}  // namespace norda::ombra
