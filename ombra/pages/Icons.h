#pragma once

#include <QIcon>

namespace norda::ombra {

// Icon resources: 1001 the program, 1101-1104 stop, question, exclamation, information.
QIcon ResourceIcon(int id);

// The icon resource of a message style (bits 4-7), or 0 for none.
int MessageIconId(int style);

}  // namespace norda::ombra
