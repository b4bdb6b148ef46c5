#pragma once

// A scripted host for the transfer machine: its deadlines run on a virtual clock, a
// posted-message queue, message boxes answered by a script, and an in-process simulated
// radio on an in-memory line, all advanced one millisecond at a time.

#include <array>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ombra/ops/AutoProgLogic.h"
#include "ombra/ops/OpsMessages.h"
#include "ombra/ops/TClientWin.h"
#include "platform/Clock.h"
#include "resources/StringTable.h"
#include "tests/support/MemoryLine.h"
#include "tools/radiosim/SimRadio.h"

namespace norda::ombra::test {

// Gives tests the protected parts of the machine.
class ProbeWin : public TClientWin {
  public:
    using TClientWin::AdjustForRadioOptions;
    using TClientWin::OnMemoryArea;
    using TClientWin::TClientWin;
};

struct Shown {
    uint32_t at = 0;
    int textId = 0;
    int captionId = 0;
    std::string text;
    std::string caption;
    Severity severity = Severity::Info;
    bool question = false;
    MessageOwner owner = MessageOwner::MainWindow;
    uint32_t radioResets = 0;  // reset commands the radio had obeyed by then
};

// One frame the programmer put on the line, de-stuffed: type byte first.
struct WireFrame {
    uint32_t at = 0;
    std::vector<uint8_t> body;
    bool IsLr() const { return !body.empty() && body[0] == 0x01; }
    bool IsLt() const { return !body.empty() && body[0] == 0x04; }
    // Network message of an LT.
    std::vector<uint8_t> Message() const {
        return body.size() > 4 ? std::vector<uint8_t>(body.begin() + 4, body.end())
                               : std::vector<uint8_t>{};
    }
};

struct Request {
    uint8_t code = 0;  // 3 memory, 4 reset
    uint8_t operation = 0;
    uint32_t address = 0;
    int length = 0;
};

class SimRig : public TransferHost {
  public:
    explicit SimRig(const sim::RadioConfig& config = {}, const ProgWinSettings& settings = {}) {
        radio = std::make_unique<sim::SimRadio>(clock, config);
        line.SetWriteListener([this](std::span<const uint8_t> bytes) {
            for (uint8_t b : bytes)
                written.push_back({clock.TickCount(), b});
            radio->Receive(bytes.data(), bytes.size());
        });
        client = std::make_unique<ProbeWin>(*this, image, parameters, 1,
                                            config.baud != 0 ? config.baud : 9600, settings, clock,
                                            line.MakeStream());
        portResult = client->SetupWindow();
    }
    ~SimRig() override { client.reset(); }

    // ---- TransferHost ----
    std::string Text(int id) override { return OmbraTurkishStrings().Text(id); }
    void PostMessage(PostTarget target, Posted msg) override { posted.push_back({target, msg}); }
    bool Ask(const OperationMessage& message, MessageOwner owner) override {
        return Keep(message, owner, true);
    }
    void Notify(const OperationMessage& message, MessageOwner owner) override {
        Keep(message, owner, false);
    }
    void OperationEnded(const OperationEnd& end) override {
        ends.push_back(end);
        for (const OperationMessage& notice : end.notices)
            Keep(notice, end.owner, false);
        if (end.message.textId != 0 || !end.message.text.empty())
            Keep(end.message, end.owner, false);
    }
    void Trace(const std::string&) override {}
    // Every message is put to `answer`, as a modal box waits for the operator.
    bool Keep(const OperationMessage& message, MessageOwner owner, bool question) {
        Shown shown;
        shown.at = clock.TickCount();
        shown.textId = message.textId;
        shown.captionId = message.captionId;
        shown.text = MessageText(*this, message);
        shown.caption = MessageCaption(*this, message);
        shown.severity = message.severity;
        shown.question = question;
        shown.owner = owner;
        shown.radioResets = radio->Stats().resets;
        messages.push_back(shown);
        return answer ? answer(shown) : true;
    }
    void OpenProgressWindow(const std::string& caption, const std::string& text,
                            MessageOwner) override {
        progressOpen = true;
        progressTexts.push_back(caption + "|" + text);
    }
    void CloseProgressWindow() override { progressOpen = false; }
    void ReportProgress(const TransferProgress& progress) override {
        progressReports.push_back(progress);
    }
    bool CanLeavePage() override { return pageMayBeLeft; }
    int CurrentPage() override { return page; }
    void ClosePage() override {
        if (page >= 1)
            page = 0;
    }
    void SetCurrentPage(int p) override { page = p; }
    void OpenPage(int p) override {
        page = p;
        pagesOpened.push_back(p);
    }
    void SetDocumentState(DocumentState state) override { document = state; }
    void SetRestrictedPages(bool restricted) override { restrictedPages = restricted; }
    bool FileOpened() override { return fileOpened; }
    void SetFileOpened(bool opened) override { fileOpened = opened; }
    void ClearFileName() override { fileName.clear(); }
    bool TestSwitch() override { return testSwitch; }
    void RunSequentialDialog(TProgWin&) override {
        if (sequentialDialog)
            sequentialDialog();
    }
    void PlaySound(const std::string& file) override { sounds.push_back(file); }
    LocalDate Today() override { return today; }

