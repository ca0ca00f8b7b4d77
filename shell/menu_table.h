#pragma once
// The main window's menu tree and its caption string table. The strings are
// numbered as they always were: English 100 + offset, Japanese 500 + offset.
#include <QList>
#include <QString>

namespace Menus {

enum Flag : unsigned {
    Separator = 1,
    Disabled = 2,  // greyed from the start and never enabled
    Hidden = 4,    // hidden at start-up
};

struct Item {
    const char* name;
    const char* parent;  // "" for a top-level menu
    const char* shortcut;
    int offset;  // -1: the caption is the same in both languages
    const char* english;
    const char* japanese;
    unsigned flags = 0;
};

// In their order on screen.
const QList<Item>& items();
const Item* find(const QString& name);

// 100 for exactly "English", 500 for anything else.
int languageBase(const QString& menuLanguage);
// The string with that id; "" for an id outside the table.
QString text(int id);
// What the item shows for that language (its fixed caption without offset).
QString caption(const Item& item, const QString& menuLanguage);

}  // namespace Menus
