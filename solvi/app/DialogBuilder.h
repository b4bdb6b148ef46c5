#pragma once

#include <QDialog>
#include <QIcon>
#include <QString>
#include <map>
#include <string_view>

#include "resources/ResourceData.h"

class QWidget;

namespace norda {

inline QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The program's icon (resource 1001), drawn rather than shipped as a file.
QIcon SolviIcon();

class ResourceModule;

// The built-in (Turkish) dialog; every id the program uses exists there.
const DialogTemplate& BuiltinDialog(int id);
// The module's dialog, or the built-in one when a language library lacks it.
const DialogTemplate& DialogOf(const ResourceModule& module, int id);

const DialogControl* FindControl(const DialogTemplate& dialog, int id);

// Places the template's controls on parent at their pixel positions. Controls with an
// id above 0 are returned by id; push buttons 1 and 2 accept and reject when parent is a
// dialog.
std::map<int, QWidget*> BuildControls(QWidget* parent, const DialogTemplate& dialog);

// A modal dialog made from a template: fixed size, the template's caption.
class TemplateDialog : public QDialog {
    Q_OBJECT

  public:
    TemplateDialog(QWidget* parent, const DialogTemplate& dialog);
    QWidget* Control(int id) const;

  protected:
    std::map<int, QWidget*> controls_;
};

}  // namespace norda
