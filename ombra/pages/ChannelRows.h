#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "codeplug/RadioParameters.h"
#include "codeplug/Validators.h"

namespace norda::ombra {

// What the channel page knows of a channel, without its widgets: the texts and ticks
// of a row, the checks of its fields and the rules of its switches. The page and the
// channel plans of a spreadsheet both go through here, so a plan is judged exactly as
// the page judges what is typed into it.

// The page's columns, in the order of its headings.
enum class ChannelField : int {
    Number,
    Name,
    TxFreq,
    RxFreq,
    TxTone,
    RxTone,
    Tot,
    Hprf,
    Ani,
    Scan
};
inline constexpr int kChannelFields = 10;
inline constexpr ChannelField kChannelEdits[] = {ChannelField::Name, ChannelField::TxFreq,
                                                 ChannelField::RxFreq, ChannelField::TxTone,
                                                 ChannelField::RxTone};
inline constexpr ChannelField kChannelSwitches[] = {ChannelField::Tot, ChannelField::Hprf,
                                                    ChannelField::Ani, ChannelField::Scan};

// A switch refused because the transferable parameters have no time-out time.
inline constexpr int kTextTotNotSet = 842;

// A channel as its row shows it.
struct ChannelRow {
    std::string name, txFreq, rxFreq, txTone, rxTone;
    bool tot = false, hprf = false, ani = false, scan = false;

    // The edit or the switch of a column; nullptr for the other kind and for the number.
    std::string* Text(ChannelField field);
    bool* Box(ChannelField field);
    const std::string* Text(ChannelField field) const;
    const bool* Box(ChannelField field) const;
};

ChannelRow ShownChannel(const RadioParameters& p, int channel);
// What leaving the page stores of a row whose texts passed their checks. Frequencies
// are stored only while a band is set; a receive frequency sets the shift flag.
void StoreChannel(const ChannelRow& row, RadioParameters& p, int channel,
                  std::span<const int32_t> shiftFrequencies);

// The characters an edit of the column holds; 0 for the number and the switches.
int ChannelFieldWidth(ChannelField field, int halfBaseChan);
// The check of an edit of row `row` with the limits of the band; `host` answers whether
// the row's frequencies are set and hears when one is cleared. nullptr for the number
// and the switches.
std::unique_ptr<TValidator> ChannelFieldValidator(ChannelField field, int halfBaseChan, int row,
                                                  FrequencyFieldHost* host);

// What a cleared frequency (FrequencyFieldHost::kTransmit or kReceive) takes along.
std::span<const ChannelField> FieldsClearedWith(int which);
// A frequency that the channel holds and its row no longer does takes its dependants
// along when the row is left, even straight from its field.
void ClearDroppedFrequencies(const ChannelRecord& stored, FrequencyFieldHost& row, int rowNumber);
// The text with which the page refuses ticking `box`, or 0.
int SwitchRefusal(ChannelField box, bool transmitSet, bool receiveSet, int timeOutTime);

}  // namespace norda::ombra
