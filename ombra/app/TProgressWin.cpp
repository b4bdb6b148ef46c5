#include "ombra/app/TProgressWin.h"

#include "ombra/pages/MessageLayout.h"

namespace norda::ombra {

namespace {
constexpr int kBarHeight = 18;
constexpr int kBarMargin = 12;
}  // namespace

TProgressWin::TProgressWin(QWidget* owner, const ResourceModule& module, const QString& caption,
                           const QString& text)
    : TMessageDlg(owner, module, text, caption, kMessageNoButtons), bar_(new QProgressBar(this)) {
    setModal(false);
    setWindowFlag(Qt::WindowCloseButtonHint, false);
    bar_->setRange(0, 1);
    bar_->setValue(0);
    bar_->setTextVisible(true);
    const int top = Relayout(kBarHeight + kBarMargin);
    bar_->setGeometry(kBarMargin, top + 2, width() - 2 * kBarMargin, kBarHeight);
}

void TProgressWin::SetProgress(int done, int total) {
    if (total <= 0)
        return;
    bar_->setRange(0, total);
    bar_->setValue(std::min(done, total));
}

}  // namespace norda::ombra
