#pragma once

#include "ombra/ops/TProgWin.h"

namespace norda::ombra {

// The client window the application creates: OMBRA's own answers to the
// transfer machine's hooks (what a read covers, the write preparations, the
// editor state after each operation). What a write puts into the radio is WriteRules'.
class TClientWin : public TProgWin {
  public:
    using TProgWin::TProgWin;

  protected:
    bool ConfirmDiscard() override;
    std::span<const AreaId> FullReadPlan() const override;
    std::span<const AreaId> PreReadPlan() const override;
    std::span<const AreaId> WritePlan() const override;
    void AfterRead() override;
    bool CanStartSequential() override;
    void AfterSequential() override;
    bool CheckWritePrecondition(bool copy, bool report) override;
    void PrepareWriteFromRadio() override;
    void AdjustForRadioOptions() override;
    void AfterWrite() override;
};

}  // namespace norda::ombra
