#include "core/project/project_points.h"

#include "core/input/number_text.h"
#include "core/project/point_texts.h"
#include "core/selection/candidate_load.h"
#include "core/selection/result_row.h"
#include "core/sizing/chunk_pool.h"

#include <QSet>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// A header naming every column, which a point's texts fill field by field.
const BatchColumns &EveryColumn()
{
    static const BatchColumns columns = [] {
        BatchColumns all;
        for (int i = 0; i < BatchColumnCount; ++i)
            all.index[static_cast<std::size_t>(i)] = i;
        all.fieldCount = BatchColumnCount;
        return all;
    }();
    return columns;
}

QString PressureText(const ProjectPoint &point)
{
    const QString p = point.text(BatchColumn::P);
    if (!p.isEmpty())
        return (p + u' ' + point.text(BatchColumn::PUnit)).trimmed();
    const QString pmax = point.text(BatchColumn::Pmax), pmin = point.text(BatchColumn::Pmin);
    if (pmax.isEmpty() && pmin.isEmpty())
        return {};
    const QString maxUnit = point.text(BatchColumn::PmaxUnit), minUnit = point.text(BatchColumn::PminUnit);
    if (maxUnit == minUnit)
        return (pmin + u'–' + pmax + u' ' + maxUnit).trimmed();
    return (pmin + u' ' + minUnit).trimmed() + u" – "_s + (pmax + u' ' + maxUnit).trimmed();
}

QString MethodText(const ProjectPoint &point)
{
    const QString key = point.text(BatchColumn::Method);
    const std::optional<ConversionMethod> method = MethodOfKey(key.isEmpty() ? u"simple"_s : key);
    return method ? MethodKey(*method) : key;
}

} // namespace

BatchRecord SizeProjectPoint(const ProjectPoint &point, const ProductCatalogue &catalogue)
{
    CsvReader::Record record;
    record.line = 0;
    for (int i = 0; i < BatchColumnCount; ++i)
        record.fields << point.text(static_cast<BatchColumn>(i));
    record.fields[static_cast<int>(BatchColumn::Id)] = point.id;
    return SizeBatchPoint(ReadBatchPoint(EveryColumn(), record), catalogue);
}

std::vector<BatchRecord> SizeProjectPoints(const std::vector<ProjectPoint> &points, const ProductCatalogue &catalogue,
                                           const SizingProgress &progress, int jobs)
{
    // Chunks small enough for the progress to move a few times a second on a slow
    // machine, large enough that handing them out costs nothing beside the sizing.
    constexpr qsizetype Chunk = 64;
    const qsizetype total = qsizetype(points.size());
    std::vector<BatchRecord> records(points.size());
    ChunkPool pool(jobs);
    for (qsizetype from = 0; from < total; from += Chunk) {
        const qsizetype to = std::min(total, from + Chunk);
        // Each chunk fills its own records; none is touched by two threads.
        pool.add(
            [&points, &catalogue, &records, from, to] {
                for (qsizetype i = from; i < to; ++i)
                    records[std::size_t(i)] = SizeProjectPoint(points[std::size_t(i)], catalogue);
            },
            progress ? std::function<void()>([&progress, to, total] { progress(to, total); }) : std::function<void()>());
    }
    pool.finish();
    return records;
}

const Candidate *ChosenCandidate(const ProjectPoint &point, const BatchRecord &sized)
{
    if (point.choice.isEmpty())
        return nullptr;
    for (const Candidate &c : sized.outcome.possible) {
        if (c.record.Name == point.choice)
            return &c;
    }
    return nullptr;
}

QStringList ChoicesOf(const BatchRecord &sized)
{
    QStringList names;
    for (const Candidate &c : sized.outcome.possible) {
        if (!names.contains(c.record.Name))
            names << c.record.Name;
    }
    return names;
}

QString ChoiceNoLongerFitsText()
{
    return u"выбранное изделие не подходит"_s;
}

