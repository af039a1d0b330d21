#include "core/table/table_record.h"

QString SheetColumnName(int column)
{
    QString name;
    for (; column > 0; column = (column - 1) / 26)
        name.prepend(QChar(u'A' + (column - 1) % 26));
    return name;
}

QString TablePlace(TablePlaces places, int line, int field)
{
    if (field <= 0)
        return QStringLiteral("строка %1").arg(line);
    if (places == TablePlaces::Cells)
        return QStringLiteral("ячейка %1%2").arg(SheetColumnName(field)).arg(line);
    return QStringLiteral("строка %1, столбец %2").arg(line).arg(field);
}
