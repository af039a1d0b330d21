// The price list and the catalogue through the whole window set, as a user drives
// them: the maker's list loaded from the menu, what it would do shown before anything
// changes, put in force with "Применить" or refused with the lines to mend; the list
// in force again at the next start, a damaged kept list, the built-in list taken back,
// a run sized afterwards at the new prices; the catalogue window and its saved rows.
#include "app/catalogue_flow.h"
#include "app/project_flow.h"
#include "app/window_set.h"
#include "core/catalogue/kept_price_list.h"
#include "core/catalogue/price_list_check.h"
#include "core/catalogue/price_list_file.h"
#include "core/input/number_text.h"
#include "core/state/app_state.h"
#include "ui/catalogue/catalogue_window.h"
#include "ui/catalogue/price_list_check_window.h"
#include "ui/launcher/main_window.h"
#include "ui/project/project_document.h"
#include "ui/results/results_window.h"
#include "ui_test_support.h"
#include "zip_member.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QString Example = QStringLiteral(GAS_EXAMPLES "/price-list.csv");
const QString ExampleFixed = QStringLiteral(GAS_EXAMPLES "/price-list-fixed.csv");

// The ten prices the example changes, by slot, in kopecks.
const QList<QPair<int, qint64>> ExampleChanges = {
    {201, 8690000}, {1901, 4750000}, {801, 2950000}, {901, 2350000}, {1002, 4990000},
    {1101, 6490}, {1102, 3550}, {1203, 21900000}, {1601, 12400000}, {1702, 22650000},
};

} // namespace

class TestCatalogueFlow : public QObject {
    Q_OBJECT
    std::unique_ptr<AppState> state;
    std::unique_ptr<WindowSet> windows;
    QTemporaryDir folder;
    QString settings;
    QString answer; // what the open dialog answers
    ProductCatalogue builtIn;

    CatalogueFlow &flow() { return windows->catalogue(); }
    PriceListCheckWindow &check() { return flow().checkWindow(); }
    qint64 kopecks(int slot) const { return MoneyOfPrice(state->Catalogue.at(slot).Price).minor; }
    bool atBuiltInPrices() const
    {
        for (int slot = ProductCatalogue::FirstSlot; slot <= ProductCatalogue::LastSlot; ++slot)
            if (state->Catalogue.at(slot).Price != builtIn.at(slot).Price)
                return false;
        return state->Catalogue.priceList().isBuiltIn();
    }
    // A new start of the program on the same settings folder.
    void start()
    {
        windows.reset();
        state = std::make_unique<AppState>();
        windows = std::make_unique<WindowSet>(*state);
        flow().setSettingsPath(settings);
        flow().askPriceListPath = [this] { return answer; };
    }
    void load(const QString &path)
    {
        answer = path;
        windows->Form1->PriceListLoadAction->trigger();
    }

private slots:
    void initTestCase()
    {
        QuietOffscreenWarnings();
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(folder.isValid());
        builtIn.Fill();
    }
    void init()
    {
        settings = folder.filePath(u"%1/settings.ini"_s.arg(QTest::currentTestFunction()));
        start();
    }
    void cleanup()
    {
        windows.reset();
        state.reset();
    }

    void fixedExampleChecksAndApplies()
    {
        MessageCatcher catcher;
        load(ExampleFixed);
        QVERIFY(check().isVisible());
        QCOMPARE(check().objectName(), QString::fromLatin1(check().metaObject()->className()));
        QVERIFY(check().isWindow());
        QCOMPARE(check().windowModality(), Qt::NonModal);
        // Nothing has changed yet.
        QVERIFY(atBuiltInPrices());
        QCOMPARE(check().PriceListChangesTable->rowCount(), 10);
        QCOMPARE(check().PriceListUnknownTable->rowCount(), 1);
        QCOMPARE(check().PriceListUnknownTable->item(0, 1)->text(), u"ZAM G1000"_s);
        QCOMPARE(check().PriceListLeftOutTable->rowCount(), 548);
        QCOMPARE(check().PriceListRefusedTable->rowCount(), 0);
        QVERIFY(check().windowTitle().contains(u"от 01.03.2025"_s));
        QVERIFY(check().PriceListCheckSummary->text().contains(u"Windows-1251"_s));
        QVERIFY(check().PriceListApplyButton->isEnabled());

        ClickButton(check().PriceListApplyButton);
        QVERIFY(catcher.messages().isEmpty());
        QVERIFY(!check().isVisible());
        for (const auto &[slot, price] : ExampleChanges)
            QCOMPARE(kopecks(slot), price);
        QCOMPARE(kopecks(1003), MoneyOfPrice(builtIn.at(1003).Price).minor); // the other KEL G160/1,6
        const PriceListInfo &info = PriceListInForce(*state);
        QCOMPARE(info.name, u"Прайс-лист на оборудование учёта газа"_s);
        QCOMPARE(info.date, QDate(2025, 3, 1));
        QCOMPARE(info.source, QFileInfo(ExampleFixed).absoluteFilePath());
        QVERIFY(QFile::exists(flow().keptPath()));
    }

