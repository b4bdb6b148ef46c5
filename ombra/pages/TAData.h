#pragma once

#include <QLineEdit>

#include "ombra/pages/PageValues.h"
#include "ombra/pages/TDataDlg.h"
#include "resources/OmbraControlIds.h"

namespace norda::ombra {

// Analog data page (dialog 72): the identities of the analog data signalling, five
// group numbers and twenty-four status messages.
class TAData final : public TDataDlg {
  public:
    static constexpr int kDialogId = ADataIds::kDialog;
    using enum ADataIds::Control;

    TAData(QWidget* parent, const ResourceModule& module, PageEnvironment environment = {});

    void TransferToDialog() override;
    void TransferFromDialog() override;

  private:
    QLineEdit* Edit(int id) const { return Item<QLineEdit>(id); }

    PageEnvironment env_;
};

}  // namespace norda::ombra
