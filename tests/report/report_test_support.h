#pragma once

#include "core/sizing/sizing.h"
#include "zip_member.h"

#include <QByteArray>
#include <QDir>
#include <QMap>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QXmlStreamReader>

#include <clocale>

// The written files read back (workbooks with zlib, PDFs through pdftotext), and the
// runs the report tests write.

// What a tool printed for the arguments; empty when it fails.
inline QByteArray ToolOutput(const QString &tool, const QStringList &arguments)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return process.readAllStandardOutput();
}

inline QByteArray Unzipped(const QString &zipPath, const QString &member)
{
    return ZipMember(zipPath, member);
}

// pdftotext is a Linux program, which a Windows test program under Wine cannot wait
// for; the Linux build reads the same PDFs, so the Windows run skips what needs it.
#ifdef Q_OS_WIN
#define SKIP_WITHOUT_PDFTOTEXT() QSKIP("pdftotext does not run from a Windows program; the Linux run reads this PDF")
#else
#define SKIP_WITHOUT_PDFTOTEXT() static_cast<void>(0)
#endif

// pdftotext -layout: each page ends in a form feed.
inline QString PdfText(const QString &pdfPath)
{
    return QString::fromUtf8(ToolOutput(QStringLiteral("pdftotext"),
                                        {QStringLiteral("-layout"), pdfPath, QStringLiteral("-")}));
}

// One cell: type "n" (number) or "s" (text, shared or inline), and the number or the text;
// a formula's text and its cached value; the index of its format in the styles.
struct SheetCell {
    QString type;
    QString value;
    QString formula;
    int style = 0;
};

// The cells of a sheet (the first by default) by reference ("A1", ...).
inline QMap<QString, SheetCell> SheetCells(const QString &xlsxPath, int sheetNumber = 1)
{
    QStringList shared;
    QXmlStreamReader strings(Unzipped(xlsxPath, QStringLiteral("xl/sharedStrings.xml")));
    while (!strings.atEnd()) {
        if (strings.readNext() == QXmlStreamReader::StartElement && strings.name() == u"t")
            shared << strings.readElementText();
    }
    QMap<QString, SheetCell> cells;
    QXmlStreamReader sheet(
        Unzipped(xlsxPath, QStringLiteral("xl/worksheets/sheet%1.xml").arg(sheetNumber)));
    QString reference;
    SheetCell cell;
    while (!sheet.atEnd()) {
        if (sheet.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (sheet.name() == u"c") {
            cell = {};
            reference = sheet.attributes().value(QStringLiteral("r")).toString();
            cell.type = sheet.attributes().value(QStringLiteral("t")).toString();
            cell.style = sheet.attributes().value(QStringLiteral("s")).toInt();
            if (cell.type.isEmpty())
                cell.type = QStringLiteral("n");
        } else if (sheet.name() == u"f") {
            cell.formula = sheet.readElementText();
        } else if (sheet.name() == u"v") {
            cell.value = sheet.readElementText();
            if (cell.type == u"s")
                cell.value = shared.value(cell.value.toInt());
            cells.insert(reference, cell);
        } else if (sheet.name() == u"t" && cell.type == u"inlineStr") {
            cells.insert(reference, {QStringLiteral("s"), sheet.readElementText(), {}, cell.style});
        }
    }
    return cells;
}

// The process's C locale for the life of one test, put back afterwards.
class ProcessLocale {
public:
    explicit ProcessLocale(const char *name) : before_(std::setlocale(LC_ALL, nullptr))
    {
        set_ = std::setlocale(LC_ALL, name) != nullptr;
    }
    ~ProcessLocale() { std::setlocale(LC_ALL, before_.constData()); }
    bool isSet() const { return set_; }

private:
    QByteArray before_;
    bool set_ = false;
};

inline QStringList FolderEntries(const QString &path)
{
    return QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

// Modes 1 and 3 with the range pmax..0, modes 2 and 4 with pmax as the working
// pressure; the unit list index and the gates ("111", ...) of the choice.
inline SizingOutcome Run(const ProductCatalogue &catalogue, int mode, double qmax, double qmin,
                         const QString &pmax, const QString &gates = QStringLiteral("111"),
                         int unit = 0)
{
    SizingRequest request;
    request.mode = mode;
    request.qmaxStd = qmax;
    request.qminStd = qmin;
    request.families = {gates.at(0) == u'1', gates.at(1) == u'1', gates.at(2) == u'1'};
    request.range = mode == 1 || mode == 3;
    request.pmax = request.working = {pmax, unit};
    request.pmin = {QStringLiteral("0"), unit};
    return Size(request, catalogue);
}
