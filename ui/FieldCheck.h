#pragma once

#include <string>

#include <QValidator>

#include "platform/TextSource.h"

namespace norda {

// What a dialog needs of an edit field's validator: the typing filter, the whole-text
// check and the text that explains a refusal. Texts are UTF-8.
class FieldCheck {
  public:
    virtual ~FieldCheck() = default;
    // May the field hold this text while the user is typing?
    virtual bool IsValidInput(const std::string& text) const = 0;
    // The text as the field takes it from the keyboard (a decimal comma as the point).
    virtual std::string AsTyped(const std::string& text) const { return text; }
    // Is the whole text acceptable when the field is left?
    virtual bool IsValid(const std::string& text) = 0;
    virtual std::string ErrorText(const TextSource& texts) const = 0;
};

// Typing filter of a bound edit: refuses a keystroke that the field's check would not let
// in, and shows a keystroke the field takes in another form as taken.
class TQtFieldValidator final : public QValidator {
  public:
    TQtFieldValidator(FieldCheck& check, QObject* parent) : QValidator(parent), check_(check) {}
    State validate(QString& input, int& pos) const override;

  private:
    FieldCheck& check_;
};

}  // namespace norda
