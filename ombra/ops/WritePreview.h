#pragma once

#include <string>

#include "codeplug/RadioImage.h"
#include "codeplug/RadioParameters.h"
#include "ombra/ops/TProgWin.h"
#include "platform/TextSource.h"

namespace norda::ombra {

// What a write or a copy would send into a radio, learnt without a radio.
struct WritePreview {
    // False when the operation would stop after its pre-read (another band, an
    // unprogrammed TestAyar area): nothing would be written.
    bool ok = false;
    std::string caption;  // the message it would then show
    std::string text;
    // The image as it would go out; only the written areas mean anything.
    RadioImage image;
};

// Runs the write preparation of the client window on a machine of its own, which has
// no port: the pre-read is taken from `radio`, then the same steps as a real write
// or copy (`copy`) fill in the radio's identity, the installation constants and the
// option rules and encode the image. So the preview changes whenever the write does.
// The programming date the write would stamp is taken from `radio` itself: it is the
// radio's own record of when it was written, not something the parameters decide.
WritePreview PreviewWrite(const RadioParameters& source, const RadioImage& radio, bool copy,
                          const ProgWinSettings& settings, const TextSource& texts);

}  // namespace norda::ombra
