#pragma once

#include <memory>
#include <string>
#include <vector>

#include <QLineEdit>

#include "ombra/pages/TDataDlg.h"
#include "ombra/pages/TMessageDlg.h"
#include "resources/ResourceModule.h"

namespace norda::ombra::testing {

inline const ResourceModule& Turkish() {
    static const auto module = ResourceModule::BuiltIn(OmbraBuiltinResources());
    return *module;
}

// The English library from the build's program folder, or nullptr.
inline const ResourceModule* English() {
    static const auto module = [] {
        int result = 0;
        return ResourceModule::Load(std::string(NORDA_LIBRARY_DIR) + "/OMBRA0009.DLL", "OMBRA",
                                    &result);
    }();
    return module.get();
}

// Records every message the code under test shows and answers it with `answer`.
class Messages {
  public:
    explicit Messages(int answer = 1) {
        TMessageDlg::SetResponder([this, answer](const TMessageDlg::Record& r) {
            shown.push_back(r);
            return answer;
        });
    }
    ~Messages() { TMessageDlg::SetResponder({}); }
    std::vector<TMessageDlg::Record> shown;
};

inline void Type(TDataDlg& dlg, int id, const std::string& text) {
    dlg.Item<QLineEdit>(id)->setText(QString::fromStdString(text));
}

// Keystrokes: one character after the other through the edit's limit and typing filter.
inline void Keys(TDataDlg& dlg, int id, const std::string& text) {
    QLineEdit* edit = dlg.Item<QLineEdit>(id);
    edit->clear();
    for (const QChar c : QString::fromStdString(text))
        edit->insert(QString(c));
}

inline std::string TextOf(TDataDlg& dlg, int id) {
    if (auto* e = dlg.Item<QLineEdit>(id))
        return e->text().toStdString();
    return {};
}

}  // namespace norda::ombra::testing
