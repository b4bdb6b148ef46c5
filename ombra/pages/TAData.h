#pragma once

#include <QLineEdit>

#include "ombra/pages/PageValues.h"
#include "ombra/pages/TDataDlg.h"

namespace norda {

// Analog data page (dialog 72): the identities of the analog data signalling, five
// group numbers and twenty-four status messages.
class TAData final : public TDataDlg {
  public:
    static constexpr int kDialogId = 72;
    enum Control : int {
        kSysId = 101,
        kFleetId = 102,
        kRadioId = 103,
        kRxId = 104,
        kPreamble = 105,
        kFirstGroup = 106,   // groups 1-5: 106-110
        kFirstStatus = 111,  // status messages 1-24: 111-134
    };

    TAData(QWidget* parent, const ResourceModule& module, PageEnvironment environment = {});

    void TransferToDialog() override;
    void TransferFromDialog() override;

  private:
    QLineEdit* Edit(int id) const { return Item<QLineEdit>(id); }

    PageEnvironment env_;
};

}  // namespace norda
