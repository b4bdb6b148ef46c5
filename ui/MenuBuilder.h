#pragma once

#include <functional>

#include "platform/TextSource.h"
#include "resources/ResourceData.h"

class QAction;
class QMenu;
class QMenuBar;

namespace norda {

// Fills `bar` from a menu template: popups (nested ones too), items and separators; an
// item outside every popup goes on the bar itself. Each item, and each popup that has a
// number, shows the text of its number in `hints` as its status-bar hint. The window
// wires what it gets: `popup` is called for every popup and `item` for every item, in
// the template's order.
void FillMenuBar(QMenuBar& bar, const MenuTemplate& menu, const TextSource& hints,
                 const std::function<void(QMenu&)>& popup,
                 const std::function<void(int id, QAction&)>& item);

}  // namespace norda
