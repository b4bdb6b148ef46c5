#pragma once

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>

#include <memory>
#include <string>
#include <vector>

#include "codeplug/RadioParameters.h"
#include "ombra/pages/PageValues.h"
#include "ombra/pages/TDataDlg.h"
#include "ombra/pages/TMessageDlg.h"
#include "resources/ResourceModule.h"

namespace norda::ombra::test {

// One offscreen application for all page tests of the binary.
inline QApplication& App() {
    static int argc = 1;
    static char name[] = "ombra_data_pages_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    return *app;
}

// Answers every message box with OK and keeps what was shown.
class MessageLog {
  public:
    MessageLog() {
        TMessageDlg::SetResponder([this](const TMessageDlg::Record& r) {
            records.push_back(r);
            return 1;
        });
    }
    ~MessageLog() { TMessageDlg::SetResponder(nullptr); }
    std::vector<TMessageDlg::Record> records;
    std::string LastText() const { return records.empty() ? "" : records.back().text; }
};

// A page's parameters, a client window to hold it and the Turkish module.
class PageFixture {
  public:
    PageFixture() : module(ResourceModule::BuiltIn(OmbraBuiltinResources())) {
        client.resize(640, 480);
        params = std::make_unique<RadioParameters>();
        params->TestAyar.HalfBaseChan = 5840;  // VHF 146 - 174
        for (auto& k : params->Clone.Kanal) {
            k.TxFreq = 16383;
            k.RxFreq = 16383;
        }
        params->KSYS.TxFreq = 16383;
        params->KSYS.RxFreq = 16383;
    }

    PageEnvironment Env() const { return {params.get(), shifts}; }

    static void Type(QLineEdit* e, const char* text) { e->setText(QString::fromUtf8(text)); }
    // Typing, character by character, through the edit's typing filter.
    static void Keys(QLineEdit* e, const char* text) {
        for (const QChar c : QString::fromUtf8(text)) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QCoreApplication::sendEvent(e, &press);
        }
    }
    // Leaving a field: what the page does when the focus moves on.
    static void Leave(QLineEdit* e, const char* text) {
        e->setText(QString::fromUtf8(text));
        e->setModified(true);
        Q_EMIT e->editingFinished();
    }

    // The application has to exist before the first widget.
    struct AppFirst {
        AppFirst() { App(); }
    } appFirst;
    std::unique_ptr<ResourceModule> module;
    QWidget client;
    std::unique_ptr<RadioParameters> params;
    std::vector<int32_t> shifts;
    MessageLog messages;
};

}  // namespace norda::ombra::test
