#pragma once

#include "codeplug/NewFileDefaults.h"
#include "codeplug/RadioParameters.h"
#include "ombra/pages/TDataDlg.h"
#include "resources/OmbraControlIds.h"

namespace norda::ombra {

// "Yeni Dosya İlk Değerleri": the band and the number of selective-call tones that a
// new codeplug cannot do without. "Tamam" takes them; Escape or the close button gives
// the new file up.
class TFileDefaults : public TDataDlg {
    Q_OBJECT
  public:
    static constexpr int kDialogId = FileDefaultsIds::kDialog;
    // A user-defined band in megahertz, as many as its three digits hold: the file, the
    // radio image, the pages, the frequency conversions and KSYS all read the band value
    // as an unsigned 16-bit count of 25 kHz steps, where 999 MHz (39960) fits.
    static constexpr int kMaxUserBandMHz = 999;

    TFileDefaults(QWidget* parent, const ResourceModule& module,
                  RadioParameters& parameters = ProcessParameters());

    void TransferToDialog() override;
    void TransferFromDialog() override;

    NewFileBand Band() const;

  private:
    RadioParameters& parameters_;
};

}  // namespace norda::ombra
