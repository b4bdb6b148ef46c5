#pragma once

// Answers the modal windows that a command opens, one after the other, as a user at the
// screen would. The code that opens a modal window waits in that window's own event
// loop, so the answers come from a timer that runs there: each step waits until a modal
// window other than the one the step before acted on is up and ready, then acts on it
// (and may open the next one, whose step then runs inside).

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWidget>

namespace norda::test {

// The texts on the visible buttons of a window, sorted, mnemonics left out.
inline QStringList ButtonTexts(const QWidget& w) {
    QStringList texts;
    for (const QAbstractButton* b : w.findChildren<QAbstractButton*>())
        if (b->isVisible() && !b->text().isEmpty())
            texts << QString(b->text()).remove(QLatin1Char('&'));
    texts.sort();
    return texts;
}

class ModalScript {
  public:
    struct Step {
        // Whether the window on top is the one this step is for, and ready to be seen.
        std::function<bool(QWidget&)> ready;
        std::function<void(QWidget&)> act;
    };

    // Starts watching; the steps run from the event loop, so the command that opens the
    // first window is given after this.
    explicit ModalScript(std::vector<Step> steps) : state_(std::make_shared<State>()) {
        state_->steps = std::move(steps);
        state_->clock.start();
        Tick(state_);
    }
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;
    ~ModalScript() { state_->stopped = true; }

    // Every step has acted.
    bool Done() const { return state_->next == state_->steps.size(); }
    // A step whose window did not come within the bound: every modal window was closed
    // so that the test goes on, and fails.
    bool TimedOut() const { return state_->timedOut; }

  private:
    static constexpr int kPollMs = 10;
    // Only keeps a broken build from hanging the suite.
    static constexpr int kLimitMs = 60000;

    struct State {
        std::vector<Step> steps;
        size_t next = 0;
        QPointer<QWidget> last;
        QElapsedTimer clock;
        bool timedOut = false;
        bool stopped = false;
    };

    static void Tick(const std::shared_ptr<State>& state) {
        if (state->stopped || state->next == state->steps.size())
            return;
        // The next look is due before this step acts: its act may not return until a
        // later step has answered the window it opens.
        QTimer::singleShot(kPollMs, [state] { Tick(state); });
        QWidget* top = QApplication::activeModalWidget();
        if (state->clock.elapsed() > kLimitMs) {
            state->timedOut = true;
            state->stopped = true;
            for (int i = 0; i < 10; ++i)
                if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                    dialog->reject();
            return;
        }
        Step& step = state->steps[state->next];
        if (top == nullptr || top == state->last || !step.ready(*top))
            return;
        ++state->next;
        state->last = top;
        step.act(*top);
    }

    std::shared_ptr<State> state_;
};

}  // namespace norda::test
