#pragma once

#include <QProgressBar>

#include "ombra/pages/TMessageDlg.h"

namespace norda {

// The progress window of the radio operations: the message dialog without buttons,
// caption "Port %d", one text, and a bar of the blocks transferred so far.
class TProgressWin final : public TMessageDlg {
    Q_OBJECT
  public:
    TProgressWin(QWidget* owner, const ResourceModule& module, int port, const QString& text);

    void SetProgress(int done, int total);
    QProgressBar* Bar() const { return bar_; }

  private:
    QProgressBar* bar_;
};

}  // namespace norda
