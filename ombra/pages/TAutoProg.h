#pragma once

#include <functional>
#include <string>

#include "codeplug/RadioParameters.h"
#include "codeplug/Validators.h"
#include "ombra/ops/AutoProgLogic.h"
#include "ombra/pages/TDataDlg.h"
#include "resources/OmbraControlIds.h"

namespace norda::ombra {

class SeriesStation;
class TProgWin;
class TransferHost;

// Dialog 66 "Sıralı Programlama": the identity numbers and switches of the next radio
// of a series. "Programla" starts the pre-read and write of the radio on the line; after
// each radio the client window's 0x504 counts the numbers up for the next one.
class TAutoProg : public TDataDlg {
    Q_OBJECT
  public:
    static constexpr int kDialogId = AutoProgIds::kDialog;

    TAutoProg(QWidget* parent, const ResourceModule& module, TProgWin& owner);
    TAutoProg(QWidget* parent, const ResourceModule& module, RadioParameters& parameters,
              TransferHost& host, bool testMode, bool dataValid);
    ~TAutoProg() override;

    void TransferToDialog() override;
    void TransferFromDialog() override;
    void Command(int id) override;

    // 0x504: prepare the next radio.
    void NextRadio();

    // Field rules.
    void KeyPadClicked();
    void SelectiveCallLeft();

    AutoProgFields Fields() const;
    void ShowFields(const AutoProgFields& fields);

    // The settings file (OMBRA's INI) that keeps the next radio's numbers from one opening
    // of the dialog to the next; without one the dialog starts from the parameters.
    void KeepNumbersIn(std::string settingsPath) { settingsPath_ = std::move(settingsPath); }

    // The numbers of each radio from a series of the production database, reserved when
    // "Programla" is pressed; the operator cannot change them. `refused` hears why a radio
    // was not started. Before TransferToDialog.
    void TakeNumbersFrom(SeriesStation* series, std::function<void(const std::string&)> refused) {
        series_ = series;
        refused_ = std::move(refused);
    }

    // The dialog that is open, for the client window's 0x504; nullptr when none is.
    static TAutoProg* Active();

  private:
    void PowerLeft(int id);

    RadioParameters& parameters_;
    TransferHost& host_;
    bool testMode_;
    bool dataValid_;
    std::string settingsPath_;
    SeriesStation* series_ = nullptr;
    std::function<void(const std::string&)> refused_;
    LinkedBounds powerBounds_;
    TValidator* lowPower_ = nullptr;
    TValidator* highPower_ = nullptr;
};

}  // namespace norda::ombra
