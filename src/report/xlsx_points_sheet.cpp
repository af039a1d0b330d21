#include "report/xlsx_project_sheets.h"

#include "report/xlsx_workbook.h"
#include "core/input/number_text.h"
#include "core/pricing/money.h"
#include "core/project/project_points.h"
#include "core/table/batch_columns.h"

using namespace Qt::StringLiterals;

namespace {

// The project window's columns with the mode after the category.
enum PointColumn {
    Number, Id, Category, Mode, Qmax, Qmin, Pressure, Method, Product, Dn, Price, CurrencyCode, Quantity,
    Load, Velocity, Note
};

QString Cell(const ProjectRowView &view, ProjectColumn column)
{
    return view.cells.value(static_cast<int>(column));
}

// A figure as typed: a number when it reads as one, else the text itself.
void Typed(SheetWriter &writer, int row, int column, const QString &text)
{
    if (const std::optional<double> value = ReadNumber(BatchLocaleNumber(text.trimmed())))
        writer.number(row, column, *value);
    else
        writer.text(row, column, text);
}

void PointRow(SheetWriter &writer, int row, int number, const ProjectPoint &point, const BatchRecord &sized,
              const ProjectFormats &formats)
{
    const ProjectRowView view = ProjectRow(number, point, sized);
    writer.number(row, Number, number);
    writer.text(row, Id, point.id);
    writer.text(row, Category, Cell(view, ProjectColumn::Category));
    Typed(writer, row, Mode, point.text(BatchColumn::Mode));
    Typed(writer, row, Qmax, point.text(BatchColumn::Qmax));
    Typed(writer, row, Qmin, point.text(BatchColumn::Qmin));
    writer.text(row, Pressure, Cell(view, ProjectColumn::Pressure));
    writer.text(row, Method, Cell(view, ProjectColumn::Method));
    writer.text(row, Product, point.choice);
    writer.number(row, Quantity, point.quantity);
    writer.text(row, Note, Cell(view, ProjectColumn::Note), nullptr, false);
    const Candidate *chosen = sized.hasError() ? nullptr : ChosenCandidate(point, sized);
    if (!chosen)
        return;
    writer.number(row, Dn, chosen->record.DN);
    if (chosen->record.Price == 0)
        writer.text(row, Price, chosen->cells[7]);
    else
        writer.number(row, Price, CellMoney(MoneyOfPrice(chosen->record.Price)), formats.money);
    writer.text(row, CurrencyCode, Cell(view, ProjectColumn::Currency));
    writer.number(row, Load, chosen->loadPercent, formats.load);
    writer.number(row, Velocity, chosen->inletVelocity, formats.load);
}

} // namespace

lxw_error FillPointsSheet(lxw_workbook *workbook, const Project &project, const std::vector<BatchRecord> &records,
                          const ProjectFormats &formats)
{
    lxw_error status = LXW_NO_ERROR;
    lxw_worksheet *sheet = AddSheet(workbook, u"Точки"_s, &status);
    if (!sheet)
        return status;
    SheetWriter writer(sheet);
    QStringList captions = ProjectColumnCaptions();
    captions.insert(Mode, u"Режим"_s);
    for (int column = 0; column < captions.size(); ++column)
        writer.text(0, column, captions[column], formats.bold);
    writer.freezeRowsAbove(1);
    for (std::size_t i = 0; i < project.points.size() && i < records.size(); ++i) {
        const int number = static_cast<int>(i) + 1;
        PointRow(writer, number, number, project.points[i], records[i], formats);
    }
    return writer.finish();
}
