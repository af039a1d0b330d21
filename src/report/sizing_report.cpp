#include "report/sizing_report.h"

#include "report/file_error.h"
#include "report/output_file.h"
#include "report/report_content.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QScreen>
#include <QTextCursor>
#include <QTextTable>

namespace {

// Point sizes of the report's texts.
constexpr qreal BodyPoints = 9;
constexpr qreal TablePoints = 7.5;
constexpr qreal TitlePoints = 14;
constexpr qreal HeadingPoints = 10.5;
constexpr qreal NotePoints = 7.5;

// Share of the page width of each candidate column, in percent.
constexpr qreal CandidateColumnWidths[] = {5, 23, 6, 7, 7, 9, 9, 14, 10, 10};

QFont ReportFont()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(BodyPoints);
    return font;
}

QTextCharFormat Characters(qreal points, bool bold = false)
{
    QTextCharFormat format;
    format.setFontPointSize(points);
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    return format;
}

class ReportWriter {
public:
    explicit ReportWriter(QTextDocument &document) : cursor_(&document) {}

    void paragraph(const QString &text, const QTextCharFormat &format, qreal topMargin = 0)
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
        cursor_.insertText(text, format);
    }

    void heading(const QString &text) { paragraph(text, Characters(HeadingPoints, true), 8); }

    // Caption and value side by side, without rules.
    void lines(const std::vector<ReportLine> &lines)
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
            write(table, row, 0, line.caption + (line.equation ? QStringLiteral(" =") : QStringLiteral(":")), text);
            write(table, row, 1,
                  line.unit.isEmpty() ? line.text : line.text + QLatin1Char(' ') + line.unit, text);
        }
    }

    void candidates(const QStringList &header, const std::vector<Candidate> &rows)
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
        for (const qreal share : CandidateColumnWidths)
            widths << QTextLength(QTextLength::PercentageLength, share);
        format.setColumnWidthConstraints(widths);

        QTextTable *table = insertTable(static_cast<int>(rows.size()) + 1,
                                        static_cast<int>(header.size()), format);
        const QTextCharFormat bold = Characters(TablePoints, true);
        const QTextCharFormat plain = Characters(TablePoints);
        QTextTableCellFormat shaded;
        shaded.setBackground(QColor(0xe8, 0xe8, 0xe8));
        for (int column = 0; column < header.size(); ++column) {
            table->cellAt(0, column).setFormat(shaded);
            write(table, 0, column, header[column], bold, Qt::AlignHCenter);
        }
        for (int row = 1; row < table->rows(); ++row) {
            const QStringList texts = CandidateTexts(rows[static_cast<std::size_t>(row - 1)]);
            for (int column = 0; column < texts.size(); ++column)
                write(table, row, column, texts[column], plain,
                      column == 1 ? Qt::AlignLeft : Qt::AlignRight);
        }
    }

private:
    QTextTable *insertTable(int rows, int columns, const QTextTableFormat &format)
    {
        if (first_) {
            first_ = false;
        } else {
            cursor_.insertBlock();
        }
        QTextTable *table = cursor_.insertTable(rows, columns, format);
        cursor_.movePosition(QTextCursor::End);
        return table;
    }

    static void write(QTextTable *table, int row, int column, const QString &text,
                      const QTextCharFormat &format, Qt::Alignment alignment = Qt::AlignLeft)
    {
        QTextCursor cell = table->cellAt(row, column).firstCursorPosition();
        QTextBlockFormat block;
        block.setAlignment(alignment);
        cell.setBlockFormat(block);
        cell.insertText(text, format);
    }

    QTextCursor cursor_;
    bool first_ = true;
};

void WriteReport(QTextDocument &document, const SizingOutcome &outcome,
                 const ProductCatalogue &catalogue)
{
    const ReportContent content = CollectReport(outcome, catalogue);
    ReportWriter out(document);
    out.paragraph(ReportTitle(), Characters(TitlePoints, true));
    out.paragraph(content.category, Characters(HeadingPoints, true), 2);
    out.paragraph(QStringLiteral("Дата и время подбора: %1").arg(content.when), Characters(BodyPoints), 2);
    out.paragraph(QStringLiteral("Программа: %1").arg(ProgramLine()), Characters(BodyPoints));

    out.heading(QStringLiteral("Выбор"));
    out.lines(content.choice);
    out.heading(QStringLiteral("Исходные данные"));
    out.lines(content.input);
    if (!content.error.isEmpty()) {
        out.paragraph(content.error, Characters(BodyPoints, true), 6);
    } else {
        out.heading(QStringLiteral("Рабочие данные"));
        out.lines(content.working);
        if (!content.warning.isEmpty())
            out.paragraph(content.warning, Characters(BodyPoints, true), 4);

        if (outcome.possible.empty() && outcome.optimal.empty()) {
            out.heading(QStringLiteral("Результат подбора"));
            out.paragraph(content.noFit, Characters(BodyPoints, true), 2);
        } else {
            out.heading(OptimalTitle());
            out.candidates(content.header, outcome.optimal);
            const QString overflow = OptimalOverflowNote(outcome.optimal.size());
            if (!overflow.isEmpty())
                out.paragraph(overflow, Characters(NotePoints), 2);
            out.heading(PossibleTitle());
            out.candidates(content.header, outcome.possible);
        }
    }
    out.paragraph(ReportFootnote(), Characters(NotePoints), 10);
}

