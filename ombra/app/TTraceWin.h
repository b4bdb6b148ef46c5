#pragma once

#include <QPlainTextEdit>

#include "ombra/pages/TDataDlg.h"

namespace norda::ombra {

// The link engine's trace lines (dialog 58), kept while the window is closed and
// savable to a text file.
class TTraceWin final : public TDataDlg {
    Q_OBJECT
  public:
    TTraceWin(QWidget* parent, const ResourceModule& module);

    void AppendLine(const QString& line);
    QString Contents() const;
    // Writes the lines to `path`; false when the file cannot be written.
    bool SaveTo(const QString& path) const;
    void Command(int id) override;

  private:
    QPlainTextEdit* view_;
};

}  // namespace norda::ombra
