#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Rows of result cells as a tab-separated table for the clipboard: cells joined by
// "\t", rows by "\n", so that a spreadsheet pastes one cell per column. A tab or a
// line break inside a cell becomes a space so the table keeps its shape.
QString ResultTableText(const QList<QStringList> &rows);
