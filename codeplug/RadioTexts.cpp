#include "codeplug/RadioTexts.h"

#include <cstdint>
#include <cstdio>

namespace norda {

int RadioKindTextId(const RadioParameters& parameters) {
    const TestAyarParameters& hw = parameters.TestAyar;
    if (hw.HwNotHandheld == 0) {
        return 848;
    }
    if (hw.HwRepeater != 0) {
        return 849;
    }
    if (parameters.Master.SabitMerkez != 0) {
        return 850;
    }
    return 851;
}

int HardwareTextId(const RadioParameters& parameters) {
    const TestAyarParameters& hw = parameters.TestAyar;
    if (hw.HwCrypto != 0) {
        return 852;
    }
    if (hw.HwCrypto2 != 0) {
        return 853;
    }
    if (hw.HwTDM != 0) {
        return 854;
    }
    if (hw.HwKSYS != 0) {
        return 855;
    }
    return 856;
}

std::string BandText(int halfBaseChan) {
    const int mhz = static_cast<uint16_t>(halfBaseChan) / 40;
    switch (mhz) {
        case 146:
            return "VHF 146 - 174";
        case 406:
            return "UHF 406 - 430";
        case 430:
            return "UHF 430 - 450";
        case 450:
            return "UHF 450 - 470";
        default:
            break;
    }
    char text[32];
    std::snprintf(text, sizeof text, "%d - %d", mhz, mhz + 30);
    return text;
}

}  // namespace norda
