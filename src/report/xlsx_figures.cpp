#include "report/xlsx_figures.h"

#include "core/input/number_text.h"

XlsxTable FiguresSheet(const QString &sheetName, const QStringList &header, const QList<QStringList> &rows,
                       const std::function<bool(int column)> &isNumber, QChar separator)
{
    XlsxTable table{sheetName, header, {}};
    table.rows.reserve(static_cast<std::size_t>(rows.size()));
    for (const QStringList &row : rows) {
        QVariantList cells;
        for (int column = 0; column < row.size(); ++column) {
            const QString &text = row[column];
            const std::optional<double> number = isNumber(column) ? ReadNumber(text, separator) : std::nullopt;
            if (text.isEmpty())
                cells << QVariant();
            else if (number)
                cells << *number;
            else
                cells << text;
        }
        table.rows.push_back(cells);
    }
    return table;
}
