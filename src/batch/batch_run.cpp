#include "batch/batch_run.h"

#include "batch/batch_output.h"
#include "batch/spec_output.h"
#include "core/project/project_points.h"
#include "core/project/project_specification.h"
#include "core/table/csv_reader.h"
#include "core/pressure/pressure_units.h"
#include "core/selection/selection_modes.h"
#include "core/io/output_file.h"
#include "core/project/project_file.h"
#include "core/project/project_table.h"

#include <QBuffer>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <memory>

namespace {

std::optional<BatchFormat> FormatNamed(const QString &name)
{
    const QString n = name.toLower();
    if (n == u"csv")
        return BatchFormat::Csv;
    if (n == u"json")
        return BatchFormat::Json;
    if (n == u"xlsx")
        return BatchFormat::Xlsx;
    if (n == u"pdf")
        return BatchFormat::Pdf;
    return std::nullopt;
}

bool ReadsProject(const BatchOptions &options)
{
    if (options.inputFormat != BatchInputFormat::ByName)
        return options.inputFormat == BatchInputFormat::Project;
    return QFileInfo(options.input).suffix().compare(QLatin1StringView(ProjectFileSuffix), Qt::CaseInsensitive) == 0;
}

bool ToStandardOutput(const BatchOptions &options)
{
    return options.output.isEmpty() || options.output == u"-";
}

QString OutputPath(const BatchOptions &options)
{
    return ToStandardOutput(options) ? QStringLiteral("-") : options.output;
}

class Run {
public:
    Run(const BatchOptions &options, QIODevice &in, QIODevice &out, QIODevice &errors,
        const CollectedWriter &collected, const CatalogueWorkbookWriter &catalogueWorkbook)
        : options_(options), in_(in), out_(out), errors_(errors), collected_(collected),
          catalogueWorkbook_(catalogueWorkbook)
    {
    }

    int run();

private:
    void say(const QString &message)
    {
        errors_.write((QStringLiteral("gasmeter-batch: ") + message + u'\n').toUtf8());
    }
    // A fault of the input as a whole: where it is and why.
    int parseError(int line, int field, const QString &why)
    {
        QString where = QStringLiteral("строка %1").arg(line);
        if (field > 0) {
            where += QStringLiteral(", столбец %1").arg(field);
            if (field <= header_.size())
                where += QStringLiteral(" (%1)").arg(header_[field - 1].trimmed());
        }
        say(QStringLiteral("%1: %2: %3").arg(inputName_, where, why));
        return BatchFailed;
    }
    int writeCollected(const CollectedPoints &points);
    void addItem(const BatchRecord &sized, std::size_t index, std::vector<SpecificationItem> &items,
                 QStringList &notSized) const;

