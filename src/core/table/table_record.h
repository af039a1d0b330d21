#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// One record of a point table, whatever the table was read from: a line of a CSV
// text, or a row of a spreadsheet's sheet.
struct TableRecord {
    QStringList fields;
    int line = 0; // the line (the sheet's row) the record starts on, from 1
    // The fields (from 0) whose cells are dates: a spreadsheet shows a number as a
    // date there, and a number column refuses it. Always empty for a CSV text.
    std::vector<int> dateFields{};

    bool isDate(int field) const
    {
        for (const int f : dateFields) {
            if (f == field)
                return true;
        }
        return false;
    }
};

// Where a field of a table stands, as messages name it: a line and a field number
// for a CSV text ("строка 3, столбец 2"), a cell for a sheet ("ячейка B3"). `field`
// counts from 1; 0 names the line (the row) alone.
enum class TablePlaces { Lines, Cells };
QString TablePlace(TablePlaces places, int line, int field);
// A sheet's column letters for a column from 1: 1 is "A", 27 "AA".
QString SheetColumnName(int column);
