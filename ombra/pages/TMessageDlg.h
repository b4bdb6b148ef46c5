#pragma once

#include <functional>
#include <map>
#include <string>

#include <QDialog>
#include <QLabel>
#include <QPushButton>

#include "resources/ResourceModule.h"

namespace norda::ombra {

// The program's own message dialog (dialog 50): a caption, one text, the buttons of a
// Win32-style message style and its icon; returns the identifier of the pressed button.
// Style 32768 gives a window without buttons (the progress window's base).
class TMessageDlg : public QDialog {
    Q_OBJECT
  public:
    TMessageDlg(QWidget* owner, const ResourceModule& module, const QString& text,
                const QString& caption, int style);

    int Execute();
    QPushButton* Button(int id) const;
    QLabel* TextLabel() const { return text_; }
    int Style() const { return style_; }
    void SetText(const QString& text);

    // Shows a message modally and returns the pressed button.
    static int Show(QWidget* owner, const ResourceModule& module, const QString& text,
                    const QString& caption, int style);

    // Tests answer messages without a modal loop: the responder sees each message and
    // returns the button to press.
    struct Record {
        std::string text;
        std::string caption;
        int style;
    };
    using Responder = std::function<int(const Record&)>;
    static void SetResponder(Responder responder);

  protected:
    void reject() override;
    void showEvent(QShowEvent* e) override;
    // Makes room for `extraHeight` pixels below the text; returns where that room starts.
    int Relayout(int extraHeight);

  private:
    int style_;
    QLabel* icon_ = nullptr;
    QLabel* text_ = nullptr;
    std::map<int, QPushButton*> buttons_;
    std::vector<int> shown_;
    int extraHeight_ = 0;
};

}  // namespace norda::ombra
