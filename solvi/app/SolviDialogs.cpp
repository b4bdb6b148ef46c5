#include "solvi/app/SolviDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>

#include "link/TPort.h"
#include "resources/ResourceModule.h"
#include "solvi/app/CommandLine.h"

namespace norda::solvi {

TSelBaudrate::TSelBaudrate(QWidget* parent, const ResourceModule& module, int32_t baud)
    : TemplateDialog(parent, DialogOf(module, kDialogId), SolviIcon), module_(module) {
    if (auto* edit = qobject_cast<QLineEdit*>(Control(BaudrateIds::kSpeed))) {
        edit->setMaxLength(7);
        edit->setText(QString::number(baud));
        edit->selectAll();
        edit->setFocus();
    }
}

int32_t TSelBaudrate::Baud() const {
    auto* edit = qobject_cast<QLineEdit*>(Control(BaudrateIds::kSpeed));
    return edit != nullptr ? DecimalValue(edit->text().toStdString()) : 0;
}

void TSelBaudrate::accept() {
    const int32_t baud = Baud();
    if (baud >= TPort::kMinBaud && baud <= TPort::kMaxBaud) {
        TemplateDialog::accept();
        return;
    }
    // Nothing in the text is handed to printf: it may come from a language library.
    std::string text = module_.Text(kTextRange);
    for (int32_t bound : {TPort::kMinBaud, TPort::kMaxBaud}) {
        if (const size_t at = text.find("%s"); at != std::string::npos)
            text.replace(at, 2, std::to_string(bound));
    }
    if (showMessage)
        showMessage(text, module_.Text(kTextError));
    if (auto* edit = qobject_cast<QLineEdit*>(Control(BaudrateIds::kSpeed))) {
        edit->selectAll();
        edit->setFocus();
    }
}

TLanguage::TLanguage(QWidget* parent, const ResourceModule& module, int language)
    : TemplateDialog(parent, DialogOf(module, kDialogId), SolviIcon) {
    auto* button = qobject_cast<QRadioButton*>(
        Control(language == 90 ? SolviLanguageIds::kTurkish : SolviLanguageIds::kEnglish));
    if (button != nullptr)
        button->setChecked(true);
}

int TLanguage::Language() const {
    auto* english = qobject_cast<QRadioButton*>(Control(SolviLanguageIds::kEnglish));
    return english != nullptr && english->isChecked() ? 9 : 90;
}

TSplashWin::TSplashWin(const ResourceModule& module)
    : TemplateDialog(nullptr, DialogOf(module, kDialogId), SolviIcon) {
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    setAutoFillBackground(true);
}

TAboutDlg::TAboutDlg(QWidget* parent, const ResourceModule& module)
    : TemplateDialog(parent, DialogOf(module, kDialogId), SolviIcon) {}

void ShowMessageBox(const std::string& text, const std::string& caption) {
    QMessageBox::critical(QApplication::activeWindow(), QString::fromStdString(caption),
                          QString::fromStdString(text));
}

std::string AskSoftwareFile(const std::string& title) {
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), QString::fromStdString(title),
                                        QString(), QStringLiteral("*.hex"))
        .toStdString();
}

}  // namespace norda::solvi
