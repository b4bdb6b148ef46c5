#include "ui/FieldCheck.h"

namespace norda {

QValidator::State TQtFieldValidator::validate(QString& input, int&) const {
    const std::string typed = check_.AsTyped(input.toStdString());
    if (!check_.IsValidInput(typed))
        return Invalid;
    if (typed != input.toStdString())
        input = QString::fromStdString(typed);
    return Acceptable;
}

}  // namespace norda
