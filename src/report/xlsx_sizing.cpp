#include "report/xlsx_sizing.h"

#include "report/report_content.h"
#include "report/xlsx_workbook.h"
#include "core/selection/candidate_load.h"
#include "core/input/number_text.h"

namespace {

// Columns of the data lines: the caption under the product names, then the value
// and its unit.
constexpr int CaptionColumn = 1;
constexpr int ValueColumn = 2;
constexpr int UnitColumn = 3;

// Number formats of the load and margin columns, as the report writes them.
constexpr char LoadFormat[] = "0.0";
constexpr char MarginFormat[] = "0.00";

struct Formats {
    lxw_format *bold = nullptr;
    lxw_format *load = nullptr;
    lxw_format *margin = nullptr;
};

class SizingSheet {
public:
    SizingSheet(lxw_worksheet *sheet, const Formats &formats) : writer_(sheet), formats_(formats) {}

    void title(const QString &text) { writer_.text(row_++, 0, text, formats_.bold, false); }
    void note(const QString &text)
    {
        if (!text.isEmpty())
            writer_.text(row_++, 0, text, nullptr, false);
    }
    void pair(const QString &caption, const QString &value)
    {
        writer_.text(row_, CaptionColumn, caption);
        writer_.text(row_++, ValueColumn, value, nullptr, false);
    }
    void section(const QString &heading)
    {
        ++row_;
        title(heading);
    }

    void lines(const std::vector<ReportLine> &lines, bool fitValues)
    {
        for (const ReportLine &line : lines) {
            writer_.text(row_, CaptionColumn, line.caption);
            if (line.number)
                writer_.number(row_, ValueColumn, *line.number);
            else
                writer_.text(row_, ValueColumn, line.text, nullptr, fitValues);
            writer_.text(row_, UnitColumn, line.unit);
            ++row_;
        }
    }

    // The header row and the rows; returns the header's row.
    int candidates(const QStringList &header, const std::vector<Candidate> &rows)
    {
        const int headerRow = row_++;
        for (int column = 0; column < header.size(); ++column)
            writer_.text(headerRow, column, header[column], formats_.bold);
        int number = 0;
        for (const Candidate &candidate : rows) {
            const ProductRecord &r = candidate.record;
            writer_.number(row_, 0, ++number);
            writer_.text(row_, 1, r.Name);
            writer_.number(row_, 2, r.DN);
            writer_.number(row_, 3, r.Pmin);
            writer_.number(row_, 4, r.Pmax);
            writer_.number(row_, 5, r.Qmax);
            writer_.number(row_, 6, r.Qmin);
            if (r.Price == 0)
                writer_.text(row_, 7, candidate.cells[7]);
            else
                writer_.number(row_, 7, r.Price);
            writer_.number(row_, 8, candidate.loadPercent, formats_.load);
            if (candidate.qminMargin)
                writer_.number(row_, 9, *candidate.qminMargin, formats_.margin);
            else
                writer_.text(row_, 9, MarginText(std::nullopt, LocaleDecimalSeparator()));
            // The flags' column, where there is one, then the inlet velocity.
            const bool notes = header.size() > 11;
            if (notes && !candidate.flags.isEmpty())
                writer_.text(row_, 10, candidate.flags.join(QStringLiteral("; ")), nullptr, false);
            writer_.number(row_, notes ? 11 : 10, candidate.inletVelocity, formats_.load);
            ++row_;
        }
        return headerRow;
    }

    SheetWriter &writer() { return writer_; }

private:
    SheetWriter writer_;
    Formats formats_;
    int row_ = 0;
};

lxw_error Fill(lxw_workbook *workbook, const SizingOutcome &outcome, const ProductCatalogue &catalogue,
               const ReportHeader &heading)
{
    lxw_error status = LXW_NO_ERROR;
    lxw_worksheet *sheet = AddSheet(workbook, QStringLiteral("Подбор"), &status);
    if (!sheet)
        return status;
    Formats formats{AddFormat(workbook), AddFormat(workbook),
                    AddFormat(workbook)};
    if (!formats.bold || !formats.load || !formats.margin)
        return LXW_ERROR_MEMORY_MALLOC_FAILED;
    SetBold(formats.bold);
    SetNumberFormat(formats.load, LoadFormat);
    SetNumberFormat(formats.margin, MarginFormat);

    const ReportContent content = CollectReport(outcome, catalogue, heading);
    SizingSheet out(sheet, formats);
    out.title(ReportTitle());
    out.lines(content.heading, false);
    out.title(content.category);
    out.pair(QStringLiteral("Дата и время подбора"), content.when);
    out.pair(QStringLiteral("Программа"), ProgramLine());
    out.pair(QStringLiteral("Цены"), PriceListTitle(catalogue.priceList()));
    out.section(QStringLiteral("Выбор"));
    out.lines(content.choice, false);
    out.section(QStringLiteral("Исходные данные"));
    out.lines(content.input, true);
    if (!content.conditions.empty()) {
        out.section(ConditionsTitle());
        out.lines(content.conditions, true);
        for (const QString &line : content.formula)
            out.note(line);
    }
    if (!content.error.isEmpty()) {
        out.note(content.error);
        return out.writer().finish();
    }
    out.section(QStringLiteral("Рабочие данные"));
    out.lines(content.working, true);
    out.note(content.warning);
    if (outcome.possible.empty() && outcome.optimal.empty()) {
        out.section(QStringLiteral("Результат подбора"));
        out.note(content.noFit);
        return out.writer().finish();
    }
    out.section(OptimalTitle());
    out.candidates(content.header, outcome.optimal);
    out.section(PossibleTitle());
    out.note(QStringLiteral("Все %1 — на листе «%2».").arg(outcome.possible.size()).arg(PossibleTitle()));
    status = out.writer().finish();
    if (status != LXW_NO_ERROR)
        return status;

    // The possible variants on a sheet of their own, under a frozen header row, so a
    // long list scrolls on a small screen with its header in view.
    lxw_worksheet *possibleSheet = AddSheet(workbook, PossibleTitle(), &status);
    if (!possibleSheet)
        return status;
    SizingSheet possible(possibleSheet, formats);
    const int header = possible.candidates(content.header, outcome.possible);
    possible.writer().freezeRowsAbove(header + 1);
    return possible.writer().finish();
}

} // namespace

bool WriteSizingXlsx(const QString &path, const SizingOutcome &outcome,
                     const ProductCatalogue &catalogue, QString *error, const ReportHeader &heading)
{
    return WriteWorkbook(
        path, [&](lxw_workbook *workbook) { return Fill(workbook, outcome, catalogue, heading); }, error);
}
