#pragma once

#include <QByteArray>
#include <QDir>
#include <QMap>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QXmlStreamReader>

// Reading the written files back through the tools a user's machine has.

// One member of a zip file (unzip -p); empty when unzip fails.
inline QByteArray Unzipped(const QString &zipPath, const QString &member)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), zipPath, member});
    if (!unzip.waitForFinished(30000) || unzip.exitCode() != 0)
        return {};
    return unzip.readAllStandardOutput();
}

// One cell of a sheet: "n" for a number, "s" for a shared text; the number or the text.
struct SheetCell {
    QString type;
    QString value;
};

// The cells of the first sheet of a workbook by reference ("A1", ...).
inline QMap<QString, SheetCell> SheetCells(const QString &xlsxPath)
{
    QStringList shared;
    QXmlStreamReader strings(Unzipped(xlsxPath, QStringLiteral("xl/sharedStrings.xml")));
    while (!strings.atEnd()) {
        if (strings.readNext() == QXmlStreamReader::StartElement && strings.name() == u"t")
            shared << strings.readElementText();
    }
    QMap<QString, SheetCell> cells;
    QXmlStreamReader sheet(Unzipped(xlsxPath, QStringLiteral("xl/worksheets/sheet1.xml")));
    QString reference;
    SheetCell cell;
    while (!sheet.atEnd()) {
        sheet.readNext();
        if (!sheet.isStartElement())
            continue;
        if (sheet.name() == u"c") {
            reference = sheet.attributes().value(QStringLiteral("r")).toString();
            cell.type = sheet.attributes().value(QStringLiteral("t")).toString();
            if (cell.type.isEmpty())
                cell.type = QStringLiteral("n");
        } else if (sheet.name() == u"v") {
            cell.value = sheet.readElementText();
            if (cell.type == u"s")
                cell.value = shared.value(cell.value.toInt());
            cells.insert(reference, cell);
        }
    }
    return cells;
}

// The entries of a folder, for checking that a failed write left nothing behind.
inline QStringList FolderEntries(const QString &path)
{
    return QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}
