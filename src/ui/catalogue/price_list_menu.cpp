#include "ui/catalogue/price_list_menu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

PriceListMenuActions AddPriceListMenu(QMenuBar *bar)
{
    PriceListMenuActions actions;
    actions.menu = bar->addMenu(QStringLiteral("Прайс-лист"));
    actions.menu->setObjectName(QStringLiteral("PriceListMenu"));
    const auto add = [&actions](const char *name, const QString &text) {
        QAction *action = actions.menu->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    actions.load = add("PriceListLoadAction", QStringLiteral("Загрузить прайс-лист..."));
    actions.builtIn = add("PriceListBuiltInAction", QStringLiteral("Встроенный прайс-лист"));
    actions.menu->addSeparator();
    actions.catalogue = add("CatalogueAction", QStringLiteral("Каталог изделий..."));
    return actions;
}
