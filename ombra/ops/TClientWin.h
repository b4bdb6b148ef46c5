#pragma once

#include "ombra/ops/TProgWin.h"

namespace norda::ombra {

// The client window the application creates: OMBRA's own answers to the
// transfer machine's hooks (what a read covers, the write preparations, the
// editor state after each operation).
class TClientWin : public TProgWin {
  public:
    using TProgWin::TProgWin;

    // Programming date as the radio keeps it: bits 0-6 year - 1994, bits 7-10
    // month, bits 11-15 day.
    static uint16_t PackDate(const LocalDate& date);
    // The selective-call digit rule of a write: may empty the last place of
    // the number and lower the user-selectable digit count.
    static void ApplySelectiveCallRule(RadioParameters& parameters);

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
