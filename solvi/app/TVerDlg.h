#pragma once

#include <QFrame>
#include <QString>
#include <map>
#include <string>

class QLabel;
class QPlainTextEdit;

namespace norda {
class TextSource;
}  // namespace norda

namespace norda::solvi {

// The version panel under the only port panel: the file's version and description and
// those read from the radio on that port.
class TVerDlg : public QFrame {
    Q_OBJECT

  public:
    TVerDlg(QWidget* parent, const TextSource& texts);

    void SetFileLines(const std::string& version, const std::string& description);
    void SetRadioLines(const std::string& version, const std::string& description);
    // Labels 1013 and 1014 in the current language.
    void RefreshTexts(const TextSource& texts);

    QString FileVersion() const;
    QString FileDescription() const;
    QString RadioVersion() const;
    QString RadioDescription() const;
    // Text 1013 as loaded, tabs included.
    QString FileLabel() const;

  private:
    std::map<int, QWidget*> controls_;
    QString fileLabel_;
};

}  // namespace norda::solvi
