#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "codeplug/FileValueReport.h"
#include "codeplug/RadioParameters.h"
#include "platform/Status.h"

namespace norda {

// String-table numbers of what the file commands tell the user.
enum CodeplugTextId : int {
    kTextFileSaved = 660,   // "Kütük saklandı." (caption 601)
    kTextFileNoBand = 661,  // "Seçilen kütükte frekans bandı bilgisi hatalı veya yok !" (602)
    kTextFileNotSaved = 662,  // "%s kütüğü saklanamadı!" with the file name (602)
};

struct CodeplugOptions {
    bool testMode = false;  // "-test": the Master and Service sections too
    int channelCount = kChannelCount;
    // The configured shift frequencies in hertz (INI "Shift Frequencies").
    std::span<const int32_t> shiftFrequencies;
};

// A name without an extension gets ".OMB"; only the file's own name counts, so a
// dot in a folder name does not stand for one.
std::string CompleteCodeplugName(const std::string& name);

// The whole file as the key table prescribes it (Windows-1254, CR LF).
std::string CodeplugFileText(const RadioParameters& p, const CodeplugOptions& options);
// Writes the file in place of `path` in one step: Ok, or WriteFailed, which leaves any
// old file as it was.
Status SaveCodeplugFile(const std::string& path, const RadioParameters& p,
                        const CodeplugOptions& options);
// Ok, or NoBand when the file has no band or a band byte other than 0-255 (a missing
// file has none; nothing is changed then). Any other content loads: values are taken
// as the key table says, and every value that cannot be taken as written goes into
// `reports` (in file order) and leaves its parameter empty, so that nothing reaches a
// radio from a value nobody saw.
Status LoadCodeplugFile(const std::string& path, RadioParameters& p, const CodeplugOptions& options,
                        FileValueReports* reports = nullptr);
Status LoadCodeplugText(std::string_view bytes, RadioParameters& p, const CodeplugOptions& options,
                        FileValueReports* reports = nullptr);

// Whether a receive frequency (hertz) falls on a harmonic of the radio's reference
// or on a configured shift frequency (checked from the list's second entry on, up
// to its first 0).
int ShiftFlag(int64_t receiveHz, std::span<const int32_t> shiftFrequencies);
// A configured shift frequency: the key's megahertz in hertz. A key that is no number,
// or too large a one, keeps its place in the list and matches no receive frequency.
int32_t ShiftFrequencyHz(std::string_view megahertz);

}  // namespace norda