    // ---- driving ----
    void Pump() {
        std::vector<uint8_t> out = radio->TakeOutput();
        if (!out.empty())
            line.Send(out);
    }
    void DeliverPosted() {
        while (!posted.empty()) {
            auto [target, msg] = posted.front();
            posted.pop_front();
            if (target == PostTarget::ClientWindow) {
                client->OnPostedMessage(msg);
            } else if (dialogMessage) {
                dialogMessage(msg);
            }
        }
    }
    void Step() {
        DeliverPosted();
        clock.Advance(1);
        Pump();
        client->RunDue();
        DeliverPosted();
    }
    // Advances until `done` holds; false when maxMs passed first.
    bool RunUntil(const std::function<bool()>& done, uint32_t maxMs = 60000) {
        for (uint32_t t = 0; t < maxMs; ++t) {
            if (done())
                return true;
            Step();
        }
        return done();
    }
    void Run(uint32_t ms) {
        for (uint32_t t = 0; t < ms; ++t)
            Step();
    }
    // Time passes with the machine not run, as while a modal box is up.
    void Wait(uint32_t ms) {
        for (uint32_t t = 0; t < ms; ++t) {
            clock.Advance(1);
            Pump();
        }
    }
    // An operation has finished: nothing runs and nothing is queued. The poll may keep
    // going idle, as it does in the program.
    bool Finished() const { return client->Quiescent() && !client->Waiting() && posted.empty(); }

    std::vector<int> MessageIds() const {
        std::vector<int> ids;
        for (const Shown& m : messages)
            ids.push_back(m.textId);
        return ids;
    }

    std::vector<WireFrame> Frames() const {
        std::vector<WireFrame> frames;
        size_t i = 0;
        while (i + 2 < written.size()) {
            if (written[i].byte != 0x16 || written[i + 1].byte != 0x10 ||
                written[i + 2].byte != 0x02) {
                ++i;
                continue;
            }
            WireFrame frame;
            frame.at = written[i].at;
            size_t j = i + 3;
            bool complete = false;
            while (j + 1 < written.size()) {
                const uint8_t b = written[j].byte;
                if (b == 0x10 && written[j + 1].byte == 0x10) {
                    frame.body.push_back(0x10);
                    j += 2;
                } else if (b == 0x10 && written[j + 1].byte == 0x03) {
                    j += 4;
                    complete = true;
                    break;
                } else {
                    frame.body.push_back(b);
                    ++j;
                }
            }
            if (complete)
                frames.push_back(frame);
            i = j;
        }
        return frames;
    }
    std::vector<Request> Requests() const {
        std::vector<Request> requests;
        for (const WireFrame& frame : Frames()) {
            if (!frame.IsLt())
                continue;
            const std::vector<uint8_t> m = frame.Message();
            Request r;
            if (m.size() >= 2 && m[0] == 0x04) {
                r.code = 4;
            } else if (m.size() >= 6 && m[0] == 0x03) {
                r.code = 3;
                r.operation = m[1];
                r.address = static_cast<uint32_t>(m[3] << 16 | m[4] << 8 | m[5]);
                r.length = m[1] == 1 && m.size() >= 7 ? m[6] : static_cast<int>(m.size()) - 6;
            } else {
                continue;
            }
            requests.push_back(r);
        }
        return requests;
    }

    // Runs "Oku" to its end.
    bool ReadRadio() {
        client->CmRead();
        return RunUntil([this] { return Finished(); }, 600000);
    }

    struct WrittenByte {
        uint32_t at;
        uint8_t byte;
    };

    VirtualClock clock;
    MemoryLine line;
    std::unique_ptr<sim::SimRadio> radio;
    RadioImage image;
    RadioParameters parameters;
    std::unique_ptr<ProbeWin> client;
    Status portResult = Status::CannotOpen;

    std::deque<std::pair<PostTarget, Posted>> posted;
    std::vector<Shown> messages;
    std::vector<OperationEnd> ends;
    // Closes every message; the answer to a question (none: OK).
    std::function<bool(const Shown&)> answer;
    std::function<void()> sequentialDialog;
    std::function<void(Posted)> dialogMessage;
    std::vector<std::string> progressTexts;
    std::vector<TransferProgress> progressReports;
    bool progressOpen = false;
    std::vector<WrittenByte> written;
    std::vector<std::string> sounds;
    std::vector<int> pagesOpened;

    bool pageMayBeLeft = true;
    int page = -1;
    DocumentState document = DocumentState::Empty;
    bool restrictedPages = true;
    bool fileOpened = false;
    std::string fileName = "eski.omb";
    bool testSwitch = false;
    LocalDate today{2007, 3, 5};
};

}  // namespace norda::ombra::test