    const BatchOptions &options_;
    QIODevice &in_;
    QIODevice &out_;
    QIODevice &errors_;
    const CollectedWriter &collected_;
    const CatalogueWorkbookWriter &catalogueWorkbook_;
    QString inputName_;
    QStringList header_;
    std::optional<Project> project_; // the input was a project: its points in table order
    std::unique_ptr<ProductCatalogue> catalogue_ = std::make_unique<ProductCatalogue>();
};

int Run::run()
{
    const bool streamed = options_.format == BatchFormat::Csv || options_.format == BatchFormat::Json;
    // The document and the workbook of a project hold its specification already.
    const bool specification = options_.specification && streamed;
    if (options_.specification && !streamed && !ReadsProject(options_)) {
        say(QStringLiteral("--spec пишет спецификацию таблицы в формате csv или json; "
                           "xlsx и pdf со спецификацией пишутся для файла проекта"));
        return BatchFailed;
    }
    if (!streamed && !collected_) {
        say(QStringLiteral("формат xlsx и pdf в этой сборке недоступен"));
        return BatchFailed;
    }

    // The catalogue in force: the built-in one or priced by --price-list, written out
    // by --catalogue-out; that alone sizes nothing.
    catalogue_->Fill();
    if (!options_.priceList.isEmpty() && !ApplyBatchPriceList(options_.priceList, *catalogue_, errors_))
        return BatchFailed;
    if (!options_.catalogueOut.isEmpty()) {
        if (!WriteBatchCatalogue(options_.catalogueOut, *catalogue_, out_, errors_, catalogueWorkbook_))
            return BatchFailed;
        if (!options_.inputGiven)
            return BatchAllSized;
    }

    QFile file;
    QIODevice *source = &in_;
    inputName_ = QStringLiteral("стандартный ввод");
    if (options_.input != u"-") {
        inputName_ = options_.input;
        file.setFileName(options_.input);
        if (!file.open(QIODevice::ReadOnly)) {
            say(QStringLiteral("%1: не удается открыть: %2").arg(inputName_, file.errorString()));
            return BatchFailed;
        }
        source = &file;
    }
    // A project is read whole and goes on as the table of its points, the one its
    // window exports, so both give the same results.
    QBuffer projectTable;
    if (ReadsProject(options_)) {
        const ProjectReading reading = ReadProjectFile(source->readAll());
        if (!reading.project) {
            say(QStringLiteral("%1: %2").arg(inputName_, reading.error));
            return BatchFailed;
        }
        if (reading.project->points.empty()) {
            say(QStringLiteral("%1: в проекте нет ни одной точки").arg(inputName_));
            return BatchFailed;
        }
        project_ = *reading.project;
        projectTable.setData(WriteProjectTable(*reading.project));
        projectTable.open(QIODevice::ReadOnly);
        source = &projectTable;
    }

    // A streamed format's output, and any device or FIFO, is opened before the input
    // is read and held to the end, so the reader of a FIFO gets its end even when the
    // input is refused (the collected formats' writers open it once more by name).
    OutputFile output(OutputPath(options_), &out_);
    if ((streamed || output.route() == OutputRoute::Direct) && !output.open()) {
        say(QStringLiteral("%1: не удается записать: %2").arg(output.name(), output.errorString()));
        return BatchFailed;
    }

    CsvReader reader(*source);
    const std::optional<CsvReader::Record> headerRecord = reader.next();
    if (!headerRecord) {
        if (reader.hasError())
            return parseError(reader.errorLine(), reader.errorField(), reader.error());
        say(QStringLiteral("%1: нет строки заголовка").arg(inputName_));
        return BatchFailed;
    }
    header_ = headerRecord->fields;
    int badField = 0;
    QString why;
    const std::optional<BatchColumns> columns = ReadBatchHeader(header_, &badField, &why);
    if (!columns)
        return parseError(headerRecord->line, badField, why);

    // A table with nothing under its header is refused in every format, before
    // anything is written: an empty result would only hide a wrong or cut file.
    std::optional<CsvReader::Record> record = reader.next();
    if (!record && !reader.hasError()) {
        say(QStringLiteral("%1: в таблице нет ни одной точки, только строка заголовка").arg(inputName_));
        return BatchFailed;
    }

    BatchStreamWriter writer(output.device(), options_.format == BatchFormat::Json
                                        ? BatchStreamWriter::Format::Json
                                        : BatchStreamWriter::Format::Csv);
    if (streamed && !specification)
        writer.begin();

    CollectedPoints collected(*catalogue_);
    if (project_)
        collected.setProject(&*project_);
    // With --spec: each point's product (a project's choice and quantity, a table's
    // first optimal row once) instead of its rows.
    std::vector<SpecificationItem> items;
    QStringList notSized;
    std::size_t index = 0;
    bool refused = false;
    for (; record; record = reader.next()) {
        const int fields = int(record->fields.size());
        if (fields != columns->fieldCount) {
            const QString count = QStringLiteral("в строке полей: %1, в заголовке: %2")
                                      .arg(fields)
                                      .arg(columns->fieldCount);
            return parseError(record->line, std::min(fields, columns->fieldCount) + 1,
                              (fields < columns->fieldCount ? QStringLiteral("нет поля; ")
                                                            : QStringLiteral("лишнее поле; "))
                                  + count);
        }
        BatchRecord sized = SizeBatchPoint(ReadBatchPoint(*columns, *record), *catalogue_);
        if (sized.hasError()) {
            refused = true;
            const QString column = sized.errorColumn.isEmpty()
                ? QString()
                : QStringLiteral(", столбец %1").arg(sized.errorColumn);
            say(QStringLiteral("%1: строка %2 (точка «%3»)%4: %5")
                    .arg(inputName_)
                    .arg(record->line)
                    .arg(sized.point.id, column, sized.error));
        }
        if (specification)
            addItem(sized, index, items, notSized);
        else if (streamed)
            writer.write(sized);
        else
            collected.add(sized);
        ++index;
    }
    if (reader.hasError())
        return parseError(reader.errorLine(), reader.errorField(), reader.error());

    if (specification) {
        const Specification spec
            = BuildSpecification(items, notSized, project_ ? project_->pricing : Pricing{});
        const QByteArray bytes = options_.format == BatchFormat::Json ? SpecificationJson(spec)
                                                                      : SpecificationCsv(spec);
        if (output.device().write(bytes) != bytes.size() || !output.commit()) {
            const QString reason = output.errorString().isEmpty() ? output.writeError() : output.errorString();
            say(QStringLiteral("%1: запись не удалась: %2").arg(output.name(), reason));
            return BatchFailed;
        }
    } else if (streamed) {
        writer.end();
        // A failed write leaves a regular file as it was: nothing is committed.
        if (!writer.ok() || !output.commit()) {
            say(QStringLiteral("%1: запись не удалась: %2")
                    .arg(output.name(), writer.ok() ? output.errorString() : output.writeError()));
            return BatchFailed;
        }
    } else if (const int status = writeCollected(collected); status != BatchAllSized) {
        return status;
    }
    return refused ? BatchInputErrors : BatchAllSized;
}

void Run::addItem(const BatchRecord &sized, std::size_t index, std::vector<SpecificationItem> &items,
                  QStringList &notSized) const
{
    const QString id = sized.point.id.isEmpty() ? QStringLiteral("строка %1").arg(sized.point.line) : sized.point.id;
    if (project_ && index < project_->points.size()) {
        const ProjectPoint &point = project_->points[index];
        const Candidate *chosen = sized.hasError() ? nullptr : ChosenCandidate(point, sized);
        if (chosen)
            items.push_back(ItemOf(point.id, point.quantity, *chosen, sized.outcome.currency));
        else
            notSized << point.id;
        return;
    }
    if (!sized.hasError() && !sized.outcome.optimal.empty())
        items.push_back(ItemOf(id, 1, sized.outcome.optimal.front(), sized.outcome.currency));
    else
        notSized << id;
}

// The collected formats' writers take a path and follow its route themselves; for
// standard output they write a temporary file, which is then copied.
int Run::writeCollected(const CollectedPoints &records)
{
    QString why;
    OutputFile output(OutputPath(options_), &out_);
    if (output.route() != OutputRoute::StandardOutput) {
        if (collected_(options_.format, options_.output, records, &why))
            return BatchAllSized;
        say(why);
        return BatchFailed;
    }
    TemporaryName temporary(QDir::temp().filePath(QStringLiteral("gasmeter-batch-XXXXXX")));
    if (!temporary.made()) {
        say(QStringLiteral("%1: не удается записать: %2").arg(QDir::tempPath(), temporary.errorString()));
        return BatchFailed;
    }
    if (!collected_(options_.format, temporary.path(), records, &why)) {
        say(why);
        return BatchFailed;
    }
    // The writer has put a new file under the temporary name: read that one.
    QFile written(temporary.path());
    if (!written.open(QIODevice::ReadOnly)) {
        say(QStringLiteral("%1: не удается прочитать: %2").arg(written.fileName(), written.errorString()));
        return BatchFailed;
    }
    const QByteArray bytes = written.readAll();
    if (!output.open() || output.device().write(bytes) != bytes.size() || !output.commit()) {
        const QString reason = output.errorString().isEmpty() ? output.writeError() : output.errorString();
        say(QStringLiteral("%1: запись не удалась: %2").arg(output.name(), reason));
        return BatchFailed;
    }
    return BatchAllSized;
}

} // namespace

