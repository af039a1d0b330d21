#pragma once

#include "report/report_content.h"

#include <QFont>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTextCharFormat>
#include <QTextCursor>

#include <vector>

class QTextDocument;
class QTextTable;
class QTextTableFormat;

// The report's texts in a QTextDocument: its fonts and sizes, and the pieces every
// report document is made of.

// Point sizes of the report's texts.
inline constexpr qreal BodyPoints = 9;
inline constexpr qreal TablePoints = 7.5;
inline constexpr qreal TitlePoints = 14;
inline constexpr qreal HeadingPoints = 10.5;
inline constexpr qreal NotePoints = 7.5;

// The longest text the report lays out in one piece: Qt's line breaking takes time
// growing with the square of an unbroken text's length, so a longer one (an id of a
// megabyte) is cut to this many characters, the last being "…".
inline constexpr qsizetype LongestReportText = 1000;
QString ReportText(const QString &text);

QFont ReportFont();
QTextCharFormat Characters(qreal points, bool bold = false);

// Appends paragraphs and tables to a document, one after the other.
class ReportWriter {
public:
    explicit ReportWriter(QTextDocument &document);

    void paragraph(const QString &text, const QTextCharFormat &format, qreal topMargin = 0);
    void heading(const QString &text);
    // Caption and value side by side, without rules.
    void lines(const std::vector<ReportLine> &lines);
    // A ruled table over the whole width: a shaded bold header row, then the rows;
    // each column takes its share of the width (percent) and its alignment. A row
    // whose `bold` entry is true is set in bold (none when `bold` is empty). The
    // table, for a caller that formats some of its cells further.
    QTextTable *grid(const QStringList &header, const std::vector<QStringList> &rows,
              const QList<qreal> &shares, const QList<Qt::Alignment> &alignments,
              const std::vector<bool> &bold = {});

private:
    QTextTable *insertTable(int rows, int columns, const QTextTableFormat &format);

    QTextCursor cursor_;
    bool first_ = true;
};
