#pragma once

#include "ombra/ops/TProgWin.h"

namespace norda {

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
    void SelectFullRead() override;
    bool FullReadDone() override;
    void AfterRead() override;
    bool CanStartSequential() override;
    void AfterSequential() override;
    bool CheckWritePrecondition(bool report) override;
    void SelectPreRead() override;
    bool PreReadDone() override;
    void PrepareWriteFromRadio() override;
    int SelectWriteAreas() override;
    void AdjustForRadioOptions() override;
    void AfterWrite() override;
};

}  // namespace norda