void CollectedPoints::add(const BatchRecord &record)
{
    points_.push_back(record.point);
    tableLines_ += BatchTableLineCount(record);
}

void CollectedPoints::forEach(const std::function<void(const BatchRecord &)> &visit) const
{
    for (const BatchPoint &point : points_)
        visit(SizeBatchPoint(point, catalogue_));
}

std::optional<BatchOptions> ParseBatchArguments(const QStringList &arguments, QString *error)
{
    BatchOptions options;
    bool inputGiven = false;
    bool optionsEnded = false;
    QString format, inputFormat;
    const auto refuse = [&](const QString &why) {
        *error = why;
        return std::nullopt;
    };
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &a = arguments[i];
        const auto value = [&](const QString &shortName, const QString &longName,
                               QString &target) -> std::optional<bool> {
            if (a == shortName || a == longName) {
                if (i + 1 >= arguments.size())
                    return false;
                target = arguments[++i];
                return true;
            }
            if (a.startsWith(longName + u'=')) {
                target = a.mid(longName.size() + 1);
                return true;
            }
            if (a.startsWith(shortName) && a.size() > shortName.size() && !a.startsWith(u"--")) {
                target = a.mid(shortName.size());
                return true;
            }
            return std::nullopt;
        };
        if (optionsEnded || !a.startsWith(u'-') || a == u"-") {
            if (inputGiven)
                return refuse(QStringLiteral("лишний аргумент «%1»: входной файл может быть только один").arg(a));
            options.input = a;
            inputGiven = options.inputGiven = true;
            continue;
        }
        if (a == u"--") {
            optionsEnded = true;
            continue;
        }
        if (a == u"-h" || a == u"--help") {
            options.help = true;
            continue;
        }
        if (a == u"--spec") {
            options.specification = true;
            continue;
        }
        std::optional<bool> taken = value(QStringLiteral("-o"), QStringLiteral("--output"), options.output);
        if (!taken)
            taken = value(QStringLiteral("-f"), QStringLiteral("--format"), format);
        if (!taken && (a == u"--input-format" || a.startsWith(u"--input-format=")))
            taken = value(QStringLiteral("--input-format"), QStringLiteral("--input-format"), inputFormat);
        for (const auto &[name, target] : {std::pair{QStringLiteral("--price-list"), &options.priceList},
                                           std::pair{QStringLiteral("--catalogue-out"), &options.catalogueOut}})
            if (!taken && (a == name || a.startsWith(name + u'=')))
                taken = value(name, name, *target);
        if (!taken)
            return refuse(QStringLiteral("неизвестный параметр «%1»").arg(a));
        if (!*taken)
            return refuse(QStringLiteral("после «%1» нужно значение").arg(a));
    }
    if (!options.catalogueOut.isEmpty() && RouteOf(options.catalogueOut) == OutputRoute::StandardOutput
        && options.inputGiven && ToStandardOutput(options))
        return refuse(QStringLiteral("--catalogue-out и результаты подбора не могут оба идти в стандартный вывод"));
    if (inputFormat == u"csv")
        options.inputFormat = BatchInputFormat::Table;
    else if (inputFormat == u"project")
        options.inputFormat = BatchInputFormat::Project;
    else if (!inputFormat.isEmpty())
        return refuse(QStringLiteral("неизвестный формат входа «%1»: ожидается csv или project").arg(inputFormat));
    if (!format.isEmpty()) {
        const std::optional<BatchFormat> named = FormatNamed(format);
        if (!named)
            return refuse(QStringLiteral("неизвестный формат «%1»: ожидается csv, json, xlsx или pdf").arg(format));
        options.format = *named;
    } else if (!ToStandardOutput(options)) {
        options.format = FormatNamed(QFileInfo(options.output).suffix()).value_or(BatchFormat::Csv);
    }
    return options;
}

