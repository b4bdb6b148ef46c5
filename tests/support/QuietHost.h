#pragma once

#include <string>

#include "ombra/ops/TransferHost.h"

namespace norda::ombra::test {

// A host for tests that look only at the editor or the posts: it shows nothing, hears
// nothing and says OK to every question.
class QuietHost : public TransferHost {
  public:
    void OpenProgressWindow(const std::string&, const std::string&, MessageOwner) override {}
    void CloseProgressWindow() override {}
    void ReportProgress(const TransferProgress&) override {}
    bool Ask(const OperationMessage&, MessageOwner) override { return true; }
    void Notify(const OperationMessage&, MessageOwner) override {}
    void OperationEnded(const OperationEnd&) override {}
    void PlaySound(const std::string&) override {}
    void Trace(const std::string&) override {}
};

}  // namespace norda::ombra::test
