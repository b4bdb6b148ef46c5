#include "ombra/ops/TClientWin.h"

#include "ombra/ops/OpsMessages.h"
#include "ombra/ops/TransferPlan.h"

namespace norda::ombra {

uint16_t TClientWin::PackDate(const LocalDate& date) {
    return static_cast<uint16_t>(((date.year - 1994) & 0x7F) | ((date.month & 0x0F) << 7) |
                                 ((date.day & 0x1F) << 11));
}

void TClientWin::ApplySelectiveCallRule(RadioParameters& parameters) {
    ServiceParameters& service = parameters.Service;
    CloneParameters& clone = parameters.Clone;
    if (!service.SCEnc) {
        clone.UserSelectedDig = 0;
        return;
    }
    int count = kDigitPlaces;
    for (int place = 0; place < kDigitPlaces && service.SecmeliCagriNo[place] == kEmptyDigit;
         ++place) {
        --count;
    }
    if (count == 1) {
        service.SecmeliCagriNo[kDigitPlaces - 1] = kEmptyDigit;
        count = 0;
    }
    if (count < clone.UserSelectedDig)
        clone.UserSelectedDig = static_cast<int16_t>(count);
}

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
    MasterParameters& master = parameters.Master;
    master.Flag7 = 0;
    master.Flag6 = 0;
    master.Flag4 = 0;
    master.Flag1 = 0;
    master.ProgTarihi = static_cast<int16_t>(PackDate(Host().Today()));
    Host().PostMessage(PostTarget::ClientWindow, Posted::StartWrite);
}

void TClientWin::AdjustForRadioOptions() {
    RadioParameters& parameters = Parameters();
    ServiceParameters& service = parameters.Service;
    const TestAyarParameters& options = parameters.TestAyar;
    parameters.User.Flag4 = 0;
    if (options.HwNotHandheld) {
        service.KeyPad = 1;
        service.MarineRadio = 0;
        service.Cloner = 0;
    } else {
        service.MicType = 0;
    }
    parameters.Master.SabitMerkez = service.MicType;
    if (!options.HwTDM) {
        parameters.Master.TDM = 0;
        service.VOXExists = 0;
    }
    ApplySelectiveCallRule(parameters);
}

void TClientWin::AfterWrite() {
    SetDataValid(true);
    Host().SetRestrictedPages(false);
}

}  // namespace norda::ombra
