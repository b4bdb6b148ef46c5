#pragma once

#include <QCheckBox>
#include <QLineEdit>

#include "codeplug/Validators.h"
#include "ombra/pages/PageValues.h"
#include "ombra/pages/TDataDlg.h"
#include "resources/OmbraControlIds.h"

namespace norda::ombra {

// KSYS page (dialog 65): the wireless audio broadcast system's identities, one
// receive and one transmit frequency with their tones, high power and ten groups.
class TKsys final : public TDataDlg, public FrequencyFieldHost {
  public:
    static constexpr int kDialogId = KsysIds::kDialog;
    using enum KsysIds::Control;

    TKsys(QWidget* parent, const ResourceModule& module, PageEnvironment environment = {});

    void TransferToDialog() override;
    void TransferFromDialog() override;
    bool CanLeave() override;

    // The validators' messages 0x520 and 0x521; the KSYS page is row 0.
    void FrequencyCleared(int which, int row) override;
    bool FrequencySet(int which, int row) override;

  private:
    QLineEdit* Edit(int id) const { return Item<QLineEdit>(id); }

    PageEnvironment env_;
};

}  // namespace norda::ombra
