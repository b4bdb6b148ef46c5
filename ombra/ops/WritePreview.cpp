#include "ombra/ops/WritePreview.h"

#include <deque>
#include <memory>

#include "codeplug/MemoryAreas.h"
#include "ombra/ops/TClientWin.h"

namespace norda::ombra {
namespace {

// A host that shows nothing: it keeps the first message, queues the posts for the
// caller to deliver, and has no pages or sounds. Nobody runs the machine's deadlines.
class PreviewHost final : public TransferHost {
  public:
    PreviewHost(const TextSource& texts, LocalDate today) : texts_(texts), today_(today) {}

    std::string Text(int id) override { return texts_.Text(id); }
    void PostMessage(PostTarget target, Posted msg) override {
        if (target == PostTarget::ClientWindow)
            posted.push_back(msg);
    }
    void OperationEnded(const OperationEnd& end) override {
        if (!end.Succeeded())
            Keep(end.message);
    }
    bool Ask(const OperationMessage& question, MessageOwner) override {
        Keep(question);
        return true;
    }
    void Notify(const OperationMessage& notice, MessageOwner) override { Keep(notice); }
    void OpenProgressWindow(const std::string&, const std::string&, MessageOwner) override {}
    void CloseProgressWindow() override {}
    void ReportProgress(const TransferProgress&) override {}
    void PlaySound(const std::string&) override {}
    void Trace(const std::string&) override {}
    bool FileOpened() override { return true; }
    LocalDate Today() override { return today_; }

    void Keep(const OperationMessage& message) {
        if (shown)
            return;
        shown = true;
        shownText = MessageText(*this, message);
        shownCaption = MessageCaption(*this, message);
    }

    std::deque<Posted> posted;
    bool shown = false;
    std::string shownText;
    std::string shownCaption;

  private:
    const TextSource& texts_;
    LocalDate today_;
};

LocalDate StampedDate(const RadioImage& radio) {
    const unsigned v = ProgrammingDate(radio);
    return {static_cast<int>(v & 127u) + 1994, static_cast<int>((v >> 7) & 15u),
            static_cast<int>(v >> 11)};
}

}  // namespace

WritePreview PreviewWrite(const RadioParameters& source, const RadioImage& radio, bool copy,
                          const ProgWinSettings& settings, const TextSource& texts) {
    WritePreview preview;
    PreviewHost host(texts, StampedDate(radio));
    auto parameters = std::make_unique<RadioParameters>(source);
    auto image = std::make_unique<RadioImage>();
    {
        TClientWin machine(host, *image, *parameters, 0, 9600, settings);
        machine.TakePreRead(radio, copy);
        while (!host.posted.empty() && !host.shown) {
            const Posted msg = host.posted.front();
            host.posted.pop_front();
            machine.OnPostedMessage(msg);
        }
        preview.ok = !host.shown && machine.Writing();
        machine.StopOperation();
    }
    preview.caption = host.shownCaption;
    preview.text = host.shownText;
    preview.image = *image;
    return preview;
}

}  // namespace norda::ombra
