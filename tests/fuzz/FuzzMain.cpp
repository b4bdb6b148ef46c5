// One libFuzzer program per target: NORDA_FUZZ_ENTRY names the entry point.
#include "FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return norda::fuzz::NORDA_FUZZ_ENTRY(data, size);
}