    // A run sized after the list is put in force is priced by it; the run the results
    // window already shows keeps its prices.
    void runsAfterwardsUseTheNewPrices()
    {
        SizingRequest r;
        r.mode = 4;
        r.qmaxStd = 5;
        r.qminStd = 0.1;
        r.working = {u"2"_s, int(PressureUnit::Kilopascal)};
        windows->Form2->ShowOutcome(Size(r, state->Catalogue));
        const double before = windows->Form2->shownOutcome()->possible.front().record.Price;
        QCOMPARE(windows->Form2->shownOutcome()->possible.front().record.Name, u"NM G6"_s);
        load(ExampleFixed);
        ClickButton(check().PriceListApplyButton);
        QCOMPARE(windows->Form2->shownOutcome()->possible.front().record.Price, before);
        const SizingOutcome again = Size(r, state->Catalogue);
        QCOMPARE(again.possible.front().record.Price, 64.9);
        QCOMPARE(again.currency, Currency::Euros);
    }

    // An open project is priced again by the list in force, and stays as saved.
    void projectPricedAgain()
    {
        QVERIFY(windows->project().OpenFile(QStringLiteral(GAS_EXAMPLE_PROJECT)));
        ProjectDocument &document = windows->project().document();
        const auto pricedInForce = [&] {
            int seen = 0;
            for (const BatchRecord &record : document.records())
                for (const Candidate &c : record.outcome.possible) {
                    if (c.record.Price != state->Catalogue.at(c.slot).Price)
                        return -1;
                    ++seen;
                }
            return seen;
        };
        int changedRows = 0;
        const QString list = folder.filePath(u"zam.csv"_s);
        QFile file(list);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Обозначение;Цена\nZAM G65;30 000\n");
        file.close();
        load(list);
        ClickButton(check().PriceListApplyButton);
        for (const BatchRecord &record : document.records())
            for (const Candidate &c : record.outcome.possible)
                changedRows += c.record.Price != builtIn.at(c.slot).Price;
        QVERIFY(pricedInForce() > 0);
        QVERIFY(changedRows > 0);
        QVERIFY(!document.modified());
        windows->Form1->PriceListBuiltInAction->trigger();
        QVERIFY(pricedInForce() > 0);
    }

    void refusedLineAppliesNothing()
    {
        MessageCatcher catcher;
        load(Example);
        QVERIFY(catcher.messages().isEmpty());
        QVERIFY(check().isVisible());
        QCOMPARE(check().PriceListRefusedTable->rowCount(), 1);
        QCOMPARE(check().PriceListRefusedTable->item(0, 0)->text(), u"20"_s);
        QVERIFY(check().PriceListRefusedTable->item(0, 2)->text().contains(u"уже стоит в строке 7"_s));
        QCOMPARE(check().PriceListCheckTabs->currentWidget(), check().PriceListRefusedTable);
        QVERIFY(!check().PriceListApplyButton->isEnabled());
        QVERIFY2(check().PriceListCheckVerdict->text().contains(u"строка 20"_s),
                 qPrintable(check().PriceListCheckVerdict->text()));
        ClickButton(check().PriceListApplyButton);
        QVERIFY(!flow().Apply());
        QVERIFY(atBuiltInPrices());
        QVERIFY(!QFile::exists(flow().keptPath()));
    }

