#pragma once

#include <string>
#include <vector>

#include "ombra/app/ClientPort.h"

namespace norda::ombra {

// A client whose state the test sets and whose calls it records.
class FakeClient final : public ClientPort {
  public:
    bool reading = false;
    bool writing = false;
    bool portOpen = true;
    bool link = false;
    int networkState = 1;
    int port = 1;
    int baud = 9600;
    bool writePrecondition = true;
    bool testMode = false;
    bool dataValid = false;
    bool trace = false;
    Status openResult = Status::Ok;
    std::string openFailure;  // the device and reason a failed open reports
    int stops = 0;
    std::vector<std::pair<int, int>> reopens;
    std::vector<int> commands;

    bool Reading() const override { return reading; }
    bool Writing() const override { return writing; }
    bool PortOpen() const override { return portOpen; }
    bool LinkEstablished() const override { return link; }
    int NetworkState() const override { return networkState; }
    int PortNumber() const override { return port; }
    std::string OpenFailure() const override { return portOpen ? std::string() : openFailure; }
    int BaudRate() const override { return baud; }
    bool WritePrecondition() override { return writePrecondition; }
    bool TestMode() const override { return testMode; }
    void SetTestMode(bool on) override { testMode = on; }
    void SetDataValid(bool valid) override { dataValid = valid; }
    Status Open() override {
        portOpen = Succeeded(openResult);
        return openResult;
    }
    Status Reopen(int p, int b) override {
        reopens.emplace_back(p, b);
        port = p;
        baud = b;
        portOpen = Succeeded(openResult);
        return openResult;
    }
    void StopOperation() override { ++stops; }
    void RadioCommand(int id) override { commands.push_back(id); }
    void SetTrace(bool on) override { trace = on; }
};

}  // namespace norda::ombra
