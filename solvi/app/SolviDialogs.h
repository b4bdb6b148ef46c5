#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "resources/SolviControlIds.h"
#include "solvi/app/DialogBuilder.h"

namespace norda {
class ResourceModule;
}  // namespace norda

namespace norda::solvi {

// "Seri Çıkış Hızı": the speed of every port, as a decimal number of up to 7 digits. A speed
// no port can run at is refused with a message, and the dialog stays open.
class TSelBaudrate : public TemplateDialog {
    Q_OBJECT

  public:
    static constexpr int kDialogId = BaudrateIds::kDialog;
    static constexpr int kTextRange = 3102;
    static constexpr int kTextError = 602;
    TSelBaudrate(QWidget* parent, const ResourceModule& module, int32_t baud);
    int32_t Baud() const;
    void accept() override;

    std::function<void(const std::string& text, const std::string& caption)> showMessage;

  private:
    const ResourceModule& module_;
};

// "Yazılım Dili / Language": Türkçe (90) or English (9).
class TLanguage : public TemplateDialog {
    Q_OBJECT

  public:
    static constexpr int kDialogId = SolviLanguageIds::kDialog;
    TLanguage(QWidget* parent, const ResourceModule& module, int language);
    int Language() const;
};

// The window shown while the program starts (dialog 106) and the about box (22000).
class TSplashWin : public TemplateDialog {
    Q_OBJECT

  public:
    static constexpr int kDialogId = SolviSplashIds::kDialog;
    TSplashWin(const ResourceModule& module);
};

class TAboutDlg : public TemplateDialog {
    Q_OBJECT

  public:
    static constexpr int kDialogId = SolviAboutIds::kDialog;
    TAboutDlg(QWidget* parent, const ResourceModule& module);
};

// The program's messages: a modal box over the active window with the error icon
// and the standard button, whose text Qt gives in the program's language.
void ShowMessageBox(const std::string& text, const std::string& caption);
// The open-file dialog for a software file; empty when the user cancels.
std::string AskSoftwareFile(const std::string& title);

}  // namespace norda::solvi
