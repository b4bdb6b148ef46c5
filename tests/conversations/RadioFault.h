#pragma once

#include <cstdint>

#include "tools/radiosim/SimRadio.h"

namespace norda::test {

// The one thing a recorded conversation's radio does wrong, if any.
struct RadioFault {
    uint32_t loseLaOf = 0;     // the LA of the radio's Nth acknowledgement is lost (0: none)
    int32_t relinkAfter = -1;  // the LT after the first N accepted ones is answered with an LR

    sim::RadioConfig Config() const {
        sim::RadioConfig config;
        config.faults.dropLaEvery = loseLaOf;
        config.faults.relinkAfter = relinkAfter;
        return config;
    }
    // Called as time passes: one LA is lost, not every Nth.
    void Settle(sim::SimRadio& radio) const {
        if (radio.Stats().laDropped > 0)
            radio.ActiveFaults().dropLaEvery = 0;
    }
};

}  // namespace norda::test
