#pragma once

#include <string>
#include <vector>

namespace norda::ombra {

// How serious a message is; each host picks its own way to show it (an icon, a prefix,
// an exit code).
enum class Severity {
    Info,     // for the operator's information: a success, or a warning that changes nothing
    Warning,  // a question before something is lost
    Failure,  // the operation did not do what was asked
    Fault,    // the port itself misbehaved
};

// Whose message it is: the main window's, or the sequential-programming dialog's while
// that dialog runs.
enum class MessageOwner { MainWindow, SequentialDialog };

// One message of the machine, as text numbers; the host loads the texts.
struct OperationMessage {
    OperationMessage() = default;
    OperationMessage(int text, int caption, Severity level, std::string said = {})
        : textId(text), captionId(caption), severity(level), detail(std::move(said)) {}

    int textId = 0;  // 0: none
    int captionId = 0;
    Severity severity = Severity::Info;
    // Shown after the text: what the system said, the device it said it of.
    std::string detail;
    // A text and caption that have no number, given as they are (used when the ids are 0).
    std::string text;
    std::string caption;
};

// The operation a pre-read started: the record of a radio names it.
enum class Operation { None, Read, Write, Copy, SequenceRadio };

// How an operation stopped, made once, when it stops. By the time a host hears of it the
// machine's poll has returned, the port is left alone and the progress window is closed:
// the host may show it modally, map it to an exit code or log it.
struct OperationEnd {
    enum class Outcome {
        Completed,  // the operation did all it was asked
        Failed,     // it stopped short (the message says why)
        Refused,    // it never started: nothing went over the line
    };
    Outcome outcome = Outcome::Completed;
    Operation operation = Operation::None;
    MessageOwner owner = MessageOwner::MainWindow;
    // Warnings of a completed read (areas found unprogrammed), shown before `message`.
    std::vector<OperationMessage> notices;
    // The message that ends it; textId 0 when it ends without a word.
    OperationMessage message;

    bool Succeeded() const { return outcome == Outcome::Completed; }
};

}  // namespace norda::ombra
