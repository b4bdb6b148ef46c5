#pragma once

#include <array>
#include <functional>
#include <memory>

#include <QWidget>

#include "ombra/pages/PageTable.h"
#include "ombra/pages/TDataDlg.h"

namespace norda::ombra {

// Opens, closes and guards the parameter pages: one registry slot per page kind holds
// the page object while it exists, and at most one page exists at a time.
class TPageDispatcher {
  public:
    // Creates the page of a kind; `info` gives its dialog and first channel.
    using Factory = std::function<std::unique_ptr<TDataDlg>(
        QWidget* client, const ResourceModule& module, const PageInfo& info)>;

    explicit TPageDispatcher(QWidget* client) : client_(client) {}
    ~TPageDispatcher();

    void Register(int kind, Factory factory);
    void SetModule(const ResourceModule* module) { module_ = module; }

    // Sets the current page number; for 1..15 also creates and shows the page.
    void OpenPage(int page);
    void ClosePage();
    bool CanLeavePage();

    int CurrentPage() const { return current_; }
    void SetCurrentPage(int page) { current_ = page; }
    TDataDlg* Current() const;
    TDataDlg* Slot(int kind) const;

  private:
    QWidget* client_;
    const ResourceModule* module_ = nullptr;
    int current_ = kPageNone;
    std::array<Factory, kPageKindSlots> factories_{};
    std::array<std::unique_ptr<TDataDlg>, kPageKindSlots> slots_{};
};

}  // namespace norda::ombra
