#include "report/sizing_report.h"

#include "report/file_error.h"
#include "report/report_content.h"
#include "report/report_document.h"
#include "report/report_pages.h"

#include <QGuiApplication>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QScreen>

namespace {

// Share of the page width of each candidate column, in percent.
const QList<qreal> CandidateColumnWidths{5, 21, 6, 7, 7, 8, 8, 13, 9, 9, 9};
// The same with the flags' column "Примечание" before the inlet velocity.
const QList<qreal> NotedColumnWidths{4, 16, 5, 6, 6, 7, 7, 10, 7, 7, 19, 9};

// The product name and the flags on the left, every figure on the right.
QList<Qt::Alignment> CandidateAlignments(bool notes)
{
    QList<Qt::Alignment> alignments((notes ? NotedColumnWidths : CandidateColumnWidths).size(), Qt::AlignRight);
    alignments[1] = Qt::AlignLeft;
    if (notes)
        alignments[10] = Qt::AlignLeft;
    return alignments;
}

// The rows of the slot `marked` in bold, the mark on a line of its own under the name.
void Candidates(ReportWriter &out, const ReportContent &content, const std::vector<Candidate> &rows,
                int marked)
{
    std::vector<QStringList> texts;
    std::vector<bool> bold;
    texts.reserve(rows.size());
    bold.reserve(rows.size());
    for (const Candidate &row : rows) {
        texts.push_back(CandidateTexts(row, content.notes));
        const bool chosen = marked != 0 && row.slot == marked;
        if (chosen)
            texts.back()[1] += QChar(QChar::LineSeparator) + ChosenMark();
        bold.push_back(chosen);
    }
    out.grid(content.header, texts, content.notes ? NotedColumnWidths : CandidateColumnWidths,
             CandidateAlignments(content.notes), bold);
}

void WriteReport(QTextDocument &document, const SizingOutcome &outcome,
                 const ProductCatalogue &catalogue, const ReportHeader &heading, int marked)
{
    const ReportContent content = CollectReport(outcome, catalogue, heading);
    ReportWriter out(document);
    out.paragraph(ReportTitle(), Characters(TitlePoints, true));
    if (!content.heading.empty())
        out.lines(content.heading);
    out.paragraph(content.category, Characters(HeadingPoints, true), 2);
    out.paragraph(QStringLiteral("Дата и время подбора: %1").arg(content.when), Characters(BodyPoints), 2);
    out.paragraph(QStringLiteral("Программа: %1").arg(ProgramLine()), Characters(BodyPoints));
    out.paragraph(QStringLiteral("Цены: %1").arg(PriceListTitle(catalogue.priceList())), Characters(BodyPoints));

    out.heading(QStringLiteral("Выбор"));
    out.lines(content.choice);
    out.heading(QStringLiteral("Исходные данные"));
    out.lines(content.input);
    if (!content.conditions.empty()) {
        out.heading(ConditionsTitle());
        out.lines(content.conditions);
        for (const QString &line : content.formula)
            out.paragraph(line, Characters(BodyPoints), 2);
    }
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
            Candidates(out, content, outcome.optimal, marked);
            const QString overflow = OptimalOverflowNote(outcome.optimal.size());
            if (!overflow.isEmpty())
                out.paragraph(overflow, Characters(NotePoints), 2);
            out.heading(PossibleTitle());
            Candidates(out, content, outcome.possible, marked);
        }
    }
    out.paragraph(ReportFootnote(outcome.request.conditions.method), Characters(NotePoints), 10);
}

// The resolution a document without a paint device is laid out at.
qreal ScreenDpi()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchY() : 96;
}

} // namespace

std::unique_ptr<QTextDocument> BuildReportDocument(const SizingOutcome &outcome,
                                                   const ProductCatalogue &catalogue,
                                                   const ReportHeader &heading, int marked)
{
    auto document = std::make_unique<QTextDocument>();
    document->setDefaultFont(ReportFont());
    document->setDocumentMargin(0); // the page layout holds the margins
    document->setMetaInformation(QTextDocument::DocumentTitle,
                                 ReportTitle() + QStringLiteral(" — ") + outcome.categoryCaption);
    const QRectF body = ReportPageLayout().paintRect(QPageLayout::Point);
    const qreal scale = ScreenDpi() / 72.0;
    document->setPageSize(body.size() * scale);
    WriteReport(*document, outcome, catalogue, heading, marked);
    return document;
}

QString ChosenMark()
{
    return QStringLiteral("◄ выбрано");
}

bool PaintReport(const QTextDocument &document, QPagedPaintDevice &device)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const ReportPages pages(document, device);
    pages.paint(painter, 1, pages.count());
    return painter.end();
}

bool WriteReportPdf(const QString &path, const std::vector<SizingOutcome> &outcomes,
                    const ProductCatalogue &catalogue, QString *error, const ReportHeader &heading)
{
    if (outcomes.empty()) {
        if (error)
            *error = FileWriteError(path, QStringLiteral("нет ни одного подбора"));
        return false;
    }
    return WriteReportFile(
        path,
        [&](QPdfWriter &pdf, QPainter &painter) {
            bool first = true;
            for (const SizingOutcome &outcome : outcomes) {
                if (!first)
                    pdf.newPage();
                first = false;
                const ReportPages pages(*BuildReportDocument(outcome, catalogue, heading), pdf);
                pages.paint(painter, 1, pages.count());
            }
            return true;
        },
        error);
}

QString SuggestedReportName(const SizingOutcome &outcome, const QString &extension)
{
    const QDate date = outcome.when.isValid() ? outcome.when.toLocalTime().date() : QDate::currentDate();
    QString suffix = extension;
    if (suffix.startsWith(QLatin1Char('.')))
        suffix.remove(0, 1);
    return QStringLiteral("подбор-%1-%2.%3")
        .arg(date.toString(QStringLiteral("yyyy-MM-dd")))
        .arg(outcome.request.mode)
        .arg(suffix);
}
