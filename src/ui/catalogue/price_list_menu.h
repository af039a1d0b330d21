#pragma once

class QAction;
class QMenu;
class QMenuBar;

// The main window's menu "Прайс-лист": load the maker's list, go back to the built-in
// one, and the catalogue window.
struct PriceListMenuActions {
    QMenu *menu = nullptr;
    QAction *load = nullptr;      // "Загрузить прайс-лист..."
    QAction *builtIn = nullptr;   // "Встроенный прайс-лист"
    QAction *catalogue = nullptr; // "Каталог изделий..."
};

// Adds the menu to the end of `bar`.
PriceListMenuActions AddPriceListMenu(QMenuBar *bar);