QStringList ProjectColumnCaptions()
{
    return {u"№"_s,      u"Точка"_s, u"Категория"_s, u"Qmax"_s,   u"Qmin"_s,
            u"Давление"_s, u"Метод пересчёта"_s, u"Изделие"_s, u"Ду"_s, u"Цена без НДС"_s,
            u"Валюта"_s, u"Кол-во"_s, u"Загрузка %"_s, u"Скорость, м/с"_s, u"Примечание"_s};
}

ProjectRowView ProjectRow(int number, const ProjectPoint &point, const BatchRecord &sized)
{
    ProjectRowView row;
    row.cells.resize(static_cast<int>(ProjectColumn::Count));
    const auto set = [&row](ProjectColumn column, const QString &text) {
        row.cells[static_cast<int>(column)] = text;
    };
    const SizingOutcome &out = sized.outcome;
    const QChar separator = LocaleDecimalSeparator();
    set(ProjectColumn::Number, QString::number(number));
    set(ProjectColumn::Id, point.id);
    set(ProjectColumn::Category, out.categoryCaption);
    set(ProjectColumn::Qmax, point.text(BatchColumn::Qmax));
    set(ProjectColumn::Qmin, point.text(BatchColumn::Qmin));
    set(ProjectColumn::Pressure, PressureText(point));
    set(ProjectColumn::Method, MethodText(point));
    set(ProjectColumn::Product, point.choice);
    set(ProjectColumn::Quantity, QString::number(point.quantity));

    if (sized.hasError()) {
        row.refused = true;
        const QString column = sized.errorColumn.isEmpty() ? QString() : u"столбец %1: "_s.arg(sized.errorColumn);
        set(ProjectColumn::Note, column + sized.error);
        return row;
    }
    QStringList notes;
    if (const Candidate *chosen = ChosenCandidate(point, sized)) {
        set(ProjectColumn::Dn, QString::number(chosen->record.DN));
        set(ProjectColumn::Price, chosen->cells[7]);
        set(ProjectColumn::Currency, out.currency == Currency::Euros ? u"EUR"_s : u"RUB"_s);
        set(ProjectColumn::Load, LoadText(chosen->loadPercent, separator));
        set(ProjectColumn::Velocity, WriteFixed(chosen->inletVelocity, 1, separator));
        notes << chosen->flags;
    } else if (!point.choice.isEmpty()) {
        row.choiceLost = true;
        notes << ChoiceNoLongerFitsText();
    } else if (!out.noFitReason.isEmpty()) {
        notes << out.noFitReason;
    }
    if (!point.note.isEmpty())
        notes << point.note;
    set(ProjectColumn::Note, notes.join(u"; "_s));
    return row;
}

QString NextPointId(const Project &project)
{
    QSet<QString> taken;
    for (const ProjectPoint &point : project.points)
        taken.insert(point.id);
    for (int n = 1;; ++n) {
        const QString id = u"Точка %1"_s.arg(n);
        if (!taken.contains(id))
            return id;
    }
}

ProjectPoint PointOfRun(const Project &project, const SizingOutcome &run, const std::optional<QString> &chosen)
{
    ProjectPoint point;
    point.id = NextPointId(project);
    WriteRequestTexts(run.request, point);
    if (chosen)
        point.choice = *chosen;
    else if (!run.optimal.empty())
        point.choice = run.optimal.front().record.Name;
    return point;
}

QString IdRefusal(const Project &project, int index, const QString &id)
{
    if (id.trimmed().isEmpty())
        return u"У точки должно быть имя."_s;
    for (int i = 0; i < static_cast<int>(project.points.size()); ++i) {
        if (i != index && project.points[static_cast<std::size_t>(i)].id == id)
            return u"Точка «%1» в проекте уже есть."_s.arg(id);
    }
    return {};
}

std::optional<int> ReadQuantity(const QString &text, QString *why)
{
    bool ok = false;
    const QString t = text.trimmed();
    const int n = t.toInt(&ok);
    if (ok && n >= 1 && t == QString::number(n))
        return n;
    if (why)
        *why = u"Количество «%1» не принято: нужно целое число не меньше 1."_s.arg(text);
    return std::nullopt;
}
