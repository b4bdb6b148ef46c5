#include <memory>
#include <string>
#include <string_view>

#include "FuzzTargets.h"
#include "codeplug/CodeplugFile.h"

namespace norda::fuzz {

// Any file loads without harm, and whatever it loaded saves to a text that loads
// back to the very same text: nothing taken from a bad file is lost or changed by
// the next save.
int CodeplugLoader(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    static const int32_t kShifts[] = {0, 153600000, 460000000, 0, 12};
    for (bool testMode : {false, true}) {
        CodeplugOptions options;
        options.testMode = testMode;
        options.shiftFrequencies = kShifts;
        auto p = std::make_unique<RadioParameters>();
        const Status result = LoadCodeplugText(bytes, *p, options);
        Check(result == Status::Ok || result == Status::NoBand, "unknown load result");
        if (result != Status::Ok) {
            Check(*p == RadioParameters{}, "a file without a band changed the parameters");
            continue;
        }
        const std::string once = CodeplugFileText(*p, options);
        auto again = std::make_unique<RadioParameters>(*p);
        Check(LoadCodeplugText(once, *again, options) == Status::Ok, "a saved file does not load");
        Check(CodeplugFileText(*again, options) == once, "a second save differs from the first");
    }
    return 0;
}

}  // namespace norda::fuzz