QString BatchUsage()
{
    QString modes;
    for (int mode = FirstMode; mode <= LastMode; ++mode)
        modes += QStringLiteral("                %1 — %2\n").arg(mode).arg(CategoryCaption(mode));
    return QStringLiteral(
               "Использование: gasmeter-batch [-o ВЫХОД] [--format csv|json|xlsx|pdf]\n"
               "                      [--input-format csv|project] [--spec]\n"
               "                      [--price-list ФАЙЛ] [--catalogue-out ФАЙЛ] [ВХОД]\n"
               "\n"
               "Подбирает типоразмер оборудования для каждой точки таблицы ВХОД так же, как\n"
               "окна программы «Подбор счетчиков газа», и записывает результаты в ВЫХОД.\n"
               "ВХОД — файл или «-» (стандартный ввод, по умолчанию); ВЫХОД — файл,\n"
               "«-» или /dev/stdout (стандартный вывод, по умолчанию).\n"
               "\n"
               "Параметры:\n"
               "  -o, --output ВЫХОД   файл результатов; обычный файл появляется только\n"
               "                       целиком, в устройство или канал FIFO результаты\n"
               "                       пишутся сразу\n"
               "  -f, --format ФОРМАТ  csv, json, xlsx или pdf; без параметра — по расширению\n"
               "                       ВЫХОДА, иначе csv\n"
               "      --input-format ВИД\n"
               "                       csv — таблица точек; project — файл проекта\n"
               "                       программы (.gmsz); без параметра — project для\n"
               "                       ВХОДА с расширением .gmsz, иначе csv\n"
               "      --spec           вместо вариантов — спецификация: по строке на изделие\n"
               "                       с количеством, ценой, суммой и НДС, итоги по валютам;\n"
               "                       в проекте — выбранные изделия и количества точек, в\n"
               "                       таблице — первый оптимальный вариант каждой точки,\n"
               "                       1 шт. (csv или json; НДС 22 %, если проект не задает\n"
               "                       другую ставку)\n"
               "      --price-list ФАЙЛ\n"
               "                       подбирать по ценам прайс-листа ФАЙЛ (CSV, как его\n"
               "                       сохраняет таблица: UTF-8 или Windows-1251, «;», «,» или\n"
               "                       табуляция; столбцы «Обозначение» и «Цена без НДС», по\n"
               "                       желанию «Валюта», «Ду» и «Qmin»); при отклоненных\n"
               "                       строках — код 2 и каждая из них с номером строки\n"
               "      --catalogue-out ФАЙЛ\n"
               "                       записать действующий каталог в ФАЙЛ («-» — стандартный\n"
               "                       вывод): CSV, который --price-list читает без изменений,\n"
               "                       или xlsx по расширению; без ВХОДА больше ничего не\n"
               "                       делается\n"
               "  -h, --help           эта справка\n"
               "\n"
               "Входная таблица: текст UTF-8, поля через «;», поля в кавычках по RFC 4180,\n"
               "первая строка — названия столбцов в любом порядке. Обязателен столбец mode,\n"
               "отсутствующие столбцы считаются пустыми. Файл проекта читается как таблица\n"
               "его точек, которую окно проекта сохраняет командой «Экспорт таблицы точек»:\n"
               "результаты те же.\n"
               "  id            обозначение точки, повторяется в результатах\n"
               "  mode          режим подбора:\n"
               "%1"
               "  families      режимы 1–4: по знаку 0 или 1 на каждый флажок окна выбора\n"
               "                по порядку, например 101 (в режиме 4 два флажка);\n"
               "                пусто — отмечены все\n"
               "  qmax, qmin    расход газа при стандартных условиях, м³/ч\n"
               "  pmax, pmin    диапазон избыточного давления (режимы 1, 3 и 5)\n"
               "  pmax_unit, pmin_unit\n"
               "                их единицы; пусто — бар\n"
               "  p, p_unit     одно рабочее давление и его единица: в режимах 1 и 3 вместо\n"
               "                диапазона, в режимах 2 и 4 всегда; пусто — бар (в режиме 4 кПа)\n"
               "  cabinet       режим 5: 1 — пункт учета, 2 — пункт редуцирования,\n"
               "                3 — пункт учета и редуцирования\n"
               "  variant       режим 5: вариант исполнения, от 1 до 4\n"
               "  side          «Слева» или «Справа»\n"
               "  bypass        пункт учета: «С байпасом» или «Без байпаса»\n"
               "  gauges        «С манометрами» или «Без манометров»\n"
               "  pout, pout_unit\n"
               "                пункты 2 и 3: давление на выходе и его единица (пусто — кПа);\n"
               "                в подборе не участвует, повторяется в результатах\n"
               "Условия пересчета в рабочие расходы (все режимы; пусто — по умолчанию):\n"
               "  method        simple (Qраб = Qст / (Pизб + 1 бар), по умолчанию), ideal\n"
               "                (Z = 1), gerg91 или aga8 (ГОСТ 30319.2)\n"
               "  t_min, t_max  температура газа, °C; пусто — значение другого столбца,\n"
               "                оба пусты — 20 (ideal, gerg91, aga8)\n"
               "  p_atm         атмосферное давление, кПа; 101,325 (ideal, gerg91, aga8)\n"
               "  density       плотность при 20 °C и 101,325 кПа, кг/м³; 0,68 (gerg91)\n"
               "  n2, co2       азот и диоксид углерода, мол. %; 1 и 0,5 (gerg91)\n"
               "  x_methane, x_nitrogen, x_carbon_dioxide, x_ethane, x_propane,\n"
               "  x_isobutane, x_n_butane, x_isopentane, x_n_pentane, x_n_hexane,\n"
               "  x_n_heptane, x_n_octane, x_n_nonane, x_n_decane, x_hydrogen, x_oxygen,\n"
               "  x_carbon_monoxide, x_water, x_hydrogen_sulfide, x_helium, x_argon\n"
               "                состав газа, мол. %, в сумме 100; пусто — 0 (aga8)\n"
               "  max_load      целевая наибольшая загрузка, %; 100 (любой метод)\n"
               "  strict        1 — оптимальный вариант только из прошедших проверки; 0\n"
               "  max_velocity  наибольшая скорость газа на входе счетчика, м/с (из\n"
               "                руководства изготовителя); пусто — без проверки\n"
               "Столбец, который метод точки не использует, должен быть пустым. Значение вне\n"
               "диапазона метода — ошибка точки с этим столбцом (сумма состава — composition,\n"
               "рабочее давление вне диапазона — pmax, pmin или p).\n"
               "\n"
               "Числа: десятичный разделитель «,» или «.», порядок через E. Единицы давления:\n"
               "%2.\n"
               "Регистр букв не важен; похожие на вид латинские и русские буквы (например\n"
               "«с» и «c») взаимозаменяемы.\n"
               "\n"
               "Результат: CSV — по строке на каждый подходящий вариант (сначала оптимальные,\n"
               "затем возможные) или одна строка для точки без вариантов или с ошибкой;\n"
               "почему ничего не подходит, сказано в столбце no_fit_reason; за ним условия\n"
               "пересчета method, t_min, t_max, p_atm, z_qmax, z_qmin, z_std (Z при Qmax,\n"
               "при Qmin и при стандартных условиях; 1 для simple и ideal) и flags —\n"
               "непройденные проверки варианта через «; », затем v_inlet — скорость газа на\n"
               "входе варианта при Qраб max, м/с; JSON — объект {\"points\": [...]},\n"
               "причина в поле no_fit_reason, условия в объекте conditions, проверки в\n"
               "массиве flags и скорость в поле v_inlet каждого варианта; xlsx — та же\n"
               "таблица, что CSV; pdf — один\n"
               "документ: на первой странице список точек со страницами, затем отчет о\n"
               "подборе по каждой точке с новой страницы, на каждой странице обозначение\n"
               "точки и строка входной таблицы, сквозная нумерация.\n"
               "\n"
               "Код завершения: 0 — подобраны все точки; 1 — в части точек ошибки исходных\n"
               "данных (остальные записаны); 2 — ошибка вызова, файл не читается или не\n"
               "разбирается (в сообщении строка и столбец) или результат не удалось записать.\n")
        .arg(modes, PressureUnitTexts().join(QStringLiteral(", ")));
}

int RunBatch(const BatchOptions &options, QIODevice &standardInput, QIODevice &standardOutput,
             QIODevice &errors, const CollectedWriter &collected, const CatalogueWorkbookWriter &catalogueWorkbook)
{
    if (options.help) {
        standardOutput.write(BatchUsage().toUtf8());
        return BatchAllSized;
    }
    return Run(options, standardInput, standardOutput, errors, collected, catalogueWorkbook).run();
}
