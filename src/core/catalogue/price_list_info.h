#pragma once

#include <QDate>
#include <QString>

// Which price list the catalogue's prices come from: the built-in one, or one the
// user loaded from the maker's file.
struct PriceListInfo {
    QString name;   // as the file names itself, else the file's base name
    QDate date;     // the date in the file, else the file's; invalid where none is known
    QString source; // the file it was loaded from; empty for the built-in list

    bool isBuiltIn() const { return source.isEmpty(); }
    friend bool operator==(const PriceListInfo &, const PriceListInfo &) = default;
};

// "Встроенный прайс-лист".
QString BuiltInPriceListName();

// The date as people read it, "01.03.2025", or where no date is known the program's
// version the list came with: "версия 3.1".
QString PriceListDateText(const PriceListInfo &info);

// One line naming the list: "«Встроенный прайс-лист», версия 3.1",
// "«Прайс-лист 2025» от 01.03.2025".
QString PriceListTitle(const PriceListInfo &info);
