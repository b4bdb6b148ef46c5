#pragma once

#include <QProgressBar>

#include "ombra/pages/TMessageDlg.h"

namespace norda::ombra {

// The progress window of the radio operations: the message dialog without buttons,
// one text under a caption ("Port %d"), and a bar of the blocks transferred so far.
class TProgressWin final : public TMessageDlg {
    Q_OBJECT
  public:
    TProgressWin(QWidget* owner, const ResourceModule& module, const QString& caption,
                 const QString& text);

    void SetProgress(int done, int total);
    QProgressBar* Bar() const { return bar_; }

  private:
    QProgressBar* bar_;
};

}  // namespace norda::ombra
