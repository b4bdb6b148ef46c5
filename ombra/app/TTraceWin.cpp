#include "ombra/app/TTraceWin.h"

#include <QDateTime>
#include <QFileDialog>
#include <QSaveFile>

#include "ombra/app/CommandRules.h"
#include "ombra/pages/TMessageDlg.h"
#include "resources/OmbraControlIds.h"

namespace norda::ombra {

namespace {
using enum TraceIds::Control;
constexpr int kMaxLines = 20000;

// "Name (*.x)|*.x|..." resource filters to Qt's ";;" form.
QString QtFilter(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split('|', Qt::SkipEmptyParts);
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        out << parts[i];
    return out.join(QStringLiteral(";;"));
}
}  // namespace

TTraceWin::TTraceWin(QWidget* parent, const ResourceModule& module)
    : TDataDlg(parent, TraceIds::kDialog, module, true, false, true),
      view_(Item<QPlainTextEdit>(kView)) {
    setModal(false);
    if (view_ == nullptr)
        view_ = new QPlainTextEdit(this);
    // One engine line is one line on screen, however long.
    view_->setLineWrapMode(QPlainTextEdit::NoWrap);
    view_->setMaximumBlockCount(kMaxLines);
    view_->setFont(QFont(QStringLiteral("Monospace")));
}

void TTraceWin::AppendLine(const QString& line) {
    view_->appendPlainText(QDateTime::currentDateTime().toString(QStringLiteral("HH:mm:ss.zzz ")) +
                           line);
}

QString TTraceWin::Contents() const {
    return view_->toPlainText();
}

bool TTraceWin::SaveTo(const QString& path) const {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    file.write(Contents().toUtf8());
    file.write("\n");
    return file.commit();
}

void TTraceWin::Command(int id) {
    if (id == kClear) {
        view_->clear();
    } else if (id == kSave) {
        const QString path = QFileDialog::getSaveFileName(this, windowTitle(), QString(),
                                                          QtFilter(Module().Text(904)));
        if (!path.isEmpty() && !SaveTo(path)) {
            TMessageDlg::Show(
                this, Module(),
                QString::fromStdString(FormatText(Module().Text(903), path.toStdString())),
                QString::fromStdString(Module().Text(602)), 48);
        }
    } else if (id == 2) {
        hide();
    } else {
        TDataDlg::Command(id);
    }
}

}  // namespace norda::ombra
