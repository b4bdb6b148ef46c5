#include "ombra/pages/TPageDispatcher.h"

#include <QGroupBox>

#include "ui/DialogBuilder.h"

namespace norda::ombra {

namespace {

// Until a kind has its page class, the page shows its dialog resource (if the language
// module has it) without bindings, so navigation still works.
std::unique_ptr<TDataDlg> PlainPage(QWidget* client, const ResourceModule& module,
                                    const PageInfo& info) {
    auto page = std::make_unique<TDataDlg>(client, info.dialogId, module, false, false, false);
    if (module.Dialog(info.dialogId) == nullptr) {
        page->setFixedSize(400, 120);
        QString heading = QString::fromUtf8(info.heading);
        if (info.firstChannel != 0) {
            heading += QStringLiteral("  %1-%2")
                           .arg(info.firstChannel)
                           .arg(std::min(info.firstChannel + 9, 99));
        }
        auto* box = new QGroupBox(heading, page.get());
        box->setGeometry(8, 8, 384, 104);
    }
    return page;
}

}  // namespace

TPageDispatcher::~TPageDispatcher() = default;

void TPageDispatcher::Register(int kind, Factory factory) {
    if (kind >= 0 && kind < kPageKindSlots)
        factories_[static_cast<size_t>(kind)] = std::move(factory);
}

TDataDlg* TPageDispatcher::Slot(int kind) const {
    return kind >= 0 && kind < kPageKindSlots ? slots_[static_cast<size_t>(kind)].get() : nullptr;
}

TDataDlg* TPageDispatcher::Current() const {
    const PageInfo* info = FindPage(current_);
    return info == nullptr ? nullptr : Slot(info->kind);
}

void TPageDispatcher::OpenPage(int page) {
    current_ = page;
    const PageInfo* info = FindPage(page);
    if (info == nullptr || module_ == nullptr)
        return;
    auto& slot = slots_[static_cast<size_t>(info->kind)];
    slot.reset();
    const Factory& make = factories_[static_cast<size_t>(info->kind)];
    slot = make ? make(client_, *module_, *info) : PlainPage(client_, *module_, *info);
    if (slot)
        slot->Create();
}

void TPageDispatcher::ClosePage() {
    if (const PageInfo* info = FindPage(current_)) {
        auto& slot = slots_[static_cast<size_t>(info->kind)];
        if (slot) {
            slot->hide();
            slot.reset();
        }
    }
    if (current_ > 0)
        current_ = kPageNoneShown;
}

bool TPageDispatcher::CanLeavePage() {
    TDataDlg* page = Current();
    return page == nullptr || page->CanLeave();
}

}  // namespace norda::ombra
