#include "core/project/project_table.h"

#include "core/project/project_points.h"
#include "core/table/csv_reader.h"

#include <QSet>

using namespace Qt::StringLiterals;

QByteArray WriteProjectTable(const Project &project)
{
    // The id, and the mode a table must have even where no point gives one.
    std::vector<BatchColumn> used{BatchColumn::Id, BatchColumn::Mode};
    for (int i = 0; i < BatchColumnCount; ++i) {
        const auto column = static_cast<BatchColumn>(i);
        if (column == BatchColumn::Id || column == BatchColumn::Mode)
            continue;
        for (const ProjectPoint &point : project.points) {
            if (!point.text(column).isEmpty()) {
                used.push_back(column);
                break;
            }
        }
    }
    QStringList header;
    for (BatchColumn column : used)
        header << BatchColumnName(column);
    QByteArray table = CsvLine(header).toUtf8() + '\n';
    for (const ProjectPoint &point : project.points) {
        QStringList fields;
        for (BatchColumn column : used)
            fields << (column == BatchColumn::Id ? point.id : point.text(column));
        table += CsvLine(fields).toUtf8() + '\n';
    }
    return table;
}

ProjectTableReading ReadProjectTable(QIODevice &device, const Project &project,
                                     const ProductCatalogue &catalogue)
{
    ProjectTableReading reading;
    const auto refuse = [&reading](int line, const QString &why) {
        reading.points.clear();
        reading.error = u"строка %1: %2"_s.arg(line).arg(why);
        return reading;
    };
    CsvReader reader(device);
    const std::optional<CsvReader::Record> head = reader.next();
    if (!head) {
        if (reader.hasError())
            return refuse(reader.errorLine(), reader.error());
        reading.error = u"в файле нет строки заголовка"_s;
        return reading;
    }
    int badField = 0;
    QString why;
    const std::optional<BatchColumns> columns = ReadBatchHeader(head->fields, &badField, &why);
    if (!columns)
        return refuse(head->line, u"столбец %1: %2"_s.arg(badField).arg(why));

    // The ids taken so far: the project's and those of the lines read; "Точка N" is
    // looked for from the last N given, as NextPointId() would find it.
    QSet<QString> ids;
    int next = 1;
    for (const ProjectPoint &point : project.points)
        ids.insert(point.id);
    while (const std::optional<CsvReader::Record> record = reader.next()) {
        if (record->fields.size() != columns->fieldCount)
            return refuse(record->line, u"в строке полей: %1, в заголовке: %2"_s.arg(record->fields.size())
                                            .arg(columns->fieldCount));
        ProjectPoint point;
        for (int i = 0; i < BatchColumnCount; ++i) {
            const int at = columns->index[static_cast<std::size_t>(i)];
            if (at >= 0)
                point.setText(static_cast<BatchColumn>(i), record->fields[at].trimmed());
        }
        point.id = point.text(BatchColumn::Id);
        point.setText(BatchColumn::Id, {});
        if (point.id.isEmpty()) {
            while (ids.contains(u"Точка %1"_s.arg(next)))
                ++next;
            point.id = u"Точка %1"_s.arg(next);
        } else if (ids.contains(point.id))
            return refuse(record->line, u"точка «%1» уже есть"_s.arg(point.id));
        ids.insert(point.id);
        const BatchRecord sized = SizeProjectPoint(point, catalogue);
        if (!sized.hasError() && !sized.outcome.optimal.empty())
            point.choice = sized.outcome.optimal.front().record.Name;
        reading.points.push_back(std::move(point));
    }
    if (reader.hasError())
        return refuse(reader.errorLine(), reader.error());
    if (reading.points.empty())
        reading.error = u"в таблице нет ни одной точки, только строка заголовка"_s;
    return reading;
}
