#include "batch/batch_run.h"

#include "batch/batch_output.h"
#include "batch/priced_list_output.h"
#include "core/project/project_points.h"
#include "core/project/project_priced_list.h"
#include "core/table/csv_reader.h"
#include "core/table/xlsx_reader.h"
#include "core/pressure/pressure_units.h"
#include "core/selection/selection_modes.h"
#include "core/io/output_file.h"
#include "core/sizing/chunk_pool.h"
#include "core/project/project_file.h"
#include "core/project/project_table.h"

#include <QBuffer>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <memory>
#include <utility>

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

bool HasSuffix(const QString &path, QLatin1StringView suffix)
{
    return QFileInfo(path).suffix().compare(suffix, Qt::CaseInsensitive) == 0;
}

bool ReadsProject(const BatchOptions &options)
{
    if (options.inputFormat != BatchInputFormat::ByName)
        return options.inputFormat == BatchInputFormat::Project;
    return HasSuffix(options.input, QLatin1StringView(ProjectFileSuffix));
}

bool ReadsWorkbook(const BatchOptions &options)
{
    if (options.inputFormat != BatchInputFormat::ByName)
        return options.inputFormat == BatchInputFormat::Xlsx;
    return HasSuffix(options.input, QLatin1StringView("xlsx"));
}

bool ToStandardOutput(const BatchOptions &options)
{
    return options.output.isEmpty() || options.output == u"-";
}

QString OutputPath(const BatchOptions &options)
{
    return ToStandardOutput(options) ? QStringLiteral("-") : options.output;
}

// Points sized together, on one thread: a few hundred, so that the threads share the
// work evenly and memory holds only the chunks under way.
constexpr int ChunkRecords = 128;
// Bytes of one thread's output gathered before they are written.
constexpr qsizetype WriteBlock = 256 * 1024;

// What the points of a chunk gave: their bytes in the output format and the
// messages about them, in input order.
struct ChunkResult {
    std::string bytes;
    QByteArray messages;
    qint64 count = 0;
    bool refused = false;
};

// Sizes records and makes their output; the same on any thread, so that every
// number of threads writes the same bytes.
class PointStep {
public:
    PointStep(const BatchColumns &columns, const ProductCatalogue &catalogue, const BatchFormatter &formatter,
              const QString &inputName, bool quiet)
        : columns_(columns), catalogue_(catalogue), formatter_(formatter), inputName_(inputName), quiet_(quiet)
    {
    }

    // `first`: the chunk starts the document.
    void run(const std::vector<TableRecord> &records, bool first, ChunkResult &result) const
    {
        for (const TableRecord &record : records) {
            const BatchRecord sized = size(record);
            if (sized.hasError()) {
                result.refused = true;
                if (!quiet_)
                    result.messages += message(record, sized);
            }
            formatter_.append(result.bytes, sized, first && result.count == 0);
            ++result.count;
        }
    }

    BatchRecord size(const TableRecord &record) const
    {
        return SizeBatchPoint(ReadBatchPoint(columns_, record), catalogue_);
    }

    // The message about a refused point: its line, id and column (a sheet's cell too).
    QByteArray message(const TableRecord &record, const BatchRecord &sized) const
    {
        QString column;
        if (!sized.errorColumn.isEmpty()) {
            column = QStringLiteral(", столбец %1").arg(sized.errorColumn);
            const std::optional<BatchColumn> named = BatchColumnOfName(sized.errorColumn);
            const int at = named ? columns_.index[std::size_t(*named)] : -1;
            if (columns_.places == TablePlaces::Cells && at >= 0)
                column += QStringLiteral(", %1").arg(TablePlace(TablePlaces::Cells, record.line, at + 1));
        }
        return QStringLiteral("gasmeter-batch: %1: строка %2 (точка «%3»)%4: %5\n")
            .arg(inputName_)
            .arg(record.line)
            .arg(sized.point.id, column, sized.error)
            .toUtf8();
    }

private:
    const BatchColumns &columns_;
    const ProductCatalogue &catalogue_;
    const BatchFormatter &formatter_;
    const QString &inputName_;
    bool quiet_;
};

