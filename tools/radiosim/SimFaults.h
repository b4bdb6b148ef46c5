#pragma once

#include <cstdint>
#include <string>

namespace norda::sim {

// Misbehaviour the simulated radio can be told to show.
struct Faults {
    bool silent = false;       // hears everything, sends nothing
    bool noDataReply = false;  // acknowledges read requests but never answers them
    uint32_t dropLaEvery = 0;  // every Nth acknowledgement of an LT is not sent (0: none)
    int32_t relinkAfter = -1;  // after K accepted LTs, answer the next one with an LR (once)
    bool garbage = false;      // line noise before every frame the radio sends
    bool neverErased = false;  // the loop command starts an erase that never ends
    bool ignoreReset =
        false;  // an LT carrying the reset command is neither acknowledged nor obeyed
    uint32_t badFcsEvery = 0;  // every Nth frame goes out with a wrong check (1: all; 0: none)
    bool loseWrites = false;   // parameter writes are acknowledged but not stored
};

// Applies one "NAME" or "NAME=VALUE" as given after --fault. Returns 0, -1 for
// an unknown name, -2 for a missing or malformed value.
int ApplyFault(const std::string& spec, Faults& faults);

}  // namespace norda::sim
