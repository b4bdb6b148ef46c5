#pragma once

#include "codeplug/RadioParameters.h"
#include "codeplug/Validators.h"
#include "ombra/pages/TDataDlg.h"
#include "resources/OmbraControlIds.h"

namespace norda::ombra {

// Page 2 "Özel Parametreler": feature switches, clone key, the ANI, acknowledgement and
// selective-call numbers and the two power levels.
class TService : public TDataDlg {
    Q_OBJECT
  public:
    static constexpr int kDialogId = ServiceIds::kDialog;

    TService(QWidget* parent, const ResourceModule& module,
             RadioParameters& parameters = ProcessParameters());

    void TransferToDialog() override;
    void TransferFromDialog() override;

    // Field rules.
    void KeyPadClicked();
    void SelectiveCallSendingClicked();
    void AckLeft();
    void SelectiveCallLeft();

    const LinkedBounds& PowerBounds() const { return powerBounds_; }

  private:
    void PowerLeft(int id);

    RadioParameters& parameters_;
    LinkedBounds powerBounds_;
    TValidator* lowPower_ = nullptr;
    TValidator* highPower_ = nullptr;
};

// The highest power level the radio allows: 8 for a handheld below 300 MHz and for other
// radios from 300 MHz, else 9.
int HighPowerLimit(const RadioParameters& parameters);

}  // namespace norda::ombra
