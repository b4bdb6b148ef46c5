#include "ombra/ops/TProgWin.h"

#include <cstdio>
#include <cstring>

#include "codeplug/MemoryAreas.h"
#include "ombra/ops/OmbraLink.h"
#include "ombra/ops/OpsMessages.h"
#include "ombra/ops/TargetRadioIdentity.h"

namespace norda {
namespace {

constexpr int kStyleFailure = kStyleOk | kIconExclamation;

int Blocks(int length, int blockSize) {
    return (length + blockSize - 1) / blockSize;
}

}  // namespace

// Checksum ranges run from the start of the sum to the two bytes holding it.
const std::array<TProgWin::AreaTransfer, TProgWin::kReadEntries> TProgWin::kReadList = {{
    {"TestAyar", 1400, 71, 1400, 69, false, false, nullptr},
    {"Master", 0, 7, 0, 5, false, false, nullptr},
    {"Service", 8, 16, 8, 14, false, false, nullptr},
    {"Clone", 24, 1326, 24, 1309, false, false, nullptr},
    {"User", 1352, 12, 1355, 7, false, false, nullptr},
    {"TestAyar", 1400, 71, 1400, 69, false, false, nullptr},
    {"KSYS", 2016, 22, 2016, 20, false, false, nullptr},
    {"ADATA", 1536, 212, 1536, 210, false, false, nullptr},
}};

TProgWin::TProgWin(TransferHost& host, RadioImage& image, RadioParameters& parameters,
                   int portNumber, int32_t baud, const ProgWinSettings& settings, Clock& clock,
                   std::unique_ptr<ByteStream> stream)
    : host_(host),
      channel_(kOmbraLink, portNumber, baud, *this, clock, std::move(stream)),
      image_(image),
      parameters_(parameters),
      settings_(settings),
      read_(kReadList),
      write_{{
          {"Master", 0, 7, false},
          {"Service", 8, 16, false},
          {"Clone", 24, 1326, false},
          {"User", 1352, 24, false},
          {"KSYS", 2016, 22, false},
          {"ADATA", 1536, 212, false},
      }} {
    read_[kPreTestAyar].checksumOk = &checksumOk_[kOkTestAyar];
    read_[kMaster].checksumOk = &checksumOk_[kOkMaster];
    read_[kService].checksumOk = &checksumOk_[kOkService];
    read_[kClone].checksumOk = &checksumOk_[kOkClone];
    read_[kUser].checksumOk = &checksumOk_[kOkUser];
    read_[kTestAyar].checksumOk = &checksumOk_[kOkTestAyar];
    read_[kKsys].checksumOk = &checksumOk_[kOkKsys];
    read_[kAdata].checksumOk = &checksumOk_[kOkAdata];
    channel_.Port().SetWriteErrorHandler([this] { OnWriteError(); });
    BuildFieldList(fields_, parameters_, image_);
}

TProgWin::~TProgWin() {
    fields_.Free();
}

int TProgWin::SetupWindow() {
    return channel_.Port().Open();
}

LayoutStatus TProgWin::Decode() {
    return fields_.Decode();
}
LayoutStatus TProgWin::Encode() {
    return fields_.Encode();
}

MessageOwner TProgWin::Owner() const {
    return sequentialDialogOpen_ ? MessageOwner::SequentialDialog : MessageOwner::MainWindow;
}

// ---- deadlines and posted messages ----------------------------------------------

namespace {

bool Due(const std::optional<uint32_t>& deadline, uint32_t now) {
    return deadline && static_cast<int32_t>(now - *deadline) >= 0;
}

void Earliest(std::optional<uint32_t>& earliest, const std::optional<uint32_t>& deadline,
              uint32_t now) {
    if (deadline && (!earliest ||
                     static_cast<int32_t>(*deadline - now) < static_cast<int32_t>(*earliest - now)))
        earliest = deadline;
}

}  // namespace

std::optional<uint32_t> TProgWin::NextDeadline() const {
    const uint32_t now = TimeSource().TickCount();
    std::optional<uint32_t> earliest;
    Earliest(earliest, poll_, now);
    Earliest(earliest, channel_.NextDeadline(), now);
    return earliest;
}

bool TProgWin::RunDue() {
    // Each deadline is looked at after the one before has run, which may have ended it.
    const uint32_t now = TimeSource().TickCount();
    bool polled = false;
    if (Due(poll_, now)) {
        poll_.reset();
        PollTick();
        polled = true;
    }
    channel_.AckWaitExpired(now);
    if (channel_.ReplyWaitExpired(now))
        ShowMessage(msg::kNoTimelyReply, msg::kCaptionCommError, kStyleFailure);
    return polled;
}

void TProgWin::PollNow() {
    if (!poll_)
        return;
    poll_.reset();
    PollTick();
}

void TProgWin::PollSoon() {
    if (poll_)
        poll_ = TimeSource().TickCount();
}

void TProgWin::OnPostedMessage(uint32_t message) {
    if (message == kMsgStartWrite) {
        WritePhase();
    } else if (message == kMsgStartPreRead) {
        StartPreRead();
    }
}

// ---- engine notifications -------------------------------------------------------

void TProgWin::OnTrace(std::string_view text) {
    host_.Trace(std::string(text));
}

void TProgWin::OnWriteError() {
    host_.MessageBox(msg::kWriteErrorText, msg::kWriteErrorCaption, kStyleOk | kIconStop,
                     MessageOwner::MainWindow);
}

void TProgWin::OnLinkUp() {
    if (FirstLinkExpected) {
        FirstLinkExpected = false;
        return;
    }
    // The radio set the link up again in the middle of an operation.
    if (Reading) {
        Reading = false;
        ShowMessage(msg::kReadInterrupted, msg::kCaptionError, kStyleFailure);
    }
    if (Writing) {
        Writing = false;
        ShowMessage(msg::kWriteInterrupted, msg::kCaptionError, kStyleFailure);
    }
}

void TProgWin::OnMemoryArea(uint8_t, uint32_t address, const uint8_t* data, uint16_t length) {
    const uint32_t start = address % 65536;
    const uint32_t count = length % 256;
    // A reply reaching beyond the image is dropped whole; it still counts as the
    // block's reply, so a confused radio ends in an unprogrammed-area warning
    // rather than in an endless re-request.
    if (start + count <= static_cast<uint32_t>(RadioImage::kSize)) {
        std::memcpy(image_.bytes.data() + start, data, count);
    }
    AreaTransfer* area = cursor_.area;
    if (area == nullptr)
        return;
    if (cursor_.block == LastBlock()) {
        cursor_.block = 0;
        area->requested = false;
        area->done = true;
        *area->checksumOk = AreaChecksumMatches(image_, cursor_.checksumStart,
                                                cursor_.checksumStart + cursor_.checksumLength);
    } else if (cursor_.block < LastBlock()) {
        ++cursor_.block;
    }
}

void TProgWin::OnReply(const RadioReply& reply) {
    if (reply.kind == RadioReply::Kind::MemoryArea)
        OnMemoryArea(reply.memory, reply.address, reply.data, reply.length);
}

void TProgWin::OnAcknowledged() {
    if (cursor_.write != nullptr) {
        if (cursor_.block == LastBlock()) {
            cursor_.block = 0;
            cursor_.write->requested = false;
            --AreasToWrite;
        } else {
            ++cursor_.block;
        }
    } else if (cursor_.reset != nullptr) {
        *cursor_.reset = false;
        StopOperation();
    }
    if (AreasToWrite == 0)
        FinishDataPhase();
}

// ---- the poll tick --------------------------------------------------------------

void TProgWin::PollTick() {
    poll_.reset();
    if (channel_.Receive() < 0)
        ShowMessage(msg::kReadError, msg::kCaptionSerialPort, kStyleFailure);
    if (!channel_.AwaitingAck()) {
        if (channel_.NeedsLink() && !Link().LinkEstablished()) {
            if (!channel_.TakeLinkAttempt(kLinkAttempts)) {
                ShowMessage(msg::kNoLink, msg::kCaptionCommError, kStyleFailure);
                return;
            }
            channel_.RequestLink();
        } else if (channel_.Idle() && !channel_.JustAcknowledged()) {
            IssueNextRequest();
        }
        CheckCompletion();
    }
    poll_ = TimeSource().TickCount() + kPollMs;
}

// The block index of an area's last block. The quotient itself unless the length
// is a whole number of blocks, which would otherwise ask for an empty block.
int TProgWin::LastBlock() const {
    return cursor_.remainder == 0 ? cursor_.quotient - 1 : cursor_.quotient;
}

void TProgWin::Split(int length, int blockSize) {
    cursor_.quotient = length / blockSize;
    cursor_.remainder = length % blockSize;
}

void TProgWin::Report(const char* area, int blocks) {
    TransferProgress progress;
    progress.area = area;
    progress.block = cursor_.block;
    progress.blocks = blocks;
    progress.done = blocksDone_;
    progress.total = blocksTotal_;
    host_.ReportProgress(progress);
    ++blocksDone_;
}

void TProgWin::IssueNextRequest() {
    using SendResult = RequestChannel::SendResult;
    const int sends = kOmbraLink.sends;
    for (AreaTransfer& area : read_) {
        if (!area.requested)
            continue;
        cursor_.address = area.address;
        cursor_.checksumStart = area.checksumStart;
        cursor_.checksumLength = area.checksumLength;
        cursor_.area = &area;
        cursor_.write = nullptr;
        cursor_.reset = nullptr;
        Split(area.length, kReadBlock);
        const int i = cursor_.block;
        if (i > LastBlock()) {
            area.requested = false;
            cursor_.block = 0;
            return;
        }
        const int length = i == cursor_.quotient ? cursor_.remainder : kReadBlock;
        const auto address = static_cast<uint32_t>(area.address + kReadBlock * i);
        const auto result =
            channel_.Send(NetworkRequest::Read(1, 1, address, static_cast<uint8_t>(length)), sends);
        if (result == SendResult::GaveUp) {
            Reading = false;
            ShowMessage(msg::kNoAnswer, msg::kCaptionError, kStyleFailure);
            return;
        }
        if (result == SendResult::Sent && channel_.Sends() == 1)
            Report(area.name, Blocks(area.length, kReadBlock));
        return;
    }
    for (WriteTransfer& area : write_) {
        if (!area.requested)
            continue;
        cursor_.address = area.address;
        cursor_.write = &area;
        cursor_.area = nullptr;
        cursor_.reset = nullptr;
        Split(area.length, kWriteBlock);
        const int i = cursor_.block;
        if (i > LastBlock()) {
            area.requested = false;
            cursor_.block = 0;
            return;
        }
        const int length = i == cursor_.quotient ? cursor_.remainder : kWriteBlock;
        const int address = area.address + kWriteBlock * i;
        const auto result = channel_.Send(
            NetworkRequest::Write(3, 1, static_cast<uint32_t>(address),
                                  image_.bytes.data() + address, static_cast<size_t>(length)),
            sends);
        if (result == SendResult::GaveUp) {
            Writing = false;
            ShowMessage(msg::kNoAnswer, msg::kCaptionError, kStyleFailure);
            return;
        }
        if (result == SendResult::Sent && channel_.Sends() == 1)
            Report(area.name, Blocks(area.length, kWriteBlock));
        return;
    }
    if (resetRequested_) {
        cursor_.reset = &resetRequested_;
        cursor_.write = nullptr;
        cursor_.area = nullptr;
        if (channel_.Send(NetworkRequest::Reset(1), sends) == SendResult::GaveUp)
            ShowMessage(msg::kNoAnswer, msg::kCaptionError, kStyleFailure);
    }
}

// ---- completion -----------------------------------------------------------------

void TProgWin::CheckCompletion() {
    if (FullReadDone())
        CompleteFullRead();
    if (PreReadDone())
        CompletePreRead();
}

TProgWin::ChecksumResults TProgWin::ImageChecksums(const RadioImage& image) {
    ChecksumResults ok{};
    const std::array<std::pair<ChecksumSlot, ReadEntry>, kChecksumSlots> slots = {{
        {kOkMaster, kMaster},
        {kOkService, kService},
        {kOkClone, kClone},
        {kOkUser, kUser},
        {kOkTestAyar, kTestAyar},
        {kOkKsys, kKsys},
        {kOkAdata, kAdata},
    }};
    for (const auto& [slot, entry] : slots) {
        const AreaTransfer& area = kReadList[entry];
        ok[slot] = AreaChecksumMatches(image, area.checksumStart,
                                       area.checksumStart + area.checksumLength);
    }
    return ok;
}

void TProgWin::CompleteFullRead() {
    // The checksum results outlive the flags that ClearTransferFlags (and every
    // message box) clears: the warnings are decided on this copy.
    const ChecksumResults ok = checksumOk_;
    StopOperation();
    ClearTransferFlags();
    AcceptReadImage(ok);
    host_.PlaySound(kDingFile);
    CloseProgressWindow();
    AfterRead();
    host_.FullReadAccepted(image_, parameters_);
    if (settings_.dumpImage)
        DumpImageFile();
    host_.OpenPage(1);
}

void TProgWin::AcceptReadImage(const ChecksumResults& ok) {
    Decode();
    CloseProgressWindow();
    static constexpr std::array<std::pair<ChecksumSlot, int>, 5> kWarnings = {{
        {kOkMaster, msg::kMasterUnprogrammed},
        {kOkService, msg::kServiceUnprogrammed},
        {kOkClone, msg::kCloneUnprogrammed},
        {kOkUser, msg::kUserUnprogrammed},
        {kOkTestAyar, msg::kTestAyarUnprogrammed},
    }};
    for (const auto& [slot, text] : kWarnings) {
        if (!ok[slot])
            ShowMessage(text, msg::kCaptionWarning, kStyleOk | kIconInformation);
    }
    EmptyUnprogrammedAreas(parameters_, ok);
    if (!ok[kOkKsys] && (image_[1419] & 0x10))
        ShowMessage(msg::kKsysUnprogrammed, msg::kCaptionWarning, kStyleOk | kIconInformation);
}

void TProgWin::EmptyUnprogrammedAreas(RadioParameters& parameters, const ChecksumResults& ok) {
    if (!ok[kOkKsys]) {
        KsysParameters& ksys = parameters.KSYS;
        ksys.SYSID = 0;
        ksys.SMTIDENT = 0;
        ksys.RxFreq = 0x3FFF;
        ksys.RxTCS = 0;
        ksys.TxFreq = 0x3FFF;
        ksys.TxTCS = 0;
        ksys.YuksekGuc = 0;
        for (int16_t& group : ksys.GrupNo)
            group = 0;
    }
    if (!ok[kOkAdata]) {
        AdataParameters& adata = parameters.ADATA;
        adata.SYSID = 0;
        adata.FLEETID = 0;
        adata.RADIOID = 0;
        adata.RXID = 0;
        adata.PREAMBLE = 0;
    }
}

void TProgWin::TakePreRead(const RadioImage& radio) {
    image_ = radio;
    checksumOk_ = ImageChecksums(radio);
    CompletePreRead();
}

void TProgWin::DumpImageFile() {
    std::FILE* file = std::fopen(kDumpFile, "wb");
    if (file == nullptr)
        return;
    std::fwrite(image_.bytes.data(), 1, image_.bytes.size(), file);
    std::fclose(file);
}

void TProgWin::CompletePreRead() {
    const bool testAyarOk = checksumOk_[kOkTestAyar];
    StopOperation();
    ClearTransferFlags();
    if (!testAyarOk) {
        ShowMessage(msg::kTestAyarUnprogrammed, msg::kCaptionError, kStyleFailure);
        return;
    }
    TestAyarParameters& testAyar = parameters_.TestAyar;
    const uint8_t options = image_[1419];
    testAyar.HwTDM = options & 1;
    testAyar.HwNotHandheld = (options >> 1) & 1;
    testAyar.HwFlag2 = (options >> 2) & 1;
    testAyar.HwCrypto = (options >> 3) & 1;
    testAyar.HwKSYS = (options >> 4) & 1;
    testAyar.HwRepeater = (options >> 5) & 1;
    testAyar.HwCrypto2 = (options >> 6) & 1;
    std::memcpy(PreReadCopy.data(), image_.bytes.data(), PreReadCopy.size());
    PrepareWriteFromRadio();
}

void TProgWin::FinishDataPhase() {
    AreasToWrite = -1;
    Writing = false;
    cursor_.write = nullptr;
    StopOperation();
    host_.PlaySound(kDingFile);
    CloseProgressWindow();
    if (SequentialRunning) {
        ShowMessage(msg::kSequentialProgrammed, msg::kCaptionInfo, kStyleOk | kIconInformation);
        host_.PostMessage(PostTarget::SequentialDialog, kMsgNextRadio);
    } else {
        ShowMessage(msg::kProgrammed, msg::kCaptionInfo, kStyleOk | kIconInformation);
        Decode();
        AfterWrite();
        host_.OpenPage(1);
    }
    // The reset command goes out only now, after the message has been closed.
    resetRequested_ = true;
    RestartLink();
}

// ---- starting and stopping ------------------------------------------------------

void TProgWin::ClearTransferFlags() {
    for (AreaTransfer& area : read_)
        area.requested = area.done = false;
    for (WriteTransfer& area : write_)
        area.requested = false;
    checksumOk_.fill(false);
    resetRequested_ = false;
}

void TProgWin::StartRead() {
    blocksDone_ = 0;
    blocksTotal_ = 0;
    for (const AreaTransfer& area : read_) {
        if (area.requested)
            blocksTotal_ += Blocks(area.length, kReadBlock);
    }
    channel_.RequireLink();
    FirstLinkExpected = true;
    channel_.ResetAttempts();
    Reading = true;
    poll_ = TimeSource().TickCount() + kPollStartMs;
}

void TProgWin::StartWrite(int areas) {
    blocksDone_ = 0;
    blocksTotal_ = 0;
    for (const WriteTransfer& area : write_) {
        if (area.requested)
            blocksTotal_ += Blocks(area.length, kWriteBlock);
    }
    AreasToWrite = areas;
    channel_.RequireLink();
    FirstLinkExpected = true;
    channel_.ResetAttempts();
    Writing = true;
    poll_ = TimeSource().TickCount() + kPollStartMs;
}

void TProgWin::RestartLink() {
    blocksDone_ = 0;
    blocksTotal_ = 1;
    channel_.RequireLink();
    FirstLinkExpected = true;
    channel_.ResetAttempts();
    poll_ = TimeSource().TickCount() + kPollStartMs;
}

void TProgWin::StopOperation() {
    poll_.reset();
    channel_.Stop();
    channel_.DropLink();
    FirstLinkExpected = true;
    cursor_.block = 0;
    cursor_.write = nullptr;
    cursor_.reset = nullptr;
    // A write broken off by a message leaves no areas waiting.
    AreasToWrite = -1;
    Writing = false;
    Reading = false;
}

int TProgWin::ShowMessage(int textId, int captionId, int style) {
    const std::string text = host_.Text(textId);
    const std::string caption = host_.Text(captionId);
    StopOperation();
    ClearTransferFlags();
    CloseProgressWindow();
    return host_.MessageBox(text, caption, style, Owner());
}

void TProgWin::OpenProgressWindow(int textId) {
    CloseProgressWindow();
    char caption[32];
    std::snprintf(caption, sizeof caption, "Port %d", Port().PortNumber());
    host_.OpenProgressWindow(caption, host_.Text(textId), Owner());
    progressOpen_ = true;
}

void TProgWin::CloseProgressWindow() {
    if (!progressOpen_)
        return;
    progressOpen_ = false;
    host_.CloseProgressWindow();
}

// ---- commands -------------------------------------------------------------------

bool TProgWin::CanRead() const {
    return !settings_.testMode && Port().PortOpen() && Idle();
}
bool TProgWin::CanCopy() const {
    return CanRead();
}
bool TProgWin::CanSequential() const {
    return Port().PortOpen() && Idle();
}

bool TProgWin::CanWrite() {
    if (!CanRead())
        return false;
    const bool copyMode = CopyMode;
    CopyMode = false;
    const bool holds = CheckWritePrecondition(false);
    CopyMode = copyMode;
    return holds;
}

void TProgWin::CmRead() {
    if (!host_.CanLeavePage())
        return;
    if (!ConfirmDiscard())
        return;
    StopOperation();
    host_.ClosePage();
    host_.SetCurrentPage(-1);
    CloseProgressWindow();
    OpenProgressWindow(msg::kProgressRead);
    image_.Clear();
    ClearTransferFlags();
    SelectFullRead();
    StartRead();
}

void TProgWin::CmWrite() {
    CopyMode = false;
    StartPreRead();
}

void TProgWin::CmCopy() {
    CopyMode = true;
    StartPreRead();
}

void TProgWin::StartPreRead() {
    if (!host_.CanLeavePage() || !CheckWritePrecondition(true))
        return;
    StopOperation();
    host_.ClosePage();
    CloseProgressWindow();
    OpenProgressWindow(msg::kProgressPreRead);
    ClearTransferFlags();
    SelectPreRead();
    StartRead();
}

void TProgWin::WritePhase() {
    StopOperation();
    CloseProgressWindow();
    OpenProgressWindow(msg::kProgressWrite);

    const CloneConstants& constants = settings_.cloneConstants;
    CloneParameters& clone = parameters_.Clone;
    clone.TUNETIM = constants.TUNETIM;
    clone.AKDUR = constants.AKDUR;
    clone.LPRF = constants.LPRF;
    clone.HPRF = constants.HPRF;
    clone.RSSITreshhold = constants.RSSITreshhold;
    clone.PLLSETT = constants.PLLSETT;
    clone.PLLUNL = constants.PLLUNL;
    clone.PRTIM0 = constants.PRTIM0;
    clone.SQTDEL = constants.SQTDEL;
    clone.TCSSCN = constants.TCSSCN;
    clone.PRITCS0 = constants.PRITCS0;
    if (clone.TonStandardi < 2) {
        clone.ZCC = constants.ZCC_CCIR;
        clone.GZCC = constants.GZCC_CCIR;
        clone.BZCC = constants.BZCC_CCIR;
    } else if (clone.TonStandardi == 2) {
        clone.ZCC = constants.ZCC_ZVEI;
        clone.GZCC = constants.GZCC_ZVEI;
        clone.BZCC = constants.BZCC_ZVEI;
    } else {
        clone.ZCC = constants.ZCC_EEA;
        clone.GZCC = constants.GZCC_EEA;
        clone.BZCC = constants.BZCC_EEA;
    }
    clone.StdDev = constants.StdDev;
    clone.PSMTIM = constants.PSMTIM;

    UserParameters& user = parameters_.User;
    user.Value24 = 0;
    user.Flag4 = 0;
    user.Flag3 = 0;
    user.Flag2 = 0;
    for (int16_t& counter : user.Zero)
        counter = 0;

    parameters_.Service.ProgVersionMinor = static_cast<int16_t>(settings_.versionMinor);
    parameters_.Service.ProgVersionMajor = static_cast<int16_t>(settings_.versionMajor);

    if (CopyMode) {
        Encode();
        KeepTargetRadioIdentity(image_, PreReadCopy);
        Decode();
    }
    parameters_.ReservedSink = 0;
    AdjustForRadioOptions();
    Encode();
    WriteAllChecksums(image_);
    ClearTransferFlags();
    StartWrite(SelectWriteAreas());
}

void TProgWin::CmSequential() {
    if (!host_.CanLeavePage())
        return;
    if (!CanStartSequential())
        return;
    host_.ClosePage();
    CopyMode = false;
    SequentialRunning = true;
    sequentialDialogOpen_ = true;
    host_.RunSequentialDialog(*this);
    sequentialDialogOpen_ = false;
    SequentialRunning = false;
    AfterSequential();
}

}  // namespace norda
