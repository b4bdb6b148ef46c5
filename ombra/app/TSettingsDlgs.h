#pragma once

#include "ombra/pages/TDataDlg.h"

namespace norda::ombra {

// Dialog 54: Turkish (90) or English (9).
class TLanguage final : public TDataDlg {
    Q_OBJECT
  public:
    TLanguage(QWidget* parent, const ResourceModule& module, int& countryCode);
    void TransferToDialog() override;
    void TransferFromDialog() override;

  private:
    int& countryCode_;
};

// Dialog 53: port number 1-128 and speed 300-115200, with the device the number opens.
class TSelPort final : public TDataDlg {
    Q_OBJECT
  public:
    TSelPort(QWidget* parent, const ResourceModule& module, int& port, int& baud);
    void TransferToDialog() override;
    void TransferFromDialog() override;

  private:
    void ShowDevice();

    int& port_;
    int& baud_;
};

// Dialog 1: normal or test mode, and the engine's trace.
class TProgMode final : public TDataDlg {
    Q_OBJECT
  public:
    TProgMode(QWidget* parent, const ResourceModule& module, int& testMode, bool& trace);
    void TransferToDialog() override;
    void TransferFromDialog() override;

  private:
    int& testMode_;
    bool& trace_;
};

// Dialog 22000: the about box; its texts follow the country code. It also tells where
// the settings are kept.
class TAboutDlg final : public TDataDlg {
    Q_OBJECT
  public:
    TAboutDlg(QWidget* parent, const ResourceModule& module, int countryCode,
              const std::string& settingsFile);
};

// Product description and version line of the about box and the splash window.
QString ProductDescription(int countryCode);
QString ProductVersionLine(int countryCode);

}  // namespace norda::ombra
