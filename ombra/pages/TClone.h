#pragma once

#include "codeplug/RadioParameters.h"
#include "ombra/pages/TDataDlg.h"
#include "resources/OmbraControlIds.h"

namespace norda::ombra {

// Page 3 "Aktarılabilir Parametreler": the general part of the Clone area, the two
// priority channels and three User switches, the parameters a copy carries.
class TClone : public TDataDlg {
    Q_OBJECT
  public:
    static constexpr int kDialogId = CloneIds::kDialog;

    TClone(QWidget* parent, const ResourceModule& module,
           RadioParameters& parameters = ProcessParameters());

    void TransferToDialog() override;
    void TransferFromDialog() override;

    // Field rules.
    void EmergencyCallClicked();
    void EmergencyChannelLeft();

  private:
    RadioParameters& parameters_;
};

}  // namespace norda::ombra
