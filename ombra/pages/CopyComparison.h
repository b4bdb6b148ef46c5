#pragma once

#include <vector>

#include "codeplug/RadioImage.h"
#include "ombra/pages/CodeplugDiff.h"
#include "resources/ResourceModule.h"

namespace norda::ombra {

// What a radio holds against the image a copy would write into it.
struct CopyComparison {
    // As `diff` lists them, page by page, each "radio → file". The values a copy sets
    // whatever the file says (the installation constants by their INI keys, what it
    // clears, the checksums, the programming date) are rows of their own; bits that no
    // page shows, by address, when nothing else explains a difference.
    std::vector<DiffRow> rows;
    // There are rows, and each is a value a copy sets: the radio holds the file's
    // parameters.
    bool onlyCopySet = false;
};

// `copy` is the radio's image with the copy's areas written into it.
CopyComparison CompareWithCopy(const RadioImage& radio, const RadioImage& copy,
                               const ResourceModule& module);

}  // namespace norda::ombra
