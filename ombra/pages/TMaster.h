#pragma once

#include "codeplug/RadioParameters.h"
#include "ombra/pages/TDataDlg.h"
#include "resources/OmbraControlIds.h"

namespace norda::ombra {

// Page 1 "Sabit Parametreler": the radio's identity, its serial number and two
// hardware switches.
class TMaster : public TDataDlg {
    Q_OBJECT
  public:
    static constexpr int kDialogId = MasterIds::kDialog;

    TMaster(QWidget* parent, const ResourceModule& module,
            RadioParameters& parameters = ProcessParameters());

    void TransferToDialog() override;
    void TransferFromDialog() override;

  private:
    RadioParameters& parameters_;
};

}  // namespace norda::ombra
