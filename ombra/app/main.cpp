#include <QApplication>
#include <QTimer>

#include "link/TPort.h"
#include "ombra/app/ClientPort.h"
#include "ombra/app/TApp.h"
#include "ombra/app/TProgFrame.h"
#include "ombra/app/TSplash.h"

namespace {

// The port alone, until the transfer machine drives the radio commands.
class TPortClient final : public norda::ClientPort {
  public:
    TPortClient(int port, int baud)
        : port_(norda::LinkVariant::Ombra, port, baud, norda::HandshakeMode::None, 1024, 1024) {}
    bool Reading() const override { return false; }
    bool Writing() const override { return false; }
    bool PortOpen() const override { return port_.PortOpen(); }
    bool LinkEstablished() const override { return false; }
    int NetworkState() const override { return 1; }
    int PortNumber() const override { return port_.PortNumber(); }
    int BaudRate() const override { return port_.Baud(); }
    bool WritePrecondition() override { return false; }
    bool TestMode() const override { return testMode_; }
    void SetTestMode(bool on) override { testMode_ = on; }
    void SetDataValid(bool) override {}
    int Open() override { return port_.Open(); }
    int Reopen(int port, int baud) override {
        return port_.Reopen(port, baud, norda::HandshakeMode::None, 1024, 1024);
    }
    void StopOperation() override {}
    void RadioCommand(int) override {}
    void SetTrace(bool) override {}

  private:
    norda::TPort port_;
    bool testMode_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    QCoreApplication::setOrganizationName(QString::fromUtf8(norda::kApplicationName.data()));
    std::vector<std::string> args(argv + 1, argv + argc);
    norda::TApp app(QCoreApplication::applicationFilePath().toStdString(), args);
    app.ReadCommandLineAndCountry();
    norda::TSplash splash(app.Module(), app.CountryCode());
    splash.show();
    qapp.processEvents();
    app.ReadRest();

    TPortClient client(app.Config().serialPort, app.BaudRate());
    client.SetTestMode(app.TestMode() != 0);
    norda::TProgFrame frame(app, client);
    frame.show();
    splash.close();
    QTimer::singleShot(0, &frame, [&frame] { frame.SetupClient(); });
    return qapp.exec();
}
