#include "ui/FieldCheck.h"

namespace norda {

QValidator::State TQtFieldValidator::validate(QString& input, int&) const {
    return check_.IsValidInput(input.toStdString()) ? Acceptable : Invalid;
}

}  // namespace norda
