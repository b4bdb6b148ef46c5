#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "codeplug/LayoutEngine.h"
#include "codeplug/RadioImage.h"
#include "codeplug/RadioParameters.h"
#include "link/RequestChannel.h"
#include "ombra/ops/CloneConstants.h"
#include "ombra/ops/TransferHost.h"

namespace norda {

// What the application hands the client window at start-up.
struct ProgWinSettings {
    bool dumpImage = false;  // "-debug": every completed read goes to "eprom.dbg"
    bool testMode = false;
    int versionMajor = 4;
    int versionMinor = 0;
    CloneConstants cloneConstants;
};

// The machine that runs every radio operation of the program over its request channel
// (the one MAP27 station). The product decisions (what a read covers, when it is
// complete, what follows) are the hooks that TClientWin implements.
class TProgWin : private LinkListener {
  public:
    static constexpr int kReadBlock = 80;
    static constexpr int kWriteBlock = 128;
    static constexpr uint32_t kPollStartMs = 100;
    static constexpr uint32_t kPollMs = 20;
    // Link requests made before the operation gives up.
    static constexpr int kLinkAttempts = 3;
    static constexpr const char* kDumpFile = "eprom.dbg";
    static constexpr const char* kDingFile = "ding.wav";

    // A transferable area: its place, its checksum range and its flags.
    struct AreaTransfer {
        const char* name;
        int address;
        int length;
        int checksumStart;
        int checksumLength;
        bool requested = false;
        bool done = false;
        // Shared by the full-read and the pre-read entries of the same area.
        bool* checksumOk = nullptr;
    };
    struct WriteTransfer {
        const char* name;
        int address;
        int length;
        bool requested = false;
    };

    // Read-side entries in request order: the pre-read's own TestAyar request
    // first, then the areas of the full read.
    enum ReadEntry {
        kPreTestAyar,
        kMaster,
        kService,
        kClone,
        kUser,
        kTestAyar,
        kKsys,
        kAdata,
        kReadEntries
    };
    enum WriteEntry { kWMaster, kWService, kWClone, kWUser, kWKsys, kWAdata, kWriteEntries };
    // Checksum-ok flags, one per area.
    enum ChecksumSlot {
        kOkMaster,
        kOkService,
        kOkClone,
        kOkUser,
        kOkTestAyar,
        kOkKsys,
        kOkAdata,
        kChecksumSlots
    };

    TProgWin(TransferHost& host, RadioImage& image, RadioParameters& parameters, int portNumber,
             int32_t baud, const ProgWinSettings& settings, Clock& clock = SteadyClock::Instance(),
             std::unique_ptr<ByteStream> stream = nullptr);
    ~TProgWin() override;
    TProgWin(const TProgWin&) = delete;
    TProgWin& operator=(const TProgWin&) = delete;

    // The window has been set up: opens the port. Result of TPort::Open.
    int SetupWindow();

    TPort& Port() { return channel_.Port(); }
    const TPort& Port() const { return channel_.Port(); }
    const TWinmap27Port& Link() const { return channel_.Link(); }
    Clock& TimeSource() const { return channel_.TimeSource(); }
    // Engine trace lines go to the host while on.
    void SetTrace(bool on) { channel_.Link().SetTrace(on); }

    // The machine keeps its own deadlines on the clock: the poll (100 ms after a start,
    // then 20 ms after each poll), the wait for an acknowledgement and the wait for a
    // reply. The host runs it when the earliest falls due, and may poll at once when the
    // port has input.
    std::optional<uint32_t> NextDeadline() const;
    // Runs whatever is due now, in the order poll, acknowledgement wait, reply wait.
    // True when the poll ran.
    bool RunDue();
    // The port is polled: its input is of interest.
    bool Polling() const { return poll_.has_value(); }
    // Polls now, while polling at all (the port has input).
    void PollNow();
    // Brings the next poll forward to now, while polling at all.
    void PollSoon();
    // The last poll acknowledged the radio's message and so left its next request to the
    // next poll.
    bool JustAcknowledged() const { return channel_.JustAcknowledged(); }
    // An acknowledgement or a reply is awaited.
    bool Waiting() const { return channel_.AwaitingAck() || channel_.AwaitingReply(); }

    // Deliveries from the host.
    void OnPostedMessage(uint32_t msg);

    // Commands and their enablers.
    void CmRead();        // 536 "Oku"
    void CmWrite();       // 538 "Yaz"
    void CmCopy();        // 539 "Kopyala"
    void CmSequential();  // 540 "Sıralı Programla"
    bool CanRead() const;
    bool CanWrite();
    bool CanCopy() const;
    bool CanSequential() const;
    bool Idle() const { return !Reading && !Writing; }
    // Nothing is under way or due on the link: no transfer, no link set-up, no
    // acknowledgement or reply awaited, no reset command pending. A host that
    // also has no posted message queued has seen the operation end.
    bool Quiescent() const {
        return !Reading && !Writing && !channel_.NeedsLink() && !channel_.AwaitingAck() &&
               !resetRequested_ && Link().NetworkState() == TWinmap27Port::kNetworkIdle;
    }

