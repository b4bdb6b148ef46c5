#pragma once

// Plain data of a resource module: numbered strings, menus and dialog templates.
// The built-in Turkish module and the language libraries share these types; a
// library hands them over through one C entry point (see ResourceModule.h).

#include <cstddef>
#include <span>
#include <string_view>

#include "resources/StringTable.h"

namespace norda {

enum class MenuEntryKind {
    Popup,  // opens a submenu; its id is the id of its status-bar hint (0: none)
    End,    // closes the innermost open popup
    Item,   // a command
    Separator,
};

struct MenuEntry {
    MenuEntryKind kind;
    int id;
    std::string_view text;
};

struct MenuTemplate {
    int id;
    std::span<const MenuEntry> entries;
};

enum class ControlKind {
    Static,
    Edit,
    RadioButton,
    CheckBox,
    PushButton,
    DefPushButton,
    GroupBox,
    Icon,
    ListBox,
    TextView,  // read-only multi-line text
};

// Control flags.
inline constexpr int kCtlGroupStart = 1;  // a radio button that starts a new group
inline constexpr int kCtlHidden = 2;
inline constexpr int kCtlDisabled = 4;
inline constexpr int kCtlAlignRight = 8;
inline constexpr int kCtlAlignCenter = 16;

// Geometry is in pixels of the dialog's client area.
struct DialogControl {
    ControlKind kind;
    int id;
    std::string_view text;
    int x, y, w, h;
    int flags = 0;
};

struct DialogTemplate {
    int id;
    std::string_view title;
    int w, h;
    std::span<const DialogControl> controls;
};

inline constexpr int kResourceAbiVersion = 1;

struct ResourceModuleData {
    int abiVersion;
    std::string_view program;  // "OMBRA", "SOLVI": a library made for another program is refused
    std::span<const StringEntry> strings;
    std::span<const MenuTemplate> menus;
    std::span<const DialogTemplate> dialogs;
};

// The entry point every language library exports.
#define NORDA_RESOURCE_ENTRY NordaResourceModule
using ResourceEntryFn = const ResourceModuleData* (*)();

}  // namespace norda
