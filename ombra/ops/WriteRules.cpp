#include "ombra/ops/WriteRules.h"

namespace norda::ombra {

uint16_t WriteRules::PackDate(const LocalDate& date) {
    return static_cast<uint16_t>(((date.year - 1994) & 0x7F) | ((date.month & 0x0F) << 7) |
                                 ((date.day & 0x1F) << 11));
}

void WriteRules::ApplySelectiveCallRule(RadioParameters& parameters) {
    ServiceParameters& service = parameters.Service;
    CloneParameters& clone = parameters.Clone;
    if (!service.SCEnc) {
        clone.UserSelectedDig = 0;
        return;
    }
    int count = kDigitPlaces;
    for (int place = 0; place < kDigitPlaces && service.SecmeliCagriNo[place] == kEmptyDigit;
         ++place) {
        --count;
    }
    if (count == 1) {
        service.SecmeliCagriNo[kDigitPlaces - 1] = kEmptyDigit;
        count = 0;
    }
    if (count < clone.UserSelectedDig)
        clone.UserSelectedDig = static_cast<int16_t>(count);
}

void WriteRules::StampProgramming(RadioParameters& parameters, const LocalDate& today) {
    MasterParameters& master = parameters.Master;
    master.Flag7 = 0;
    master.Flag6 = 0;
    master.Flag4 = 0;
    master.Flag1 = 0;
    master.ProgTarihi = static_cast<int16_t>(PackDate(today));
}

void WriteRules::ApplyProgramValues(RadioParameters& parameters) const {
    const CloneConstants& constants = constants_;
    CloneParameters& clone = parameters.Clone;
    clone.TUNETIM = constants.TUNETIM;
    clone.AKDUR = constants.AKDUR;
    clone.LPRF = constants.LPRF;
    clone.HPRF = constants.HPRF;
    clone.RSSITreshhold = constants.RSSITreshhold;
    clone.PLLSETT = constants.PLLSETT;
    clone.PLLUNL = constants.PLLUNL;
    clone.PRTIM0 = constants.PRTIM0;
    clone.SQTDEL = constants.SQTDEL;
    clone.TCSSCN = constants.TCSSCN;
    clone.PRITCS0 = constants.PRITCS0;
    if (clone.TonStandardi < 2) {
        clone.ZCC = constants.ZCC_CCIR;
        clone.GZCC = constants.GZCC_CCIR;
        clone.BZCC = constants.BZCC_CCIR;
    } else if (clone.TonStandardi == 2) {
        clone.ZCC = constants.ZCC_ZVEI;
        clone.GZCC = constants.GZCC_ZVEI;
        clone.BZCC = constants.BZCC_ZVEI;
    } else {
        clone.ZCC = constants.ZCC_EEA;
        clone.GZCC = constants.GZCC_EEA;
        clone.BZCC = constants.BZCC_EEA;
    }
    clone.StdDev = constants.StdDev;
    clone.PSMTIM = constants.PSMTIM;

    UserParameters& user = parameters.User;
    user.Value24 = 0;
    user.Flag4 = 0;
    user.Flag3 = 0;
    user.Flag2 = 0;
    for (int16_t& counter : user.Zero)
        counter = 0;

    parameters.Service.ProgVersionMinor = static_cast<int16_t>(versionMinor_);
    parameters.Service.ProgVersionMajor = static_cast<int16_t>(versionMajor_);
}

void WriteRules::ApplyRadioOptions(RadioParameters& parameters) {
    ServiceParameters& service = parameters.Service;
    const TestAyarParameters& options = parameters.TestAyar;
    parameters.User.Flag4 = 0;
    if (options.HwNotHandheld) {
        service.KeyPad = 1;
        service.MarineRadio = 0;
        service.Cloner = 0;
    } else {
        service.MicType = 0;
    }
    parameters.Master.SabitMerkez = service.MicType;
    if (!options.HwTDM) {
        parameters.Master.TDM = 0;
        service.VOXExists = 0;
    }
    ApplySelectiveCallRule(parameters);
}

}  // namespace norda::ombra