// The line on standard error that says how far the run is: points done, the share of
// the input when its size is known, points per second and the time left. Drawn a
// few times a second over itself and erased at the end or before a message.
class ProgressLine {
public:
    ProgressLine(QIODevice &errors, bool shown) : errors_(errors), shown_(shown) { clock_.start(); }
    ~ProgressLine() { erase(); }

    void update(qint64 points, double share)
    {
        if (!shown_ || clock_.elapsed() < next_)
            return;
        next_ = clock_.elapsed() + 250;
        const double seconds = std::max(clock_.elapsed(), qint64(1)) / 1000.0;
        QString text = QStringLiteral("gasmeter-batch: точек: %1").arg(points);
        if (share >= 0)
            text += QStringLiteral(" (%1 %)").arg(int(share * 100));
        text += QStringLiteral(", %1 в секунду").arg(qint64(points / seconds));
        if (share > 0.01) {
            const qint64 left = qint64(seconds * (1 - share) / share + 0.5);
            text += QStringLiteral(", осталось %1:%2").arg(left / 60).arg(left % 60, 2, 10, QChar(u'0'));
        }
        const QByteArray bytes = text.toUtf8();
        const qsizetype width = text.size();
        QByteArray line = '\r' + bytes;
        if (width < width_)
            line += QByteArray(width_ - width, ' ');
        width_ = width;
        errors_.write(line);
    }

    // Before a message, and at the end: the line goes, and comes back at the next update.
    void erase()
    {
        if (width_ == 0)
            return;
        errors_.write('\r' + QByteArray(width_, ' ') + '\r');
        width_ = 0;
        next_ = 0;
    }

    void say(const QByteArray &message)
    {
        if (message.isEmpty())
            return;
        erase();
        errors_.write(message);
    }

private:
    QIODevice &errors_;
    bool shown_;
    QElapsedTimer clock_;
    qint64 next_ = 200; // nothing is shown for a run shorter than this (ms)
    qsizetype width_ = 0;
};

class Run {
public:
    Run(const BatchOptions &options, QIODevice &in, QIODevice &out, QIODevice &errors,
        const CollectedWriter &collected, const CatalogueWorkbookWriter &catalogueWorkbook,
        const BatchContext &context)
        : options_(options), in_(in), out_(out), errors_(errors), collected_(collected),
          catalogueWorkbook_(catalogueWorkbook), context_(context),
          progress_(errors, !options.quiet
                                && (options.progress
                                    || (context.errorsOnTerminal
                                        && !(ToStandardOutput(options) && context.outputOnTerminal))))
    {
    }

    int run();

private:
    void say(const QString &message)
    {
        progress_.say((QStringLiteral("gasmeter-batch: ") + message + u'\n').toUtf8());
    }
    bool stopRequested() const { return context_.stop && context_.stop->load(); }
    // A fault of the input as a whole: where it is and why.
    int parseError(int line, int field, const QString &why)
    {
        QString where = reader_->place(line, field);
        if (field > 0 && field <= header_.size())
            where += QStringLiteral(" (%1)").arg(header_[field - 1].trimmed());
        say(QStringLiteral("%1: %2: %3").arg(inputName_, where, why));
        return BatchFailed;
    }
    // A record with another number of fields than the header: where and why.
    int fieldCountError(const TableRecord &record, const BatchColumns &columns)
    {
        const int fields = int(record.fields.size());
        QString why = (fields < columns.fieldCount ? QStringLiteral("нет поля; ") : QStringLiteral("лишнее поле; "))
            + QStringLiteral("в строке полей: %1, в заголовке: %2").arg(fields).arg(columns.fieldCount);
        if (fields > columns.fieldCount && reader_->decimalPointOnly())
            why += QStringLiteral(" (в таблице через запятую дробная часть числа отделяется точкой)");
        return parseError(record.line, std::min(fields, columns.fieldCount) + 1, why);
    }
    int interrupted(OutputFile &output)
    {
        progress_.erase();
        say(output.route() == OutputRoute::WholeFile
                ? QStringLiteral("прервано: %1 не записан").arg(output.name())
                : QStringLiteral("прервано"));
        return BatchInterrupted;
    }
    bool openInput(QFile &file, QIODevice *&source);
    int streamPoints(const BatchColumns &columns, std::optional<TableRecord> record, OutputFile &output);
    int writeCollected(const CollectedPoints &points);
    void addItem(const BatchRecord &sized, std::size_t index, std::vector<PricedListItem> &items,
                 QStringList &notSized) const;

