#pragma once

#include <map>

#include <QString>
#include <QWidget>

#include "resources/ResourceData.h"

namespace norda {

QString ToQString(std::string_view text);

// Creates the controls of a dialog template as children of `dialog` (which gets the
// template's size and title) and records the numbered ones in `controls`.
void BuildControls(QWidget* dialog, const DialogTemplate& tpl, std::map<int, QWidget*>& controls);

}  // namespace norda
