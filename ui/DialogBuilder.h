#pragma once

#include <map>
#include <string_view>

#include <QDialog>
#include <QIcon>
#include <QString>

#include "resources/ResourceData.h"

namespace norda {

// Resource texts are UTF-8.
QString ToQString(std::string_view text);

// The picture of an icon control; the control's id names the icon resource.
using IconSource = QIcon (*)(int id);

const DialogControl* FindControl(const DialogTemplate& dialog, int id);

// Gives `parent` the template's caption and, when the template has one, its fixed size,
// and places the controls on it at their pixel positions. Controls with an id above 0 are
// returned by id and carry it as their object name. A radio button joins the group of the
// one before it unless it starts a group. Push buttons are wired to nothing and none is an
// auto-default: what they do is the dialog's business.
std::map<int, QWidget*> BuildControls(QWidget* parent, const DialogTemplate& dialog,
                                      IconSource icons);

// A modal dialog made from a template: button 1 accepts it, button 2 rejects it, and the
// template's default button is the one Enter presses.
class TemplateDialog : public QDialog {
    Q_OBJECT

  public:
    TemplateDialog(QWidget* parent, const DialogTemplate& dialog, IconSource icons);
    QWidget* Control(int id) const;

  protected:
    std::map<int, QWidget*> controls_;
};

}  // namespace norda