    const BatchOptions &options_;
    QIODevice &in_;
    QIODevice &out_;
    QIODevice &errors_;
    const CollectedWriter &collected_;
    const CatalogueWorkbookWriter &catalogueWorkbook_;
    const BatchContext &context_;
    ProgressLine progress_;
    QString inputName_;
    QStringList header_;
    std::unique_ptr<TableReader> reader_;
    std::optional<Project> project_; // the input was a project: its points in table order
    QBuffer projectTable_;
    std::unique_ptr<ProductCatalogue> catalogue_ = std::make_unique<ProductCatalogue>();
};

// Opens the table the run reads: a CSV text, a project's table of points or a
// workbook's sheet; false after saying why.
bool Run::openInput(QFile &file, QIODevice *&source)
{
    if (ReadsWorkbook(options_)) {
        QString why;
        std::unique_ptr<XlsxParts> parts = source == &in_ ? OpenXlsxBytes(in_.readAll(), &why)
                                                          : OpenXlsxFile(file.fileName(), &why);
        if (parts)
            reader_ = OpenXlsxTable(std::move(parts), options_.sheet, &why);
        if (!reader_) {
            say(QStringLiteral("%1: %2").arg(inputName_, why));
            return false;
        }
        return true;
    }
    // A project is read whole and goes on as the table of its points, the one its
    // window exports, so both give the same results.
    if (ReadsProject(options_)) {
        const ProjectReading reading = ReadProjectFile(source->readAll());
        if (!reading.project) {
            say(QStringLiteral("%1: %2").arg(inputName_, reading.error));
            return false;
        }
        if (reading.project->points.empty()) {
            say(QStringLiteral("%1: в проекте нет ни одной точки").arg(inputName_));
            return false;
        }
        project_ = *reading.project;
        projectTable_.setData(WriteProjectTable(*reading.project));
        projectTable_.open(QIODevice::ReadOnly);
        source = &projectTable_;
    }
    reader_ = OpenCsvTable(*source);
    return true;
}

