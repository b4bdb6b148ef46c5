#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <QDialog>
#include <QLineEdit>

#include "resources/ResourceModule.h"
#include "ui/FieldCheck.h"

namespace norda::ombra {

// Base of the parameter pages and of the program's modal dialogs: controls from a dialog
// resource of the current language, transfer between controls and parameters, validation
// on leaving, centring, and the OK/Cancel rules that keep Enter and Escape from closing a page.
class TDataDlg : public QDialog {
    Q_OBJECT
  public:
    TDataDlg(QWidget* parent, int resourceId, const ResourceModule& module, bool isModal,
             bool okCloses, bool cancelCloses);
    ~TDataDlg() override;

    virtual void TransferFromDialog() {}
    virtual void TransferToDialog() {}
    virtual void PlaceDialog();
    virtual bool CanLeave();

    // Modal dialogs: set up and run; returns 1 (OK) or 2 (Cancel).
    int Execute();
    // Pages: set up and show as a child of the parent.
    void Create();

    QWidget* Control(int id) const;
    template <class T>
    T* Item(int id) const {
        return qobject_cast<T*>(Control(id));
    }
    // Binds an edit to its validator and sets its text limit (0: none).
    void Bind(int editId, std::unique_ptr<FieldCheck> check, int textLimit);
    void SetTextLimit(int editId, int textLimit);
    // Shows a value in an edit whole, even one wider than may be typed there: cut to the
    // limit it would be stored back as another value; whole, the field's check refuses it
    // when the page is left.
    void ShowText(QLineEdit* edit, const std::string& text);

    int ResourceId() const { return resourceId_; }
    bool IsModal() const { return isModal_; }
    bool OkCloses() const { return okCloses_; }
    bool CancelCloses() const { return cancelCloses_; }
    const ResourceModule& Module() const { return module_; }

    // Runs a command as if its button had been pressed (1 OK, 2 Cancel, or the page's own).
    virtual void Command(int id);

    // Tests drive modal dialogs without a modal loop: the hook gets the set-up dialog and
    // returns what Execute returns.
    using ExecuteHook = std::function<int(TDataDlg&)>;
    static void SetExecuteHook(ExecuteHook hook);

  protected:
    void keyPressEvent(QKeyEvent* e) override;
    void reject() override;
    void accept() override;
    void SetupOnce();

  private:
    struct Binding {
        int id;
        QLineEdit* edit;
        std::unique_ptr<FieldCheck> check;
    };

    int resourceId_;
    const ResourceModule& module_;
    bool isModal_;
    bool okCloses_;
    bool cancelCloses_;
    bool setUp_ = false;
    std::map<int, QWidget*> controls_;
    std::vector<Binding> bindings_;
    std::map<const QLineEdit*, int> limits_;
};

}  // namespace norda::ombra
