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
    // A user-defined band in megahertz; its base must fit the radio's 16-bit band value.
    static constexpr int kMaxUserBandMHz = 819;

    TFileDefaults(QWidget* parent, const ResourceModule& module,
                  RadioParameters& parameters = ProcessParameters());

    void TransferToDialog() override;
    void TransferFromDialog() override;

    NewFileBand Band() const;

  private:
    RadioParameters& parameters_;
};

}  // namespace norda::ombra
