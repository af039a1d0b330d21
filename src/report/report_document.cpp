#include "report/report_document.h"

#include <QTextDocument>
#include <QTextTable>

namespace {

void Write(QTextTable *table, int row, int column, const QString &text, const QTextCharFormat &format,
           Qt::Alignment alignment = Qt::AlignLeft)
{
    QTextCursor cell = table->cellAt(row, column).firstCursorPosition();
    QTextBlockFormat block;
    block.setAlignment(alignment);
    cell.setBlockFormat(block);
    cell.insertText(ReportText(text), format);
}

} // namespace

QString ReportText(const QString &text)
{
    return ShortenedText(text, LongestReportText);
}

QFont ReportFont()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(BodyPoints);
    return font;
}

QTextCharFormat Characters(qreal points, bool bold)
{
    QTextCharFormat format;
    format.setFontPointSize(points);
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    return format;
}

ReportWriter::ReportWriter(QTextDocument &document) : cursor_(&document) {}

void ReportWriter::paragraph(const QString &text, const QTextCharFormat &format, qreal topMargin)
{
    QTextBlockFormat block;
    block.setTopMargin(topMargin);
    if (first_) {
        cursor_.setBlockFormat(block);
        first_ = false;
    } else {
        cursor_.insertBlock(block);
    }
    cursor_.setCharFormat(format);
    cursor_.insertText(ReportText(text), format);
}

void ReportWriter::heading(const QString &text)
{
    paragraph(text, Characters(HeadingPoints, true), 8);
}

void ReportWriter::lines(const std::vector<ReportLine> &lines)
{
    if (lines.empty())
        return;
    QTextTableFormat format;
    format.setBorderStyle(QTextFrameFormat::BorderStyle_None);
    format.setBorder(0);
    format.setCellPadding(1);
    format.setCellSpacing(0);
    QTextTable *table = insertTable(static_cast<int>(lines.size()), 2, format);
    const QTextCharFormat text = Characters(BodyPoints);
    QTextTableCellFormat captionCell;
    captionCell.setRightPadding(6);
    for (int row = 0; row < table->rows(); ++row) {
        table->cellAt(row, 0).setFormat(captionCell);
        const ReportLine &line = lines[static_cast<std::size_t>(row)];
        Write(table, row, 0, line.caption + (line.equation ? QStringLiteral(" =") : QStringLiteral(":")), text);
        Write(table, row, 1, line.unit.isEmpty() ? line.text : line.text + QLatin1Char(' ') + line.unit, text);
    }
}

QTextTable *ReportWriter::grid(const QStringList &header, const std::vector<QStringList> &rows,
                        const QList<qreal> &shares, const QList<Qt::Alignment> &alignments,
                        const std::vector<bool> &bold)
{
    QTextTableFormat format;
    format.setHeaderRowCount(1);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setBorder(0.5);
    format.setBorderBrush(Qt::black);
    format.setBorderCollapse(true);
    format.setCellPadding(2);
    format.setCellSpacing(0);
    format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    QList<QTextLength> widths;
    for (const qreal share : shares)
        widths << QTextLength(QTextLength::PercentageLength, share);
    format.setColumnWidthConstraints(widths);

    QTextTable *table = insertTable(static_cast<int>(rows.size()) + 1, static_cast<int>(header.size()), format);
    const QTextCharFormat strong = Characters(TablePoints, true);
    const QTextCharFormat plain = Characters(TablePoints);
    QTextTableCellFormat shaded;
    shaded.setBackground(QColor(0xe8, 0xe8, 0xe8));
    for (int column = 0; column < header.size(); ++column) {
        table->cellAt(0, column).setFormat(shaded);
        Write(table, 0, column, header[column], strong, Qt::AlignHCenter);
    }
    for (int row = 1; row < table->rows(); ++row) {
        const auto index = static_cast<std::size_t>(row - 1);
        const QStringList &texts = rows[index];
        const QTextCharFormat &format = index < bold.size() && bold[index] ? strong : plain;
        for (int column = 0; column < texts.size(); ++column)
            Write(table, row, column, texts[column], format, alignments.value(column, Qt::AlignLeft));
    }
    return table;
}

QTextTable *ReportWriter::insertTable(int rows, int columns, const QTextTableFormat &format)
{
    if (first_)
        first_ = false;
    else
        cursor_.insertBlock();
    QTextTable *table = cursor_.insertTable(rows, columns, format);
    cursor_.movePosition(QTextCursor::End);
    return table;
}
