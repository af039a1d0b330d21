#include "report/project_documents.h"

#include "core/input/number_text.h"
#include "core/pricing/priced_list_texts.h"
#include "core/project/project_points.h"
#include "report/report_document.h"
#include "report/sizing_report.h"

#include <QTextTable>

using namespace Qt::StringLiterals;

namespace {

inline constexpr qreal CoverTitlePoints = 18;
inline constexpr qreal CoverTop = 160; // the title's distance from the top of the page

// The share of the page width (percent) of each priced list column, without the
// rouble columns and with them; the rouble columns' shares in the first are unused.
// A column narrower than its figure is widened to it: a figure is never broken.
const QList<qreal> PricedListShares{4, 22, 5, 7, 12, 13, 11, 7, 0, 0, 19};
const QList<qreal> PricedListRoubleShares{3, 14, 4, 5, 10, 11, 10, 7, 11, 10, 15};

// The contents' columns: the number, the id, the quantity, the product, the page.
const QStringList ContentsHeader{u"№"_s, u"Точка учёта"_s, u"Кол-во"_s, u"Изделие"_s, u"Стр."_s};
const QList<qreal> ContentsShares{6, 44, 8, 32, 10};
const QList<Qt::Alignment> ContentsAlignments{Qt::AlignRight, Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignLeft,
                                              Qt::AlignRight};

// A document in the report's font, the caption and value lines of the cover and of
// a refused point, the euro rate as the cover names it.
std::unique_ptr<QTextDocument> NewDocument()
{
    auto document = std::make_unique<QTextDocument>();
    document->setDefaultFont(ReportFont());
    document->setDocumentMargin(0); // the page layout holds the margins
    return document;
}

ReportLine TextLine(const QString &caption, const QString &text)
{
    return {caption, text, std::nullopt, QString()};
}

// The filled fields of a heading, in the order the single report names them.
std::vector<ReportLine> HeadingLines(const std::vector<std::pair<QString, QString>> &fields)
{
    std::vector<ReportLine> lines;
    for (const auto &[caption, value] : fields)
        if (!value.trimmed().isEmpty())
            lines.push_back(TextLine(caption, value.simplified()));
    return lines;
}

QString EuroRateLine(const Pricing &pricing, QChar separator)
{
    if (!pricing.eurRate)
        return u"не задан"_s;
    QString text = u"%1 руб."_s.arg(EurRateText(*pricing.eurRate, separator));
    if (pricing.eurRateDate.isValid())
        text += u" на "_s + pricing.eurRateDate.toString(u"dd.MM.yyyy"_s);
    return text;
}

// The priced list's columns: its amounts (never broken over lines), the two in
// roubles of a euro row, and each column's alignment.
bool IsMoneyColumn(int column)
{
    switch (static_cast<PricedListColumn>(column)) {
    case PricedListColumn::Price:
    case PricedListColumn::Amount:
    case PricedListColumn::Vat:
    case PricedListColumn::AmountRub:
    case PricedListColumn::VatRub:
        return true;
    default:
        return false;
    }
}

bool IsRoubleColumn(int column)
{
    return column == static_cast<int>(PricedListColumn::AmountRub) ||
           column == static_cast<int>(PricedListColumn::VatRub);
}

Qt::Alignment PricedListAlignment(int column)
{
    switch (static_cast<PricedListColumn>(column)) {
    case PricedListColumn::Name:
    case PricedListColumn::Points:
        return Qt::AlignLeft;
    case PricedListColumn::Currency:
        return Qt::AlignHCenter;
    default:
        return Qt::AlignRight;
    }
}

} // namespace

QString ProjectReportTitle() { return u"Проект подбора оборудования учёта газа"_s; }
QString NotChosenText() { return u"не подобрано"_s; }

std::unique_ptr<QTextDocument> ProjectCoverDocument(const Project &project, const Pricing &pricing,
                                                    const QDateTime &when, const QString &programVersion,
                                                    const QString &priceList)
{
    auto document = NewDocument();
    ReportWriter out(*document);
    const ProjectHeading &heading = project.heading;
    const QChar separator = LocaleDecimalSeparator();
    // The first block's own top margin is not laid out: an empty line carries the title's.
    out.paragraph(QString(), Characters(BodyPoints));
    out.paragraph(ProjectReportTitle(), Characters(CoverTitlePoints, true), CoverTop);
    out.paragraph(u"Спецификация и подбор типоразмеров по точкам учёта"_s, Characters(HeadingPoints), 6);
    // One table, so that every value starts at the same place.
    std::vector<ReportLine> lines = HeadingLines({{u"Объект"_s, heading.object},
                                                  {u"Заказчик"_s, heading.customer},
                                                  {u"Исполнитель"_s, heading.engineer}});
    const QDate date = when.isValid() ? when.date() : QDate::currentDate();
    lines.push_back(TextLine(u"Точек учёта"_s, QString::number(project.points.size())));
    lines.push_back(TextLine(u"Дата"_s, date.toString(u"dd.MM.yyyy"_s)));
    lines.push_back(TextLine(u"Версия программы"_s, programVersion));
    lines.push_back(TextLine(u"Ставка НДС"_s, VatText(pricing.vatHundredths, separator) + u" %"_s));
    lines.push_back(TextLine(u"Курс евро"_s, EuroRateLine(pricing, separator)));
    if (!priceList.isEmpty())
        lines.push_back(TextLine(u"Цены"_s, priceList));
    out.paragraph(QString(), Characters(BodyPoints), 24);
    out.lines(lines);
    return document;
}

