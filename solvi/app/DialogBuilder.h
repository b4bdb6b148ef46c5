#pragma once

#include <QIcon>
#include <QString>
#include <string_view>

#include "resources/ResourceData.h"
#include "ui/DialogBuilder.h"

namespace norda {
class ResourceModule;
}  // namespace norda

namespace norda::solvi {

// The port panel's name for ToQString.
inline QString FromUtf8(std::string_view text) {
    return ToQString(text);
}

// SOLVI's one icon resource (1001), the program's, drawn rather than shipped as a file;
// every icon control of its dialogs shows it.
QIcon SolviIcon(int id = 1001);

// The built-in (Turkish) dialog; every id the program uses exists there.
const DialogTemplate& BuiltinDialog(int id);
// The module's dialog, or the built-in one when a language library lacks it.
const DialogTemplate& DialogOf(const ResourceModule& module, int id);

}  // namespace norda::solvi
