#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "codeplug/RadioParameters.h"
#include "platform/Status.h"

namespace norda {

// String-table numbers of what the file commands tell the user.
enum CodeplugTextId : int {
    kTextFileSaved = 660,   // "Kütük saklandı." (caption 601)
    kTextFileNoBand = 661,  // "Seçilen kütükte frekans bandı bilgisi hatalı veya yok !" (602)
    kTextFileNotSaved = 662,  // "%s kütüğü saklanamadı!" with the file name (602)
};

// Saving returns kCodeplugOk or a ProfileResult (negative).
inline constexpr int kCodeplugOk = 0;

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
// Writes the file in place of `path` in one step; a failure leaves any old file as
// it was and returns the negative ProfileResult.
int SaveCodeplugFile(const std::string& path, const RadioParameters& p,
                     const CodeplugOptions& options);
// Ok, or NoBand when the file has no band (a missing file has none; nothing is changed
// then). Any content loads: values are taken as the key table says and kept to their
// variables' width.
Status LoadCodeplugFile(const std::string& path, RadioParameters& p,
                        const CodeplugOptions& options);
Status LoadCodeplugText(std::string_view bytes, RadioParameters& p, const CodeplugOptions& options);

// Whether a receive frequency (hertz) falls on a harmonic of the radio's reference
// or on a configured shift frequency (checked from the list's second entry on, up
// to its first 0).
int ShiftFlag(int64_t receiveHz, std::span<const int32_t> shiftFrequencies);

}  // namespace norda
