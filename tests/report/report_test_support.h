#pragma once

#include <QByteArray>
#include <QDir>
#include <QMap>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QXmlStreamReader>

#include "selection/sizing.h"

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

// The text of a PDF as pdftotext -layout lays it out, pages ending in a form feed;
// empty when pdftotext fails.
inline QString PdfText(const QString &pdfPath)
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"),
                    {QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"),
                     pdfPath, QStringLiteral("-")});
    if (!pdftotext.waitForFinished(30000) || pdftotext.exitCode() != 0)
        return {};
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

// One run through Size(): modes 1 and 3 with the range pmax..pmin in bar, modes 2 and
// 4 with pmax as the working pressure in `unit`; gates "111" and the like.
inline SizingOutcome Run(const ProductCatalogue &catalogue, int mode, double qmax, double qmin,
                         const QString &pmax, const QString &pmin = QStringLiteral("0"),
                         const QString &gates = QStringLiteral("111"), int unit = 0)
{
    SizingRequest request;
    request.mode = mode;
    request.qmaxStd = qmax;
    request.qminStd = qmin;
    request.families = {gates.at(0) == u'1', gates.at(1) == u'1', gates.at(2) == u'1'};
    request.range = mode == 1 || mode == 3;
    request.pmax = {pmax, unit};
    request.pmin = {pmin, unit};
    request.working = {pmax, unit};
    return Size(request, catalogue);
}

// A cabinet point of variant 1, every option group answered.
inline SizingOutcome CabinetRun(const ProductCatalogue &catalogue, CabinetKind kind,
                                const QString &qmax, const QString &qmin, const QString &pmax,
                                int pmaxUnit)
{
    SizingRequest request;
    request.mode = 5;
    request.cabinet = kind;
    request.options = {1, 1, 1, 1};
    request.entries = {qmax, qmin, pmax, QStringLiteral("0"), pmaxUnit, 0};
    return Size(request, catalogue);
}