std::unique_ptr<QTextDocument> PricedListDocument(const PricedList &pricedList)
{
    auto document = NewDocument();
    ReportWriter out(*document);
    out.paragraph(u"Спецификация"_s, Characters(TitlePoints, true));
    const QChar separator = LocaleDecimalSeparator();
    const bool roubles = ShowsRoubles(pricedList);
    const QStringList captions = PricedListCaptions();
    QStringList header;
    QList<qreal> shares;
    QList<Qt::Alignment> alignments;
    QList<int> money; // the shown columns of amounts
    for (int column = 0; column < captions.size(); ++column) {
        if (!roubles && IsRoubleColumn(column))
            continue;
        if (IsMoneyColumn(column))
            money << int(header.size());
        header << captions[column];
        shares << (roubles ? PricedListRoubleShares : PricedListShares).value(column);
        alignments << PricedListAlignment(column);
    }
    std::vector<QStringList> rows;
    rows.reserve(pricedList.rows.size());
    for (const PricedListRow &row : pricedList.rows) {
        const QStringList cells = PricedListCells(row, separator);
        QStringList shown;
        for (int column = 0; column < cells.size(); ++column)
            if (roubles || !IsRoubleColumn(column))
                shown << cells[column];
        rows.push_back(shown);
    }
    if (!rows.empty()) {
        QTextTable *table = out.grid(header, rows, shares, alignments);
        QTextBlockFormat whole;
        whole.setNonBreakableLines(true);
        for (int row = 1; row < table->rows(); ++row)
            for (const int column : money)
                table->cellAt(row, column).firstCursorPosition().mergeBlockFormat(whole);
    }
    bool first = true;
    for (const QString &line : PricedListTotalLines(pricedList, separator)) {
        out.paragraph(line, Characters(BodyPoints, line.startsWith(u"Всего"_s)), first ? 8 : 2);
        first = false;
    }
    return document;
}

const Candidate *ProjectChoice(const ProjectPoint &point, const BatchRecord &record)
{
    return record.hasError() ? nullptr : ChosenCandidate(point, record);
}

std::unique_ptr<QTextDocument> ProjectContentsDocument(const Project &project, const std::vector<BatchRecord> &records,
                                                       const std::vector<int> &starts)
{
    auto document = NewDocument();
    ReportWriter out(*document);
    out.paragraph(u"Содержание"_s, Characters(TitlePoints, true));
    const std::vector<ProjectPoint> &points = project.points;
    if (points.empty()) {
        out.paragraph(u"В проекте нет точек."_s, Characters(BodyPoints), 8);
        return document;
    }
    std::vector<QStringList> rows;
    rows.reserve(points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        const Candidate *chosen = i < records.size() ? ProjectChoice(points[i], records[i]) : nullptr;
        rows.push_back({QString::number(i + 1), points[i].id, QString::number(points[i].quantity),
                        chosen ? chosen->record.Name : NotChosenText(),
                        i < starts.size() ? QString::number(starts[i]) : QString()});
    }
    out.grid(ContentsHeader, rows, ContentsShares, ContentsAlignments);
    return document;
}

QString ProjectPointHeading(int number, const ProjectPoint &point, const BatchRecord &record)
{
    const Candidate *chosen = ProjectChoice(point, record);
    QString product = chosen ? chosen->record.Name : NotChosenText();
    if (record.hasError())
        product += u" (ошибка исходных данных)"_s;
    else if (!chosen && !point.choice.isEmpty())
        product += u" (%1 не подходит)"_s.arg(point.choice);
    return u"Точка %1. «%2», количество %3, изделие: %4"_s.arg(number)
        .arg(point.id.simplified())
        .arg(point.quantity)
        .arg(product);
}

std::unique_ptr<QTextDocument> ProjectPointDocument(const ProjectHeading &heading, const ProjectPoint &point,
                                                    const BatchRecord &record, const ProductCatalogue &catalogue)
{
    if (record.sized) {
        const Candidate *chosen = ProjectChoice(point, record);
        return BuildReportDocument(record.outcome, catalogue,
                                   {heading.object, heading.customer, point.id, heading.engineer},
                                   chosen ? chosen->slot : 0);
    }
    // The texts were refused before any sizing: nothing but the point and why.
    auto document = NewDocument();
    ReportWriter out(*document);
    out.paragraph(ReportTitle(), Characters(TitlePoints, true));
    out.lines(HeadingLines({{u"Объект"_s, heading.object},
                            {u"Заказчик"_s, heading.customer},
                            {u"Точка учёта"_s, point.id},
                            {u"Исполнитель"_s, heading.engineer}}));
    out.heading(u"Исходные данные не приняты"_s);
    const QString error = record.errorColumn.isEmpty() ? record.error
                                                       : u"Столбец «%1»: %2"_s.arg(record.errorColumn, record.error);
    out.paragraph(error, Characters(BodyPoints, true), 4);
    return document;
}
