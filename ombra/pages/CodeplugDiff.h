#pragma once

#include <array>
#include <span>
#include <string>
#include <vector>

#include "codeplug/CodeplugFile.h"
#include "codeplug/RadioImage.h"
#include "codeplug/RadioParameters.h"
#include "ombra/pages/ChannelRows.h"
#include "resources/ResourceModule.h"

namespace norda::ombra {

// How much of a radio a codeplug speaks for. A codeplug file carries the band and
// pages 3-15; in test mode also the switches of pages 1 and 2; a radio image all.
// Two codeplugs are compared on what both carry.
enum class DiffCoverage { File = 0, TestFile = 1, Image = 2 };

// One parameter that two codeplugs hold differently, as the pages show it.
struct DiffRow {
    int page = 0;       // 1-15
    std::string group;  // rows that belong together: "Kanal No 5", "Grup Numaraları"
    std::string label;  // the page's own label of the field
    std::string a, b;   // the values as the page shows them
};

// One side of a comparison: the parameters, and the values their file held that could
// not be taken as written. Such a value shows as not readable, with its text, never as
// the empty value its parameter opened with.
struct DiffSide {
    DiffSide(const RadioParameters& p, std::span<const FileValueReport> r = {})
        : parameters(p), reports(r) {}
    const RadioParameters& parameters;
    std::span<const FileValueReport> reports;
};

// The parameters of `a` and `b` that the pages show differently, in page order and
// within a page in the order of its fields; channels by channel number. Labels and
// texts are those of `module`'s pages.
std::vector<DiffRow> DiffCodeplugs(const DiffSide& a, const DiffSide& b, DiffCoverage coverage,
                                   const ResourceModule& module);

// The heading of a page as its dialog shows it.
std::string PageTitle(int page, const ResourceModule& module);
// The channel page's column headings, "Kanal No" to "Tarama".
std::array<std::string, kChannelFields> ChannelHeadings(const ResourceModule& module);

// The rows as text: a page heading, then one line per row ("label: a → b"), rows of a
// group under the group's name. Empty values show as "".
std::string DiffListing(const std::vector<DiffRow>& rows, const ResourceModule& module);

// A codeplug to compare: an .omb file, or a 2048-byte radio image decoded as a read
// would leave it. Returns false for a file that cannot be read or has no band; the
// values of an .omb file that cannot be taken as written go into `reports`.
bool LoadComparable(const std::string& path, const CodeplugOptions& options,
                    RadioParameters& parameters, DiffCoverage& coverage,
                    FileValueReports* reports = nullptr);

// The parameters a full read of `image` leaves in the editor, without its messages;
// false when a layout of the program failed and the parameters mean nothing.
[[nodiscard]] bool DecodeAsRead(const RadioImage& image, RadioParameters& parameters);

}  // namespace norda::ombra
