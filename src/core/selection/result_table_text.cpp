#include "core/selection/result_table_text.h"

namespace {
QString CellText(QString cell)
{
    for (QChar &ch : cell)
        if (ch == u'\t' || ch == u'\n' || ch == u'\r')
            ch = u' ';
    return cell;
}
} // namespace

QString ResultTableText(const QList<QStringList> &rows)
{
    QStringList lines;
    lines.reserve(rows.size());
    for (const QStringList &row : rows) {
        QStringList cells;
        cells.reserve(row.size());
        for (const QString &cell : row)
            cells << CellText(cell);
        lines << cells.join(u'\t');
    }
    return lines.join(u'\n');
}
