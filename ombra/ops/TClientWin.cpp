#include "ombra/ops/TClientWin.h"

#include "ombra/ops/OpsMessages.h"
#include "ombra/ops/TransferPlan.h"
#include "ombra/ops/WriteRules.h"

namespace norda::ombra {

bool TClientWin::ConfirmDiscard() {
    if (Host().CurrentPage() < 1)
        return true;
    return Ask(msg::kConfirmDiscard, msg::kCaptionWarning);
}

std::span<const AreaId> TClientWin::FullReadPlan() const {
    return kFullRead;
}
std::span<const AreaId> TClientWin::PreReadPlan() const {
    return kPreRead;
}
std::span<const AreaId> TClientWin::WritePlan() const {
    return kWrite;
}

void TClientWin::AfterRead() {
    Host().SetDocumentState(DocumentState::RadioData);
    Host().SetRestrictedPages(false);
    Host().SetFileOpened(false);
    Host().ClearFileName();
    SetDataValid(true);
}

bool TClientWin::CanStartSequential() {
    if (DataValid() || Host().FileOpened())
        return true;
    Refuse(msg::kSequentialNeedsData, msg::kCaptionUsageError);
    return false;
}

void TClientWin::AfterSequential() {
    TransferHost& host = Host();
    if (host.FileOpened()) {
        if (TestMode()) {
            // A file is a pattern for many radios: the identities the dialog
            // typed belong to the last radio, not to the file.
            RadioParameters& parameters = Parameters();
            parameters.Master.SeriNo = 0;
            for (int place = 0; place < kDigitPlaces; ++place) {
                parameters.Service.ANINo[place] = kEmptyDigit;
                parameters.Service.ACKNo[place] = kEmptyDigit;
                parameters.Service.SecmeliCagriNo[place] = kEmptyDigit;
            }
            host.SetDocumentState(DocumentState::OpenedFile);
            SetDataValid(true);
            host.ClosePage();
            host.SetCurrentPage(-1);
        } else {
            host.SetDocumentState(DocumentState::OpenedFile);
            SetDataValid(false);
            host.SetRestrictedPages(!host.TestSwitch());
            host.OpenPage(3);
        }
        return;
    }
    host.SetDocumentState(DocumentState::RadioData);
    SetDataValid(true);
    host.SetRestrictedPages(false);
    host.ClearFileName();
    host.OpenPage(1);
}

bool TClientWin::CheckWritePrecondition(bool copy, bool report) {
    if (!copy) {
        if (DataValid() || SequentialRunning())
            return true;
        if (report)
            Refuse(msg::kWriteNeedsRead, msg::kCaptionUsageError);
        return false;
    }
    if (DataValid() || Host().FileOpened())
        return true;
    if (report)
        Refuse(msg::kCopyNeedsData, msg::kCaptionUsageError);
    return false;
}

void TClientWin::PrepareWriteFromRadio() {
    RadioParameters& parameters = Parameters();
    const RadioImage& image = Image();
    if (RadioBand(image) != static_cast<uint16_t>(parameters.TestAyar.HalfBaseChan)) {
        Fail(msg::kBandMismatch, msg::kCaptionError);
        return;
    }
    WriteRules::StampProgramming(parameters, Host().Today());
    Host().PostMessage(PostTarget::ClientWindow, Posted::StartWrite);
}

void TClientWin::AdjustForRadioOptions() {
    WriteRules::ApplyRadioOptions(Parameters());
}

void TClientWin::AfterWrite() {
    SetDataValid(true);
    Host().SetRestrictedPages(false);
}

}  // namespace norda::ombra
