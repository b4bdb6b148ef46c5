#pragma once

#include <QLineEdit>

#include "ombra/pages/TDataDlg.h"

namespace norda::ombra {

// Labels such as "Sistem Kimliği                :" pad with blanks to bring their colons
// into one column in the font they were written for. The page draws their colon at the
// label's right edge instead, so that the colons line up in any font; the text stays as it is.
void AlignLabelColons(TDataDlg& page);

// Names and status texts show at once what the radio keeps: typed letters turn upper
// case (plain ASCII, as the radio's seven-bit characters have it).
void UpperCaseWhileTyping(QLineEdit* edit);

}  // namespace norda::ombra