    using ChecksumResults = std::array<bool, kChecksumSlots>;
    // The checksum verdict of every area as a read computes it, on an image at hand.
    static ChecksumResults ImageChecksums(const RadioImage& image);
    // The end of a full read on an image whose checksums are `ok`: decodes it,
    // warns about unprogrammed areas and empties unprogrammed KSYS and ADATA
    // parameters. ombra-cli's "decode" takes a saved image the same way.
    void AcceptReadImage(const ChecksumResults& ok);
    // What a read leaves of the KSYS and ADATA parameters of areas it found
    // unprogrammed, for anyone who decodes an image without the machine.
    static void EmptyUnprogrammedAreas(RadioParameters& parameters, const ChecksumResults& ok);
    // The end of a pre-read that found `radio` in the radio, without the transfer:
    // a machine that never opens its port learns this way what a write or copy
    // (CopyMode) would prepare. Messages and posts go to the host as usual.
    void TakePreRead(const RadioImage& radio);

    void StopOperation();
    void ClearTransferFlags();

    // Settings that change while the program runs.
    void SetTestMode(bool on) { settings_.testMode = on; }
    bool TestMode() const { return settings_.testMode; }
    const ProgWinSettings& Settings() const { return settings_; }
    void SetCloneConstants(const CloneConstants& constants) {
        settings_.cloneConstants = constants;
    }

    RadioImage& Image() { return image_; }
    RadioParameters& Parameters() { return parameters_; }
    TransferHost& Host() { return host_; }

    // Operation state.
    bool Reading = false;
    bool Writing = false;
    bool FirstLinkExpected = true;
    int AreasToWrite = -1;
    bool DataValid = false;
    bool CopyMode = false;
    bool SequentialRunning = false;
    std::array<uint8_t, 24> PreReadCopy{};

    const AreaTransfer& ReadArea(ReadEntry entry) const { return read_[entry]; }
    const WriteTransfer& WriteArea(WriteEntry entry) const { return write_[entry]; }
    bool ChecksumOk(ChecksumSlot slot) const { return checksumOk_[slot]; }
    bool ResetCommandRequested() const { return resetRequested_; }
    bool ProgressWindowOpen() const { return progressOpen_; }
    bool SequentialDialogOpen() const { return sequentialDialogOpen_; }

    // Hook slot 14: loads both texts, stops the operation, closes the progress
    // window and shows the message dialog. Returns the pressed button.
    virtual int ShowMessage(int textId, int captionId, int style);

  protected:
    // A memory area the radio sent in answer to a read.
    void OnMemoryArea(uint8_t memory, uint32_t address, const uint8_t* data, uint16_t length);

    // Hooks, in slot order.
    virtual bool ConfirmDiscard() { return true; }
    virtual void SelectFullRead() {}
    virtual bool FullReadDone() { return true; }
    virtual void AfterRead() {}
    virtual bool CanStartSequential() { return true; }
    virtual void AfterSequential() {}
    virtual bool CheckWritePrecondition(bool report) {
        (void)report;
        return true;
    }
    virtual void SelectPreRead() {}
    virtual bool PreReadDone() { return true; }
    virtual void PrepareWriteFromRadio() {}
    virtual int SelectWriteAreas() { return 0; }
    virtual void AdjustForRadioOptions() {}
    virtual void AfterWrite() {}

    // Machinery the hooks build on.
    void StartRead();
    void StartPreRead();
    void StartWrite(int areas);
    void RestartLink();
    void WritePhase();
    void OpenProgressWindow(int textId);
    void CloseProgressWindow();
    LayoutStatus Decode();
    LayoutStatus Encode();
    void RequestRead(ReadEntry entry) { read_[entry].requested = true; }
    void RequestWrite(WriteEntry entry) { write_[entry].requested = true; }
    void RequestResetCommand() { resetRequested_ = true; }
    bool ReadDone(ReadEntry entry) const { return read_[entry].done; }
    MessageOwner Owner() const;

  private:
    // What the channel reports.
    void OnLinkUp() override;
    void OnAcknowledged() override;
    void OnReply(const RadioReply& reply) override;
    void OnTrace(std::string_view text) override;
    void OnWriteError();

    static const std::array<AreaTransfer, kReadEntries> kReadList;

    struct Cursor {
        int address = 0;
        int quotient = 0;
        int remainder = 0;
        int block = 0;
        int checksumStart = 0;
        int checksumLength = 0;
        AreaTransfer* area = nullptr;    // current read area
        WriteTransfer* write = nullptr;  // current write area
        bool* reset = nullptr;           // the reset command, when it is current
    };

    void PollTick();
    void IssueNextRequest();
    void CheckCompletion();
    void CompleteFullRead();
    void CompletePreRead();
    void FinishDataPhase();
    int LastBlock() const;
    void Split(int length, int blockSize);
    void Report(const char* area, int blocks);
    void DumpImageFile();

    TransferHost& host_;
    RequestChannel channel_;
    // The next poll on the port's clock; empty while the port is not polled. The channel
    // keeps the waits for an acknowledgement and a reply.
    std::optional<uint32_t> poll_;
    RadioImage& image_;
    RadioParameters& parameters_;
    FieldList fields_;
    ProgWinSettings settings_;
    std::array<AreaTransfer, kReadEntries> read_;
    std::array<WriteTransfer, kWriteEntries> write_;
    std::array<bool, kChecksumSlots> checksumOk_{};
    bool resetRequested_ = false;
    Cursor cursor_;
    bool progressOpen_ = false;
    bool sequentialDialogOpen_ = false;
    int blocksDone_ = 0;
    int blocksTotal_ = 0;
};

}  // namespace norda
