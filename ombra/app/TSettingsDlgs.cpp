#include "ombra/app/TSettingsDlgs.h"

#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>

#include "ombra/app/AppConfig.h"
#include "ombra/app/CommandRules.h"
#include "ombra/app/PortDevice.h"
#include "resources/OmbraControlIds.h"
#include "ui/DialogBuilder.h"
#include "ui/ValidatorCheck.h"

namespace norda::ombra {

namespace {
void SetChecked(QAbstractButton* b, bool on) {
    if (b != nullptr)
        b->setChecked(on);
}
bool IsChecked(const QAbstractButton* b) {
    return b != nullptr && b->isChecked();
}
}  // namespace

QString ProductDescription(int countryCode) {
    return countryCode == kTurkishCountryCode ? QStringLiteral("NORDA Serisi Telsiz Programlayıcı")
                                              : QStringLiteral("NORDA Series Radio Programmer");
}

QString ProductVersionLine(int countryCode) {
    const QString word =
        countryCode == kTurkishCountryCode ? QStringLiteral("Sürüm") : QStringLiteral("Version");
    return QStringLiteral("%1 %2 %3")
        .arg(ToQString(kProgramName), word, ToQString(kProgramVersionText));
}

TLanguage::TLanguage(QWidget* parent, const ResourceModule& module, int& countryCode)
    : TDataDlg(parent, OmbraLanguageIds::kDialog, module, true, true, true),
      countryCode_(countryCode) {}

void TLanguage::TransferToDialog() {
    SetChecked(Item<QRadioButton>(OmbraLanguageIds::kTurkish), countryCode_ == kTurkishCountryCode);
    SetChecked(Item<QRadioButton>(OmbraLanguageIds::kEnglish), countryCode_ == kEnglishCountryCode);
}

void TLanguage::TransferFromDialog() {
    if (IsChecked(Item<QRadioButton>(OmbraLanguageIds::kTurkish)))
        countryCode_ = kTurkishCountryCode;
    if (IsChecked(Item<QRadioButton>(OmbraLanguageIds::kEnglish)))
        countryCode_ = kEnglishCountryCode;
}

TSelPort::TSelPort(QWidget* parent, const ResourceModule& module, int& port, int& baud)
    : TDataDlg(parent, SerialPortIds::kDialog, module, true, true, true), port_(port), baud_(baud) {
    Bind(SerialPortIds::kPort,
         std::make_unique<TValidatorCheck>(std::make_unique<TLRangeValidator>(1, 128)), 3);
    Bind(SerialPortIds::kSpeed,
         std::make_unique<TValidatorCheck>(std::make_unique<TLRangeValidator>(300, 115200)), 6);
    if (auto* e = Item<QLineEdit>(SerialPortIds::kPort))
        connect(e, &QLineEdit::textChanged, this, [this] { ShowDevice(); });
}

void TSelPort::ShowDevice() {
    auto* label = Item<QLabel>(SerialPortIds::kDevice);
    auto* edit = Item<QLineEdit>(SerialPortIds::kPort);
    if (label == nullptr || edit == nullptr)
        return;
    bool ok = false;
    const int port = edit->text().toInt(&ok);
    const std::string device = ok && port >= 1 && port <= 128 ? PortDeviceDescription(port) : "-";
    label->setText(QString::fromStdString(FormatText(Module().Text(900), device)));
    label->setToolTip(label->text());
}

void TSelPort::TransferToDialog() {
    if (auto* e = Item<QLineEdit>(SerialPortIds::kPort))
        e->setText(QString::number(port_));
    if (auto* e = Item<QLineEdit>(SerialPortIds::kSpeed))
        e->setText(QString::number(baud_));
    ShowDevice();
}

void TSelPort::TransferFromDialog() {
    if (auto* e = Item<QLineEdit>(SerialPortIds::kPort))
        port_ = e->text().toInt();
    if (auto* e = Item<QLineEdit>(SerialPortIds::kSpeed))
        baud_ = e->text().toInt();
}

TProgMode::TProgMode(QWidget* parent, const ResourceModule& module, int& testMode, bool& trace)
    : TDataDlg(parent, ProgModeIds::kDialog, module, true, true, true),
      testMode_(testMode),
      trace_(trace) {}

void TProgMode::TransferToDialog() {
    SetChecked(Item<QRadioButton>(ProgModeIds::kNormal), testMode_ == 0);
    SetChecked(Item<QRadioButton>(ProgModeIds::kTest), testMode_ == 1);
    SetChecked(Item<QCheckBox>(ProgModeIds::kTrace), trace_);
}

void TProgMode::TransferFromDialog() {
    testMode_ = IsChecked(Item<QRadioButton>(ProgModeIds::kTest)) ? 1 : 0;
    trace_ = IsChecked(Item<QCheckBox>(ProgModeIds::kTrace));
}

TAboutDlg::TAboutDlg(QWidget* parent, const ResourceModule& module, int countryCode,
                     const std::string& settingsFile)
    : TDataDlg(parent, OmbraAboutIds::kDialog, module, true, true, true) {
    if (auto* l = Item<QLabel>(OmbraAboutIds::kSettings)) {
        // A long path may break after any of its folders (a zero-width space there).
        std::string path;
        for (char c : settingsFile)
            path += c == '/' ? std::string("/\xE2\x80\x8B") : std::string(1, c);
        l->setText(QString::fromStdString(FillNames(module.Text(3230), {path})));
        l->setWordWrap(true);
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    if (auto* l = Item<QLabel>(OmbraAboutIds::kProduct)) {
        l->setText(ProductDescription(countryCode));
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }
    if (auto* l = Item<QLabel>(OmbraAboutIds::kVersion))
        l->setText(ProductVersionLine(countryCode));
}

}  // namespace norda::ombra