int Run::run()
{
    const bool streamed = options_.format == BatchFormat::Csv || options_.format == BatchFormat::Json;
    // The document and the workbook of a project hold its priced list already.
    const bool pricedList = options_.pricedList && streamed;
    if (options_.pricedList && !streamed && !ReadsProject(options_)) {
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
    if (!openInput(file, source))
        return BatchFailed;

    // A streamed format's output, and any device or FIFO, is opened before the input
    // is read and held to the end, so the reader of a FIFO gets its end even when the
    // input is refused (the collected formats' writers open it once more by name).
    OutputFile output(OutputPath(options_), &out_);
    if ((streamed || output.route() == OutputRoute::Direct) && !output.open()) {
        say(QStringLiteral("%1: не удается записать: %2").arg(output.name(), output.errorString()));
        return BatchFailed;
    }

    TableReader &reader = *reader_;
    const std::optional<TableRecord> headerRecord = reader.next();
    if (!headerRecord) {
        if (reader.hasError())
            return parseError(reader.errorLine(), reader.errorField(), reader.error());
        say(QStringLiteral("%1: нет строки заголовка").arg(inputName_));
        return BatchFailed;
    }
    if (const QString note = reader.note(); !note.isEmpty() && !options_.quiet)
        say(QStringLiteral("%1: %2").arg(inputName_, note));
    header_ = headerRecord->fields;
    int badField = 0;
    QString why;
    std::optional<BatchColumns> columns = ReadBatchHeader(header_, &badField, &why);
    if (!columns)
        return parseError(headerRecord->line, badField, why);
    columns->decimalPointOnly = reader.decimalPointOnly();
    columns->places = ReadsWorkbook(options_) ? TablePlaces::Cells : TablePlaces::Lines;

    // A table with nothing under its header is refused in every format, before
    // anything is written: an empty result would only hide a wrong or cut file.
    std::optional<TableRecord> record = reader.next();
    if (!record && !reader.hasError()) {
        say(QStringLiteral("%1: в таблице нет ни одной точки, только строка заголовка").arg(inputName_));
        return BatchFailed;
    }

    catalogue_->PrepareFigureTexts(columns->decimalSeparator);
    if (streamed && !pricedList)
        return streamPoints(*columns, std::move(record), output);

    CollectedPoints collected(*catalogue_, options_.rows, context_.stop);
    if (project_)
        collected.setProject(&*project_);
    // With --spec: each point's product (a project's choice and quantity, a table's
    // first optimal row once) instead of its rows.
    std::vector<PricedListItem> items;
    QStringList notSized;
    std::size_t index = 0;
    bool refused = false;
    const BatchFormatter unused(BatchFormatter::Format::Csv, options_.rows, u'.');
    const PointStep step(*columns, *catalogue_, unused, inputName_, options_.quiet);
    for (; record; record = reader.next()) {
        if (stopRequested())
            return interrupted(output);
        if (int(record->fields.size()) != columns->fieldCount)
            return fieldCountError(*record, *columns);
        const BatchRecord sized = step.size(*record);
        if (sized.hasError()) {
            refused = true;
            if (!options_.quiet)
                progress_.say(step.message(*record, sized));
        }
        if (pricedList)
            addItem(sized, index, items, notSized);
        else
            collected.add(sized);
        ++index;
        if (index % ChunkRecords == 0)
            progress_.update(qint64(index), reader.progress());
    }
    if (reader.hasError())
        return parseError(reader.errorLine(), reader.errorField(), reader.error());

    if (pricedList) {
        const PricedList priced
            = BuildPricedList(items, notSized, project_ ? project_->pricing : Pricing{});
        const QByteArray bytes = options_.format == BatchFormat::Json ? PricedListJson(priced)
                                                                      : PricedListCsv(priced);
        if (output.device().write(bytes) != bytes.size() || !output.commit()) {
            const QString reason = output.errorString().isEmpty() ? output.writeError() : output.errorString();
            say(QStringLiteral("%1: запись не удалась: %2").arg(output.name(), reason));
            return BatchFailed;
        }
    } else {
        progress_.erase();
        const int status = writeCollected(collected);
        if (stopRequested())
            return interrupted(output);
        if (status != BatchAllSized)
            return status;
    }
    return refused ? BatchInputErrors : BatchAllSized;
}

// The streamed formats: chunks of records sized on the threads of a pool (or on this
// one), their bytes written in input order as each chunk in turn is done. At most a
// few chunks per thread are under way, so memory does not grow with the input.
int Run::streamPoints(const BatchColumns &columns, std::optional<TableRecord> record, OutputFile &output)
{
    TableReader &reader = *reader_;
    BatchStreamWriter writer(output.device(),
                             options_.format == BatchFormat::Json ? BatchStreamWriter::Format::Json
                                                                  : BatchStreamWriter::Format::Csv,
                             options_.rows, catalogue_.get());
    writer.begin();
    const PointStep step(columns, *catalogue_, writer.formatter(), inputName_, options_.quiet);
    const int jobs = options_.jobs > 0 ? options_.jobs : std::max(1, QThread::idealThreadCount());

    bool refused = false;
    qint64 points = 0;
    bool first = true; // the next chunk starts the document
    ChunkResult gathered; // one thread: the bytes of a few chunks, written together
    // Writes what a chunk gave and empties it (keeping its room for the next).
    const auto put = [&](ChunkResult &done) {
        progress_.say(done.messages);
        writer.write(done.bytes, done.count);
        refused = refused || done.refused;
        points += done.count;
        progress_.update(points, reader.progress());
        done.bytes.clear();
        done.messages.clear();
        done.count = 0;
        done.refused = false;
    };

    // The buffers of written chunks, handed to the next ones: no chunk allocates its
    // room anew.
    std::vector<std::string> spare;
    ChunkPool pool(jobs);
    // Before a fatal message or the end, the chunks read so far are written, as they
    // would have been one at a time; after a stop, none is.
    const auto drain = [&](bool write) {
        if (write)
            pool.finish();
        else
            pool.drop();
        if (write && gathered.count > 0)
            put(gathered);
    };

    int status = BatchAllSized;
    for (;;) {
        std::vector<TableRecord> chunk;
        chunk.reserve(ChunkRecords);
        for (; record && int(chunk.size()) < ChunkRecords; record = reader.next()) {
            if (stopRequested())
                break;
            if (int(record->fields.size()) != columns.fieldCount) {
                status = BatchFailed;
                break;
            }
            chunk.push_back(std::move(*record));
        }
        if (stopRequested()) {
            drain(false);
            return interrupted(output);
        }
        if (!chunk.empty()) {
            if (jobs == 1) {
                step.run(chunk, first, gathered);
                if (qsizetype(gathered.bytes.size()) >= WriteBlock || gathered.messages.size() >= WriteBlock)
                    put(gathered);
            } else {
                auto result = std::make_shared<ChunkResult>();
                if (spare.empty()) {
                    result->bytes.reserve(WriteBlock);
                } else {
                    result->bytes = std::move(spare.back());
                    spare.pop_back();
                }
                pool.add([&step, result, first, records = std::move(chunk)] { step.run(records, first, *result); },
                         [&put, &spare, result] {
                             put(*result);
                             spare.push_back(std::move(result->bytes));
                         });
            }
            first = false;
        }
        if (status != BatchAllSized || !record)
            break;
    }
    drain(true);
    if (status != BatchAllSized)
        return fieldCountError(*record, columns);
    if (reader.hasError())
        return parseError(reader.errorLine(), reader.errorField(), reader.error());
    if (stopRequested())
        return interrupted(output);

    writer.end();
    progress_.erase();
    // A failed write leaves a regular file as it was: nothing is committed.
    if (!writer.ok() || !output.commit()) {
        say(QStringLiteral("%1: запись не удалась: %2")
                .arg(output.name(), writer.ok() ? output.errorString() : output.writeError()));
        return BatchFailed;
    }
    return refused ? BatchInputErrors : BatchAllSized;
}

void Run::addItem(const BatchRecord &sized, std::size_t index, std::vector<PricedListItem> &items,
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
        // A writer told to stop gives up; the run says so itself.
        if (!records.stopped())
            say(why);
        return BatchFailed;
    }
    TemporaryName temporary(QDir::temp().filePath(QStringLiteral("gasmeter-batch-XXXXXX")));
    if (!temporary.made()) {
        say(QStringLiteral("%1: не удается записать: %2").arg(QDir::tempPath(), temporary.errorString()));
        return BatchFailed;
    }
    if (!collected_(options_.format, temporary.path(), records, &why)) {
        if (!records.stopped())
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
    tableLines_ += BatchTableLineCount(record, rows_);
}

void CollectedPoints::forEach(const std::function<void(const BatchRecord &)> &visit) const
{
    for (const BatchPoint &point : points_) {
        if (stopped())
            return;
        visit(SizeBatchPoint(point, catalogue_));
    }
}

std::optional<BatchOptions> ParseBatchArguments(const QStringList &arguments, QString *error)
{
    BatchOptions options;
    bool inputGiven = false;
    bool optionsEnded = false;
    QString format, inputFormat, rows, jobs;
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
            options.pricedList = true;
            continue;
        }
        if (a == u"--progress") {
            options.progress = true;
            continue;
        }
        if (a == u"-q" || a == u"--quiet") {
            options.quiet = true;
            continue;
        }
        std::optional<bool> taken = value(QStringLiteral("-o"), QStringLiteral("--output"), options.output);
        if (!taken)
            taken = value(QStringLiteral("-f"), QStringLiteral("--format"), format);
        if (!taken)
            taken = value(QStringLiteral("-j"), QStringLiteral("--jobs"), jobs);
        // Long options only: the same name twice.
        for (const auto &[name, target] : {std::pair{u"--input-format", &inputFormat},
                                           std::pair{u"--rows", &rows}, std::pair{u"--sheet", &options.sheet}}) {
            const QString longName = QString::fromUtf16(name);
            if (!taken && (a == longName || a.startsWith(longName + u'=')))
                taken = value(longName, longName, *target);
        }
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
    else if (inputFormat == u"xlsx")
        options.inputFormat = BatchInputFormat::Xlsx;
    else if (!inputFormat.isEmpty())
        return refuse(
            QStringLiteral("неизвестный формат входа «%1»: ожидается csv, project или xlsx").arg(inputFormat));
    if (rows == u"optimal")
        options.rows = BatchRows::Optimal;
    else if (!rows.isEmpty() && rows != u"all")
        return refuse(QStringLiteral("неизвестное значение --rows «%1»: ожидается all или optimal").arg(rows));
    if (!jobs.isEmpty()) {
        bool ok = false;
        options.jobs = jobs.toInt(&ok);
        if (!ok || options.jobs < 1 || jobs != QString::number(options.jobs))
            return refuse(QStringLiteral("--jobs: ожидается число потоков от 1, а не «%1»").arg(jobs));
    }
    if (options.progress && options.quiet)
        return refuse(QStringLiteral("--progress и --quiet вместе не задаются"));
    if (!format.isEmpty()) {
        const std::optional<BatchFormat> named = FormatNamed(format);
        if (!named)
            return refuse(QStringLiteral("неизвестный формат «%1»: ожидается csv, json, xlsx или pdf").arg(format));
        options.format = *named;
    } else if (!ToStandardOutput(options)) {
        options.format = FormatNamed(QFileInfo(options.output).suffix()).value_or(BatchFormat::Csv);
    }
    if (options.rows == BatchRows::Optimal && options.format == BatchFormat::Pdf)
        return refuse(QStringLiteral("--rows optimal пишет таблицы csv, json и xlsx; отчет pdf показывает "
                                     "все варианты"));
    return options;
}