// Lays the document out for the device and paints its pages from the painter's
// current page on, each with its number at the foot.
void PaintPages(const QTextDocument &source, QPagedPaintDevice &device, QPainter &painter)
{
    const std::unique_ptr<QTextDocument> document(source.clone());
    QAbstractTextDocumentLayout *layout = document->documentLayout();
    layout->setPaintDevice(&device);

    const QFont footFont = document->defaultFont();
    const QFontMetricsF foot(footFont, &device);
    const qreal width = device.width();
    const qreal height = device.height();
    const qreal pageHeight = height - 2 * foot.height();
    document->setPageSize(QSizeF(width, pageHeight));
    const int pages = document->pageCount();

    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            device.newPage();
        const QRectF view(0, page * pageHeight, width, pageHeight);
        painter.save();
        painter.translate(0, -view.top());
        painter.setClipRect(view);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = view;
        context.palette.setColor(QPalette::Text, Qt::black);
        layout->draw(&painter, context);
        painter.restore();

        painter.setFont(footFont);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(0, height - foot.height(), width, foot.height()),
                         Qt::AlignRight | Qt::AlignBottom,
                         QStringLiteral("Стр. %1 из %2").arg(page + 1).arg(pages));
    }
}

// The resolution a document without a paint device is laid out at.
qreal ScreenDpi()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchY() : 96;
}

} // namespace

QPageLayout ReportPageLayout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 12, 12, 12),
                       QPageLayout::Millimeter);
}

std::unique_ptr<QTextDocument> BuildReportDocument(const SizingOutcome &outcome,
                                                   const ProductCatalogue &catalogue)
{
    auto document = std::make_unique<QTextDocument>();
    document->setDefaultFont(ReportFont());
    document->setDocumentMargin(0); // the page layout holds the margins
    document->setMetaInformation(QTextDocument::DocumentTitle,
                                 ReportTitle() + QStringLiteral(" — ") + outcome.categoryCaption);
    const QRectF body = ReportPageLayout().paintRect(QPageLayout::Point);
    const qreal scale = ScreenDpi() / 72.0;
    document->setPageSize(body.size() * scale);
    WriteReport(*document, outcome, catalogue);
    return document;
}

bool PaintReport(const QTextDocument &document, QPagedPaintDevice &device)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    PaintPages(document, device, painter);
    return painter.end();
}

bool WriteReportPdf(const QString &path, const std::vector<SizingOutcome> &outcomes,
                    const ProductCatalogue &catalogue, QString *error)
{
    const auto fail = [&](const QString &reason) {
        if (error)
            *error = FileWriteError(path, reason);
        return false;
    };
    if (outcomes.empty())
        return fail(QStringLiteral("нет ни одного подбора"));
    OutputFile file(path);
    if (!file.open())
        return fail(file.errorString());
    {
        QPdfWriter pdf(&file.device());
        pdf.setPageLayout(ReportPageLayout());
        pdf.setResolution(600);
        pdf.setCreator(ProgramLine());
        pdf.setTitle(ReportTitle());
        QPainter painter;
        if (!painter.begin(&pdf))
            return fail(QStringLiteral("не удалось начать PDF"));
        bool first = true;
        for (const SizingOutcome &outcome : outcomes) {
            if (!first)
                pdf.newPage();
            first = false;
            PaintPages(*BuildReportDocument(outcome, catalogue), pdf, painter);
        }
        if (!painter.end())
            return fail(QStringLiteral("не удалось завершить PDF"));
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

QString SuggestedReportName(const SizingOutcome &outcome, const QString &extension)
{
    const QDate date = outcome.when.isValid() ? outcome.when.date() : QDate::currentDate();
    QString suffix = extension;
    if (suffix.startsWith(QLatin1Char('.')))
        suffix.remove(0, 1);
    return QStringLiteral("подбор-%1-%2.%3")
        .arg(date.toString(QStringLiteral("yyyy-MM-dd")))
        .arg(outcome.request.mode)
        .arg(suffix);
}
