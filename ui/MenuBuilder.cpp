#include "ui/MenuBuilder.h"

#include <vector>

#include <QMenu>
#include <QMenuBar>

#include "ui/DialogBuilder.h"

namespace norda {

namespace {

void SetHint(QAction& action, const TextSource& hints, int id) {
    const std::string hint = hints.Text(id);
    if (!hint.empty())
        action.setStatusTip(QString::fromStdString(hint));
}

}  // namespace

void FillMenuBar(QMenuBar& bar, const MenuTemplate& menu, const TextSource& hints,
                 const std::function<void(QMenu&)>& popup,
                 const std::function<void(int id, QAction&)>& item) {
    std::vector<QMenu*> open;
    for (const MenuEntry& e : menu.entries) {
        const QString text = ToQString(e.text);
        switch (e.kind) {
            case MenuEntryKind::Popup: {
                QMenu* m = open.empty() ? bar.addMenu(text) : open.back()->addMenu(text);
                if (e.id != 0)
                    SetHint(*m->menuAction(), hints, e.id);
                popup(*m);
                open.push_back(m);
                break;
            }
            case MenuEntryKind::End:
                if (!open.empty())
                    open.pop_back();
                break;
            case MenuEntryKind::Separator:
                if (!open.empty())
                    open.back()->addSeparator();
                break;
            case MenuEntryKind::Item: {
                QAction* a = open.empty() ? bar.addAction(text) : open.back()->addAction(text);
                SetHint(*a, hints, e.id);
                item(e.id, *a);
                break;
            }
        }
    }
}

}  // namespace norda