QString BatchUsage()
{
    QString modes;
    for (int mode = FirstMode; mode <= LastMode; ++mode)
        modes += QStringLiteral("                %1 — %2\n").arg(mode).arg(CategoryCaption(mode));
    return QStringLiteral(
               "Использование: gasmeter-batch [-o ВЫХОД] [--format csv|json|xlsx|pdf]\n"
               "                      [--input-format csv|project|xlsx] [--sheet ЛИСТ] [--spec]\n"
               "                      [--rows all|optimal] [--jobs N] [--progress | --quiet]\n"
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
               "                       программы (.gmsz); xlsx — лист книги Excel; без\n"
               "                       параметра — project для ВХОДА с расширением .gmsz,\n"
               "                       xlsx для .xlsx, иначе csv\n"
               "      --sheet ЛИСТ     лист книги xlsx по названию; без параметра — первый\n"
               "      --rows ВАРИАНТЫ  all — все подходящие варианты (по умолчанию);\n"
               "                       optimal — только оптимальные, точка без них — одной\n"
               "                       строкой, как точка без вариантов (csv, json, xlsx)\n"
               "  -j, --jobs N         потоков подбора; по умолчанию — по числу ядер; при\n"
               "                       любом N результат тот же, байт в байт\n"
               "      --progress       ход работы (точек, доля файла, точек в секунду,\n"
               "                       сколько осталось) на стандартном выводе ошибок и\n"
               "                       тогда, когда это не терминал; на терминале он\n"
               "                       показывается и так, если результаты идут не туда\n"
               "  -q, --quiet          без хода работы, без сообщений об отдельных точках\n"
               "                       и о кодировке; ошибки, из-за которых работа\n"
               "                       остановлена, сообщаются всегда\n"
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
               "Входная таблица: текст UTF-8 (с меткой BOM или без) или Windows-1251 (текст\n"
               "не в UTF-8; об этом одно сообщение), поля через «;», «,» или табуляцию —\n"
               "какой знак, видно по строке заголовка; поля в кавычках по RFC 4180, концы\n"
               "строк LF или CR LF. В таблице через «,» дробная часть чисел отделяется\n"
               "точкой. Стандартный ввод судится по первым 64 КБ: дальше текст не в UTF-8 —\n"
               "ошибка строки (таблицу в Windows-1251 читайте из файла). Первая строка —\n"
               "названия столбцов в любом порядке. Обязателен столбец mode, отсутствующие\n"
               "столбцы считаются пустыми. Файл проекта читается как таблица его точек,\n"
               "которую окно проекта сохраняет командой «Экспорт таблицы точек»: результаты\n"
               "те же. Книга xlsx: заголовок — первая непустая строка листа, таблица\n"
               "начинается со столбца A, пустые строки пропускаются; ячейки — как их\n"
               "показывает таблица (числа по правилам программы, логические — 1 и 0),\n"
               "дата в числовом столбце — ошибка точки с адресом ячейки (например D4).\n"
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
               "входе варианта при Qраб max, м/с, и price_list — прайс-лист, по которому\n"
               "взяты цены; JSON — объект {\"points\": [...], \"price_list\": ...},\n"
               "причина в поле no_fit_reason, условия в объекте conditions, проверки в\n"
               "массиве flags и скорость в поле v_inlet каждого варианта; xlsx — та же\n"
               "таблица, что CSV; pdf — один\n"
               "документ: на первой странице список точек со страницами, затем отчет о\n"
               "подборе по каждой точке с новой страницы, на каждой странице обозначение\n"
               "точки и строка входной таблицы, сквозная нумерация.\n"
               "\n"
               "Код завершения: 0 — подобраны все точки; 1 — в части точек ошибки исходных\n"
               "данных (остальные записаны); 2 — ошибка вызова, файл не читается или не\n"
               "разбирается (в сообщении строка и столбец) или результат не удалось записать;\n"
               "130 — работа прервана (Ctrl-C, SIGINT или SIGTERM): обычный файл ВЫХОДА не\n"
               "записан и временного файла рядом не осталось.\n")
        .arg(modes, PressureUnitTexts().join(QStringLiteral(", ")));
}

int RunBatch(const BatchOptions &options, QIODevice &standardInput, QIODevice &standardOutput,
             QIODevice &errors, const CollectedWriter &collected, const CatalogueWorkbookWriter &catalogueWorkbook,
             const BatchContext &context)
{
    if (options.help) {
        standardOutput.write(BatchUsage().toUtf8());
        return BatchAllSized;
    }
    return Run(options, standardInput, standardOutput, errors, collected, catalogueWorkbook, context).run();
}
