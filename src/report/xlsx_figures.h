#pragma once

#include "report/xlsx_table.h"

#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// A table of texts as one sheet whose columns of figures are numeric cells: a figure
// written with `separator` is read back by the reading rule; any other text (such as
// "договорная") stays text, and an empty text an empty cell.
XlsxTable FiguresSheet(const QString &sheetName, const QStringList &header, const QList<QStringList> &rows,
                       const std::function<bool(int column)> &isNumber, QChar separator);
