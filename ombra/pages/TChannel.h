#pragma once

#include <QCheckBox>
#include <QLineEdit>

#include "codeplug/Validators.h"
#include "ombra/pages/ChannelRows.h"
#include "ombra/pages/PageValues.h"
#include "ombra/pages/TDataDlg.h"
#include "resources/OmbraControlIds.h"

namespace norda::ombra {

// Channel page (dialog 64): ten channel records of the Clone area a page, channels
// first .. first + 9, and only nine rows on the page that starts at channel 91.
class TChannel final : public TDataDlg, public FrequencyFieldHost {
  public:
    static constexpr int kDialogId = ChannelIds::kDialog;
    static constexpr int kMaxRows = 10;
    // Control of row r (1-10) is column + r.
    using Column = ChannelIds::Column;
    using enum ChannelIds::Column;

    TChannel(QWidget* parent, int firstChannel, const ResourceModule& module,
             PageEnvironment environment = {});

    void TransferToDialog() override;
    void TransferFromDialog() override;
    bool CanLeave() override;

    // The validators' messages 0x520 (a frequency was cleared) and 0x521 (is it set?).
    // The frequency validators accept 0 before they would report it, so the page also
    // reports a cleared frequency itself when its field is left.
    void FrequencyCleared(int which, int row) override;
    bool FrequencySet(int which, int row) override;

    int FirstChannel() const { return first_; }
    int Rows() const { return rows_; }

    // Control notifications of the row's switches (also driven by tests).
    void TotClicked(int row);
    void HprfClicked(int row);
    void AniClicked(int row);
    void ScanClicked(int row);

  private:
    QLineEdit* Edit(Column column, int row) const { return Item<QLineEdit>(column + row); }
    QCheckBox* Box(Column column, int row) const { return Item<QCheckBox>(column + row); }
    void ShowError(int textId);
    void SwitchClicked(ChannelField box, int row);

    int first_;
    int rows_;
    PageEnvironment env_;
};

}  // namespace norda::ombra
