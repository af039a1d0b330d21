// The project report, written as PDF and read back with pdftotext: the cover, the
// priced list, the contents against the pages each point really starts on, the
// chosen rows marked, points without a product, the rates, a file that cannot be
// written.
#include "report/project_report.h"
#include "core/project/project_file.h"
#include "core/project/project_points.h"
#include "core/project/project_priced_list.h"
#include "report_test_support.h"

#include <QFile>
#include <QLocale>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString ChosenMarkText = u"◄ выбрано"_s;

Project Example()
{
    QFile file(QStringLiteral(GAS_EXAMPLE_PROJECT));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return ReadProjectFile(file.readAll()).project.value_or(Project{});
}

// The pages as pdftotext reads them, a no-break space read as a plain one.
QStringList Pages(const QString &pdfPath)
{
    QStringList pages = PdfText(pdfPath).replace(QChar(0x00A0), u' ').split(u'\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

QString Esc(const QString &text)
{
    return QRegularExpression::escape(text);
}

bool Matches(const QString &pattern, const QString &text)
{
    return QRegularExpression(pattern, QRegularExpression::MultilineOption).match(text).hasMatch();
}

// A point's heading on the first line of a page, its product starting with `product`
// (with `whole`, the product and nothing after it).
bool HeadedBy(const QString &page, int number, const ProjectPoint &point, const QString &product,
              bool whole = false)
{
    return Matches(u"\\A\\s*Точка %1\\. «%2», количество %3, изделие: %4%5"_s.arg(number)
                       .arg(Esc(point.id))
                       .arg(point.quantity)
                       .arg(Esc(product), whole ? u"\\s*$"_s : QString()),
                   page);
}

// "1 234,50" with the separator; written with '.' and '_' for the group space.
QString Figure(QString text, QChar separator)
{
    static const QRegularExpression point(u"(\\d)\\.(\\d)"_s);
    return text.replace(point, u"\\1"_s + separator + u"\\2"_s).replace(u'_', u' ');
}

} // namespace

class TestProjectReport : public QObject {
    Q_OBJECT

    ProductCatalogue catalogue_;
    QTemporaryDir folder_;
    const QDateTime when_{QDate(2026, 3, 5), QTime(10, 30)};

    std::vector<BatchRecord> sized(const Project &project) const
    {
        std::vector<BatchRecord> records;
        for (const ProjectPoint &point : project.points)
            records.push_back(SizeProjectPoint(point, catalogue_));
        return records;
    }

    // The project's PDF read back page by page; empty when it could not be written.
    QStringList written(const Project &project, const std::vector<BatchRecord> &records,
                        const PricedList &priced)
    {
        const QString path = folder_.filePath(u"project.pdf"_s);
        QString error;
        if (!WriteProjectReportPdf(path, {project, records, priced, when_, u"3.1"_s}, catalogue_, &error)) {
            qWarning("%s", qPrintable(error));
            return {};
        }
        return Pages(path);
    }

    QStringList written(const Project &project)
    {
        const std::vector<BatchRecord> records = sized(project);
        return written(project, records, ProjectPricedList(project, records));
    }

    // The product a point's heading and the contents name.
    static QString productOf(const ProjectPoint &point, const BatchRecord &record)
    {
        const Candidate *chosen = record.hasError() ? nullptr : ChosenCandidate(point, record);
        return chosen ? chosen->record.Name : u"не подобрано"_s;
    }

    // Every page numbered over the whole file; the contents, from the page headed
    // "Содержание" on, give each point the page its sizing starts on: from there up to
    // the next point's start (the last point's up to the end) each page, and no other,
    // carries its heading. The pages of each point, 0-based, in *ranges.
    static void checkContents(const QStringList &pages, const Project &project,
                              const std::vector<BatchRecord> &records, std::vector<std::pair<int, int>> *ranges)
    {
        const int total = int(pages.size());
        for (int page = 0; page < total; ++page)
            QVERIFY2(pages[page].contains(u"Стр. %1 из %2"_s.arg(page + 1).arg(total)), qPrintable(pages[page]));
        QVERIFY(total >= 3 + int(project.points.size()));
        int firstPoint = 2;
        while (firstPoint < total && !pages[firstPoint].trimmed().startsWith(u"Содержание"_s))
            ++firstPoint;
        QVERIFY(firstPoint < total);

        QString contents;
        while (firstPoint < total && !pages[firstPoint].trimmed().startsWith(u"Точка 1."_s))
            contents += pages[firstPoint++];
        QVERIFY(firstPoint < total);

        std::vector<int> starts;
        for (std::size_t i = 0; i < project.points.size(); ++i) {
            const ProjectPoint &point = project.points[i];
            const QString product = productOf(point, records[i]);
            const QRegularExpression entry(u"^\\s*%1\\s+%2\\s+%3\\s+%4\\s+(\\d+)\\s*$"_s.arg(i + 1)
                                               .arg(Esc(point.id))
                                               .arg(point.quantity)
                                               .arg(Esc(product)),
                                           QRegularExpression::MultilineOption);
            const QRegularExpressionMatch match = entry.match(contents);
            QVERIFY2(match.hasMatch(), qPrintable(point.id + u"\n"_s + contents));
            const int start = match.captured(1).toInt();
            QVERIFY2(start >= 1 && start <= total, qPrintable(point.id));
            starts.push_back(start);
        }
        QCOMPARE(starts.front(), firstPoint + 1);
        starts.push_back(total + 1);
        ranges->clear();
        for (std::size_t i = 0; i + 1 < starts.size(); ++i) {
            QVERIFY(starts[i] < starts[i + 1]);
            const ProjectPoint &point = project.points[i];
            for (int page = starts[i]; page < starts[i + 1]; ++page)
                QVERIFY2(HeadedBy(pages[page - 1], int(i) + 1, point, productOf(point, records[i])),
                         qPrintable(pages[page - 1].left(200)));
            ranges->push_back({starts[i] - 1, starts[i + 1] - 1});
        }
    }

    static QString joined(const QStringList &pages, std::pair<int, int> range)
    {
        return pages.mid(range.first, range.second - range.first).join(QString());
    }

private slots:
    void initTestCase()
    {
        QVERIFY(folder_.isValid());
        catalogue_.Fill();
        QCOMPARE(Example().points.size(), std::size_t(5));
    }

    void cleanup() { QLocale::setDefault(QLocale::c()); }

    // The example project: the cover with its heading and rates, the priced list's
    // four rows and totals as computed by hand, the contents against the points' pages,
    // each point's chosen rows marked; numbers with the desktop's decimal separator.
    void example_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::newRow("C") << u"C"_s;
        QTest::newRow("Russian") << u"ru_RU"_s;
    }

    void example()
    {
        SKIP_WITHOUT_PDFTOTEXT();
        QFETCH(QString, locale);
        QLocale::setDefault(QLocale(locale));
        const QChar separator = QLocale().decimalPoint().front();
        const Project project = Example();
        const std::vector<BatchRecord> records = sized(project);
        const QStringList pages = written(project, records, ProjectPricedList(project, records));
        QVERIFY(!pages.isEmpty());

        const QString cover = pages[0].simplified();
        QVERIFY2(cover.startsWith(u"Проект подбора оборудования учёта газа"_s), qPrintable(cover));
        for (const QString &line : {u"Объект: Котельная №2, ул. Заводская, 14"_s, u"Заказчик: АО «Теплосеть»"_s,
                                    u"Исполнитель: Петров П. П."_s, u"Точек учёта: 5"_s, u"Дата: 05.03.2026"_s,
                                    u"Версия программы: 3.1"_s, u"Ставка НДС: 22 %"_s, u"Курс евро: не задан"_s})
            QVERIFY2(cover.contains(line), qPrintable(line + u" / "_s + cover));

        // 1 x 83 525,00; 3 x 31 350,00; 1 x 175 000,00; 2 x 135 000,00 at 22 %.
        const QString priced = pages[1];
        QVERIFY(priced.trimmed().startsWith(u"Спецификация"_s));
        const QStringList rows[] = {
            {u"ВЕЛОНВз-Р-0,75-100/1,6"_s, u"1"_s, u"83_525.00"_s, u"83_525.00"_s, u"18_375.50"_s},
            {u"ZAM G65"_s, u"3"_s, u"31_350.00"_s, u"94_050.00"_s, u"20_691.00"_s},
            {u"ТИВ-Ш-100-исп.1"_s, u"1"_s, u"175_000.00"_s, u"175_000.00"_s, u"38_500.00"_s},
            {u"ЛЕМА-Ш-500"_s, u"2"_s, u"135_000.00"_s, u"270_000.00"_s, u"59_400.00"_s}};
        for (int i = 0; i < 4; ++i) {
            const QStringList &row = rows[i];
            const QString pattern = u"^\\s*%1\\s+%2\\s+\\d+\\s+%3\\s+%4\\s+%5\\s+%6\\s+RUB\\s"_s.arg(i + 1)
                                        .arg(Esc(row[0]), row[1], Esc(Figure(row[2], separator)),
                                             Esc(Figure(row[3], separator)), Esc(Figure(row[4], separator)));
            QVERIFY2(Matches(pattern, priced), qPrintable(pattern + u"\n"_s + priced));
        }
        QVERIFY(!Matches(u"^\\s*5\\s"_s, priced));
        const QString simplified = priced.simplified();
        for (const QString &line : {u"Итого без НДС: 622_575.00 руб."_s, u"НДС 22 %: 136_966.50 руб."_s,
                                    u"Всего с НДС: 759_541.50 руб."_s})
            QVERIFY2(simplified.contains(Figure(line, separator)), qPrintable(line));
        // No euro rows: no rouble columns, no line of a rate.
        QVERIFY(!simplified.contains(u"НДС, руб."_s));
        QVERIFY(!simplified.contains(u"курс евро"_s));

        // The cover, one page of priced list, one of contents, one page a point.
        QCOMPARE(pages.size(), 8);
        QVERIFY(pages[2].trimmed().startsWith(u"Содержание"_s));
        std::vector<std::pair<int, int>> ranges;
        checkContents(pages, project, records, &ranges);
        if (QTest::currentTestFailed())
            return;
        // The chosen product's rows, and only those, carry the mark: not another row of
        // the same designation (point 3 has two of ZAM G65).
        for (std::size_t i = 0; i < ranges.size(); ++i) {
            const SizingOutcome &outcome = records[i].outcome;
            const Candidate *chosen = ChosenCandidate(project.points[i], records[i]);
            QVERIFY(chosen);
            qsizetype rows = 0, named = 0;
            for (const auto *list : {&outcome.optimal, &outcome.possible}) {
                for (const Candidate &c : *list) {
                    rows += c.slot == chosen->slot;
                    named += c.record.Name == chosen->record.Name;
                }
            }
            QVERIFY(rows >= 1);
            if (i == 2)
                QVERIFY(named > rows);
            QCOMPARE(joined(pages, ranges[i]).count(ChosenMarkText), rows);
        }
    }

    // Seventy points: the contents run over more than one page and still give each
    // point's page.
    void contentsOverPages()
    {
        SKIP_WITHOUT_PDFTOTEXT();
        const Project example = Example();
        Project project = example;
        project.points.clear();
        for (int copy = 1; copy <= 14; ++copy) {
            for (ProjectPoint point : example.points) {
                point.id += u" / %1"_s.arg(copy);
                project.points.push_back(point);
            }
        }
        const std::vector<BatchRecord> records = sized(project);
        const QStringList pages = written(project, records, ProjectPricedList(project, records));
        QVERIFY(!pages.isEmpty());
        QVERIFY(!pages[3].trimmed().startsWith(u"Точка 1."_s)); // a second page of contents
        std::vector<std::pair<int, int>> ranges;
        checkContents(pages, project, records, &ranges);
    }

    // A point without a product: none chosen, a choice that no longer fits, texts
    // refused before or by the sizing. The contents and its heading say "не
    // подобрано", its pages mark no row, the priced list names it below the table.
    void pointWithoutProduct_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("column"); // the column changed, or -1 to change the choice
        QTest::addColumn<QString>("text"); // the new text of either
        QTest::addColumn<bool>("sized");   // the texts reached the sizing
        QTest::addColumn<QString>("heading"); // how the heading names the product
        QTest::newRow("cleared") << 1 << -1 << QString() << true << u"не подобрано"_s;
        QTest::newRow("no longer fits") << 1 << -1 << u"NM G25"_s << true << u"не подобрано (NM G25 не подходит)"_s;
        QTest::newRow("texts refused") << 0 << int(BatchColumn::PmaxUnit) << u"psi"_s << false
                                       << u"не подобрано (ошибка исходных данных)"_s;
        QTest::newRow("sizing refused") << 3 << int(BatchColumn::Qmax) << u"abc"_s << true
                                        << u"не подобрано (ошибка исходных данных)"_s;
    }

    void pointWithoutProduct()
    {
        SKIP_WITHOUT_PDFTOTEXT();
        QFETCH(int, index);
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(bool, sized);
        QFETCH(QString, heading);
        Project project = Example();
        ProjectPoint &point = project.points[std::size_t(index)];
        if (column < 0)
            point.choice = text;
        else
            point.setText(BatchColumn(column), text);
        const std::vector<BatchRecord> records = this->sized(project);
        const BatchRecord &record = records[std::size_t(index)];
        QCOMPARE(record.hasError(), column >= 0);
        QCOMPARE(record.sized, sized);
        const QStringList pages = written(project, records, ProjectPricedList(project, records));
        QVERIFY(!pages.isEmpty());

        std::vector<std::pair<int, int>> ranges;
        checkContents(pages, project, records, &ranges);
        if (QTest::currentTestFailed())
            return;
        const QString own = joined(pages, ranges[std::size_t(index)]);
        QVERIFY2(HeadedBy(own, index + 1, point, heading, true), qPrintable(own.left(200)));
        QVERIFY(!own.contains(ChosenMarkText));
        if (record.hasError())
            QVERIFY2(own.simplified().contains(record.error.simplified()), qPrintable(record.error));
        QVERIFY2(pages[1].simplified().contains(u"не подобрано: "_s + point.id), qPrintable(pages[1]));
        // The other points keep their marks.
        for (std::size_t i = 0; i < ranges.size(); ++i)
            if (int(i) != index)
                QVERIFY(joined(pages, ranges[i]).contains(ChosenMarkText));
    }

    // The cover leaves out an empty or blank field of the heading, and only it.
    void coverHeading_data()
    {
        QTest::addColumn<QString>("object");
        QTest::addColumn<QString>("customer");
        QTest::addColumn<QString>("engineer");
        QTest::newRow("all filled") << u"Котельная"_s << u"АО «Теплосеть»"_s << u"Петров П. П."_s;
        QTest::newRow("no customer") << u"Котельная"_s << QString() << u"Петров П. П."_s;
        QTest::newRow("blank engineer, no object") << QString() << u"АО «Теплосеть»"_s << u"   "_s;
        QTest::newRow("none") << QString() << QString() << QString();
    }

    void coverHeading()
    {
        SKIP_WITHOUT_PDFTOTEXT();
        QFETCH(QString, object);
        QFETCH(QString, customer);
        QFETCH(QString, engineer);
        Project project = Example();
        project.heading = {object, customer, engineer};
        const QStringList pages = written(project);
        QVERIFY(!pages.isEmpty());
        const QString cover = pages[0].simplified();
        const std::pair<QString, QString> fields[] = {
            {u"Объект"_s, object}, {u"Заказчик"_s, customer}, {u"Исполнитель"_s, engineer}};
        for (const auto &[caption, value] : fields) {
            if (value.trimmed().isEmpty())
                QVERIFY2(!cover.contains(caption + u':'), qPrintable(caption));
            else
                QVERIFY2(cover.contains(caption + u": "_s + value), qPrintable(caption));
        }
        QVERIFY(cover.contains(u"Дата: 05.03.2026"_s));
    }

    // The cover names the VAT rate and the euro rate with its date, or none; the
    // priced list shows the euro rows in roubles only with a rate.
    void rates_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("vat");
        QTest::addColumn<qint64>("rate"); // ten-thousandths; 0: none
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("vatLine");
        QTest::addColumn<QString>("rateLine");
        QTest::addColumn<QString>("inRoubles"); // 246,90 EUR at the rate; empty: not shown
        QTest::newRow("no rate") << u"C"_s << 2200 << qint64(0) << QDate() << u"22 %"_s << u"не задан"_s
                                 << QString();
        QTest::newRow("rate and date") << u"C"_s << 2000 << qint64(1005000) << QDate(2026, 2, 1) << u"20 %"_s
                                       << u"100.5 руб. на 01.02.2026"_s << u"24_813.45"_s;
        QTest::newRow("rate, no date, Russian") << u"ru_RU"_s << 1250 << qint64(987654) << QDate() << u"12,5 %"_s
                                                << u"98,7654 руб."_s << u"24_385.18"_s;
    }

    void rates()
    {
        SKIP_WITHOUT_PDFTOTEXT();
        QFETCH(QString, locale);
        QFETCH(int, vat);
        QFETCH(qint64, rate);
        QFETCH(QDate, date);
        QFETCH(QString, vatLine);
        QFETCH(QString, rateLine);
        QFETCH(QString, inRoubles);
        QLocale::setDefault(QLocale(locale));
        Project project = Example();
        project.pricing.vatHundredths = vat;
        if (rate > 0)
            project.pricing.eurRate = rate;
        project.pricing.eurRateDate = date;
        const std::vector<BatchRecord> records = sized(project);
        // A euro product beside the project's own: 2 x 123,45 EUR.
        std::vector<PricedListItem> items{{u"Е-1"_s, u"NM G4"_s, 25, 2, Money{12345}, Currency::Euros}};
        const PricedList priced = BuildPricedList(items, {}, project.pricing);
        const QStringList pages = written(project, records, priced);
        QVERIFY(!pages.isEmpty());
        const QString cover = pages[0].simplified();
        QVERIFY2(cover.contains(u"Ставка НДС: "_s + vatLine), qPrintable(cover));
        QVERIFY2(cover.contains(u"Курс евро: "_s + rateLine), qPrintable(cover));
        // The euro row in roubles in a column of its own, only with a rate.
        const QString pricedText = pages[1].simplified();
        QVERIFY(pricedText.contains(u"EUR"_s));
        const QChar separator = QLocale().decimalPoint().front();
        QCOMPARE(pricedText.contains(u"НДС, руб."_s), !inRoubles.isEmpty());
        if (inRoubles.isEmpty()) {
            QVERIFY(!pricedText.contains(u"руб."_s)); // no column, no total in roubles
        } else {
            const QString inColumn = u"\\sEUR\\s+%1\\s"_s.arg(Esc(Figure(inRoubles, separator)));
            QVERIFY2(Matches(inColumn, pages[1]), qPrintable(pages[1]));
            QVERIFY(pricedText.contains(u"Всего с НДС в рублях (курс евро "_s + rateLine));
        }
    }

    // A priced list of many rows runs over pages, the table's header repeated on
    // each, every row once and the totals after the last.
    void longPricedList()
    {
        SKIP_WITHOUT_PDFTOTEXT();
        const Project project = Example();
        const std::vector<BatchRecord> records = sized(project);
        std::vector<PricedListItem> items;
        for (int i = 1; i <= 90; ++i)
            items.push_back({u"P%1"_s.arg(i), u"Изделие-%1"_s.arg(i, 2, 10, QChar(u'0')), 50, 1, Money{100000},
                             Currency::Roubles});
        const QStringList pages = written(project, records, BuildPricedList(items, {}, project.pricing));
        QVERIFY(!pages.isEmpty());
        int contents = 1;
        while (contents < pages.size() && !pages[contents].trimmed().startsWith(u"Содержание"_s))
            ++contents;
        QVERIFY2(contents >= 3, "the priced list takes more than one page");
        QString priced;
        for (int page = 1; page < contents; ++page) {
            QVERIFY2(pages[page].contains(u"Точки учёта"_s), qPrintable(pages[page].left(400)));
            priced += pages[page];
        }
        for (int i = 1; i <= 90; ++i)
            QCOMPARE(priced.count(u"Изделие-%1 "_s.arg(i, 2, 10, QChar(u'0'))), 1);
        QVERIFY(pages[contents - 1].simplified().contains(u"Всего с НДС: 109 800.00 руб."_s));
        std::vector<std::pair<int, int>> ranges;
        checkContents(pages, project, records, &ranges);
    }

    // PaintProjectReport paints the same pages on a device of the caller's; records
    // that are not one a point paint nothing.
    void paintsOnDevice()
    {
        SKIP_WITHOUT_PDFTOTEXT(); // pdfinfo
        const Project project = Example();
        const std::vector<BatchRecord> records = sized(project);
        const PricedList priced = ProjectPricedList(project, records);
        const auto pageCount = [](const QString &path) {
            const QString info = QString::fromUtf8(ToolOutput(u"pdfinfo"_s, {path}));
            return QRegularExpression(u"^Pages:\\s+(\\d+)$"_s, QRegularExpression::MultilineOption)
                .match(info).captured(1).toInt();
        };
        const QString own = folder_.filePath(u"device.pdf"_s);
        {
            QPdfWriter pdf(own);
            pdf.setPageSize(QPageSize(QPageSize::A4));
            pdf.setResolution(600);
            QVERIFY(PaintProjectReport(pdf, {project, records, priced, when_, u"3.1"_s}, catalogue_));
        }
        const QString path = folder_.filePath(u"file.pdf"_s);
        QString error;
        QVERIFY2(WriteProjectReportPdf(path, {project, records, priced, when_, u"3.1"_s}, catalogue_, &error),
                 qPrintable(error));
        QVERIFY(pageCount(path) >= 8);
        QCOMPARE(pageCount(own), pageCount(path));

        const std::vector<BatchRecord> fewer(records.begin(), records.end() - 1);
        QPdfWriter other(folder_.filePath(u"fewer.pdf"_s));
        QVERIFY(!PaintProjectReport(other, {project, fewer, priced, when_, u"3.1"_s}, catalogue_));
        QVERIFY(!WriteProjectReportPdf(folder_.filePath(u"fewer-file.pdf"_s), {project, fewer, priced, when_, u"3.1"_s},
                                       catalogue_, &error));
        QVERIFY(!QFile::exists(folder_.filePath(u"fewer-file.pdf"_s)));
    }

    // A file that cannot be written: false, the file named, nothing left behind.
    void refusedFile()
    {
        QTemporaryDir target;
        const QString path = target.filePath(u"missing/project.pdf"_s);
        const Project project = Example();
        const std::vector<BatchRecord> records = sized(project);
        const PricedList priced = ProjectPricedList(project, records);
        QString error;
        QVERIFY(!WriteProjectReportPdf(path, {project, records, priced, when_, u"3.1"_s}, catalogue_, &error));
        QVERIFY2(error.contains(QDir::toNativeSeparators(path)), qPrintable(error));
        QVERIFY(FolderEntries(target.path()).isEmpty());
    }
};

QTEST_MAIN(TestProjectReport)
#include "tst_project_report.moc"
