#include <memory>
#include <string>
#include <string_view>

#include "FuzzTargets.h"
#include "codeplug/CodeplugFile.h"

namespace norda::fuzz {

// Any file loads without harm, and either reports what it could not take as written or
// saves back to the very same values. Whatever it loaded saves to a file that loads
// again without a report and to the same parameters: the program never writes what it
// could not read back.
int CodeplugLoader(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    static const int32_t kShifts[] = {0, 153600000, 460000000, 0, 12};
    for (bool testMode : {false, true}) {
        CodeplugOptions options;
        options.testMode = testMode;
        options.shiftFrequencies = kShifts;
        auto p = std::make_unique<RadioParameters>();
        FileValueReports reports;
        const Status result = LoadCodeplugText(bytes, *p, options, &reports);
        Check(result == Status::Ok || result == Status::NoBand, "unknown load result");
        if (result != Status::Ok) {
            Check(*p == RadioParameters{}, "a file without a band changed the parameters");
            Check(reports.empty(), "a file without a band reported values");
            continue;
        }
        for (const FileValueReport& r : reports)
            Check(r.line > 0, "a report without its line");
        const std::string once = CodeplugFileText(*p, options);
        auto again = std::make_unique<RadioParameters>(*p);
        FileValueReports none;
        Check(LoadCodeplugText(once, *again, options, &none) == Status::Ok,
              "a saved file does not load");
        Check(none.empty(), "a saved file reports values it cannot take");
        Check(*again == *p, "a saved file loads to other values");
        Check(CodeplugFileText(*again, options) == once, "a second save differs from the first");
    }
    return 0;
}

}  // namespace norda::fuzz