    void fileRefusedWhole_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("why");
        QTest::newRow("no header") << QByteArray("ZAM G16;1\n") << u"не найдена строка заголовка"_s;
        QTest::newRow("missing") << QByteArray() << u"Не удалось открыть"_s;
    }

    void fileRefusedWhole()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, why);
        const QString path = folder.filePath(u"bad-%1.csv"_s.arg(QTest::currentDataTag()));
        if (!bytes.isEmpty()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        }
        MessageCatcher catcher;
        load(path);
        QCOMPARE(catcher.messages().size(), 1);
        QCOMPARE(catcher.messages()[0].title, u"Error"_s);
        QCOMPARE(catcher.messages()[0].icon, QMessageBox::Critical);
        QVERIFY2(catcher.messages()[0].text.contains(why), qPrintable(catcher.messages()[0].text));
        QVERIFY(!check().isVisible());
        QVERIFY(atBuiltInPrices());
    }

    void keptListStandsAtTheNextStart()
    {
        load(ExampleFixed);
        ClickButton(check().PriceListApplyButton);
        const PriceListInfo applied = PriceListInForce(*state);
        start();
        QVERIFY(atBuiltInPrices()); // until the kept list is read
        MessageCatcher catcher;
        flow().LoadKept();
        QVERIFY(catcher.messages().isEmpty());
        for (const auto &[slot, price] : ExampleChanges)
            QCOMPARE(kopecks(slot), price);
        QCOMPARE(PriceListInForce(*state), applied);
        // The results window names the loaded list below its grids.
        QVERIFY(!windows->Form2->PriceListLine->isHidden());
        QCOMPARE(windows->Form2->PriceListLine->text(), u"Цены: "_s + PriceListTitle(applied));

        // The built-in list taken back stands at the next start too, and is not named.
        windows->Form1->PriceListBuiltInAction->trigger();
        QVERIFY(atBuiltInPrices());
        QVERIFY(windows->Form2->PriceListLine->isHidden());
        QVERIFY(!QFile::exists(flow().keptPath()));
        start();
        flow().LoadKept();
        QVERIFY(atBuiltInPrices());
        QVERIFY(catcher.messages().isEmpty());
    }

    void damagedKeptListGivesTheBuiltInOne()
    {
        load(ExampleFixed);
        ClickButton(check().PriceListApplyButton);
        QFile kept(flow().keptPath());
        QVERIFY(kept.open(QIODevice::ReadWrite));
        QByteArray bytes = kept.readAll();
        bytes.replace("29500.00", "29.00");
        kept.seek(0);
        kept.write(bytes);
        kept.close();

        start();
        MessageCatcher catcher;
        flow().LoadKept();
        QCOMPARE(catcher.messages().size(), 1);
        QCOMPARE(catcher.messages()[0].title, u"Warning"_s);
        QCOMPARE(catcher.messages()[0].icon, QMessageBox::Warning);
        QCOMPARE(catcher.messages()[0].buttonCount, 1);
        QVERIFY(catcher.messages()[0].text.contains(u"встроенного"_s));
        QVERIFY(atBuiltInPrices());
        // Put aside: the next start says nothing more.
        QVERIFY(!QFile::exists(flow().keptPath()));
        start();
        flow().LoadKept();
        QCOMPARE(catcher.messages().size(), 1);
        QVERIFY(atBuiltInPrices());
    }

    void catalogueWindowNamesTheListInForce()
    {
        windows->Form1->CatalogueAction->trigger();
        CatalogueWindow &window = flow().window();
        QVERIFY(window.isVisible());
        QCOMPARE(window.windowModality(), Qt::NonModal);
        QCOMPARE(window.CatalogueTable->model()->rowCount(), 558);
        QVERIFY(window.CataloguePriceListLabel->text().contains(u"Встроенный прайс-лист"_s));
        TypeInto(window.CatalogueFilterEdit, u"ZAM G16"_s);
        const int zam = window.CatalogueTable->model()->rowCount();
        QCOMPARE(zam, 2); // ZAM G16 and ZAM G16+KQ730
        load(ExampleFixed);
        ClickButton(check().PriceListApplyButton);
        // The open window shows the new prices, its filter kept.
        QVERIFY(window.CataloguePriceListLabel->text().contains(u"учёта газа» от 01.03.2025"_s));
        QCOMPARE(window.CatalogueTable->model()->rowCount(), zam);
        QCOMPARE(window.shownRows().front()[int(CatalogueColumn::Price)],
                 u"29500"_s + LocaleDecimalSeparator() + u"00"_s);
    }

    // The shown rows saved as CSV read back as a price list that changes nothing; as a
    // workbook, with the figures as numbers.
    void savedRows()
    {
        windows->Form1->CatalogueAction->trigger();
        CatalogueWindow &window = flow().window();
        TypeInto(window.CatalogueFilterEdit, u"NM G"_s);
        const QString csv = folder.filePath(u"каталог.csv"_s);
        flow().askSavePath = [&csv] { return csv; };
        MessageCatcher catcher;
        ClickButton(window.CatalogueSaveButton);
        QVERIFY(catcher.messages().isEmpty());
        QFile file(csv);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const PriceListFile list = ReadPriceList(file.readAll(), u"каталог"_s, {});
        QVERIFY2(list.ok(), qPrintable(list.error));
        QCOMPARE(list.rows.size(), std::size_t(10)); // every utility meter but PIX G6
        const PriceListCheck checked = CheckPriceList(list, state->Catalogue);
        QVERIFY(checked.refused.empty());
        QVERIFY(checked.changes.empty());
        QCOMPARE(checked.unchanged, 10);

        const QString xlsx = folder.filePath(u"каталог.xlsx"_s);
        QVERIFY(flow().SaveShown(xlsx));
        const QByteArray sheet = ZipMember(xlsx, u"xl/worksheets/sheet1.xml"_s);
        QVERIFY(sheet.contains("NM G10T(мех)"));
        QVERIFY(sheet.contains("<v>62.5</v>"));
    }
};

QTEST_MAIN(TestCatalogueFlow)
#include "tst_catalogue_flow.moc"
