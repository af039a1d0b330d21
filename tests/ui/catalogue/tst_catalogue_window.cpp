// The catalogue window driven as a user drives it: a text typed into the filter, a
// line picked, a header clicked to sort (figures as numbers, both ways), rows picked
// with the mouse and copied with Ctrl+C.
#include "core/catalogue/catalogue.h"
#include "core/catalogue/catalogue_rows.h"
#include "core/input/number_text.h"
#include "ui/catalogue/catalogue_window.h"
#include "ui_test_support.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

class TestCatalogueWindow : public QObject {
    Q_OBJECT
    ProductCatalogue catalogue_;
    std::unique_ptr<CatalogueWindow> window_;

    QTableView *table() const { return window_->CatalogueTable; }
    int shown() const { return table()->model()->rowCount(); }
    QString cell(int row, CatalogueColumn column) const
    {
        return table()->model()->index(row, int(column)).data().toString();
    }
    QStringList column(CatalogueColumn c) const
    {
        QStringList texts;
        for (int row = 0; row < shown(); ++row)
            texts << cell(row, c);
        return texts;
    }
    void pickLine(const QString &caption)
    {
        const int index = window_->CatalogueLineBox->findText(caption, Qt::MatchEndsWith);
        QVERIFY2(index >= 0, qPrintable(caption));
        window_->CatalogueLineBox->setFocus();
        window_->CatalogueLineBox->setCurrentIndex(index);
    }
    void clickHeader(CatalogueColumn c)
    {
        QHeaderView *header = table()->horizontalHeader();
        const int x = header->sectionViewportPosition(int(c)) + header->sectionSize(int(c)) / 2;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
    }
    void clickRow(int row, Qt::KeyboardModifiers modifiers = {})
    {
        const QRect rect = table()->visualRect(table()->model()->index(row, int(CatalogueColumn::Designation)));
        QVERIFY(rect.isValid());
        QTest::mouseClick(table()->viewport(), Qt::LeftButton, modifiers, rect.center());
    }

private slots:
    void initTestCase()
    {
        QuietOffscreenWarnings();
        catalogue_.Fill();
    }
    void init()
    {
        window_ = std::make_unique<CatalogueWindow>();
        window_->showCatalogue(CatalogueRows(catalogue_, LocaleDecimalSeparator()), u"«Встроенный прайс-лист»"_s);
        window_->show();
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    }
    void cleanup() { window_.reset(); }

    void everyProductInSlotOrder()
    {
        QCOMPARE(window_->objectName(), QString::fromLatin1(window_->metaObject()->className()));
        QVERIFY(window_->isWindow());
        QCOMPARE(window_->windowModality(), Qt::NonModal);
        QCOMPARE(shown(), 558);
        QCOMPARE(cell(0, CatalogueColumn::Designation), u"ВЕЛОНВз-Р-0,2-25/1,6"_s);
        QCOMPARE(cell(557, CatalogueColumn::Designation), u"KEL G4000+KQ730"_s);
        QCOMPARE(cell(0, CatalogueColumn::Family), u"Измерительный комплекс на базе ротационного счетчика ZAM"_s);
        QCOMPARE(window_->CatalogueCountLabel->text(), u"Показано изделий: 558 из 558"_s);
        QVERIFY(window_->CataloguePriceListLabel->text().contains(u"Встроенный прайс-лист"_s));
    }

    void filterByText_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("designations");
        QTest::newRow("as printed") << u"NM G10T"_s << QStringList{u"NM G10T(мех)"_s, u"NM G10T(элек)"_s};
        QTest::newRow("lower case, a Cyrillic т") << u"nm g10т"_s << QStringList{u"NM G10T(мех)"_s, u"NM G10T(элек)"_s};
        QTest::newRow("blanks around") << u"  ЛЕМА-ШУ "_s << QStringList{u"ЛЕМА-ШУГО-500"_s, u"ЛЕМА-ШУЭО-500"_s};
        QTest::newRow("nothing") << u"ВЕЛОН-Х"_s << QStringList{};
    }

    void filterByText()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, designations);
        window_->CatalogueFilterEdit->setFocus();
        TypeInto(window_->CatalogueFilterEdit, typed);
        QCOMPARE(column(CatalogueColumn::Designation), designations);
        QCOMPARE(window_->CatalogueCountLabel->text(), u"Показано изделий: %1 из 558"_s.arg(designations.size()));
        window_->CatalogueFilterEdit->clear();
        QCOMPARE(shown(), 558);
    }

    void filterByLine_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("count");
        QTest::newRow("a category") << u"Коммунальные счетчики газа серии НМ и НМ-Т"_s << QString() << 11;
        QTest::newRow("a family") << u"Коммунальный счетчик газа серии НМ без термокомпенсации"_s << QString() << 6;
        QTest::newRow("a family and a text") << u"Коммунальный счетчик газа серии НМ без термокомпенсации"_s
                                             << u"G25"_s << 1;
        QTest::newRow("a cabinet kind") << u"Пункт учета газа ТИВ"_s << QString() << 24;
        QTest::newRow("a complex base of two blocks") << u"Турбинный счетчик ЗЕТ-16(75)М(МТ)"_s << QString() << 29;
        QTest::newRow("every product") << u"Все изделия"_s << u"KQ730"_s << 39;
    }

    void filterByLine()
    {
        QFETCH(QString, line);
        QFETCH(QString, typed);
        QFETCH(int, count);
        pickLine(line);
        TypeInto(window_->CatalogueFilterEdit, typed);
        QCOMPARE(shown(), count);
    }

    // Figures sort as numbers: 100 after 65, 185,00 after 34,20; a second click turns the order.
    void sortByFigures_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("smallest");
        QTest::addColumn<QString>("largest");
        QTest::newRow("Qmax") << u"Ротационный счетчик газа ZAM"_s << int(CatalogueColumn::Qmax) << u"ZAM G16"_s
                              << u"ZAM G400"_s;
        QTest::newRow("price in euros") << u"Коммунальные счетчики газа серии НМ и НМ-Т"_s << int(CatalogueColumn::Price)
                                        << u"PIX G6"_s << u"NM G25T"_s;
        QTest::newRow("bore") << u"Пункт учета газа ТИВ"_s << int(CatalogueColumn::Dn) << u"ТИВ-Р-100-исп.1"_s
                              << u"ТИВ-Р-400"_s;
    }

    void sortByFigures()
    {
        QFETCH(QString, line);
        QFETCH(int, column);
        QFETCH(QString, smallest);
        QFETCH(QString, largest);
        pickLine(line);
        clickHeader(CatalogueColumn(column));
        const auto figures = [this, column] {
            QList<double> values;
            for (QString text : this->column(CatalogueColumn(column))) {
                text.remove(QChar(0x00A0));
                values << ReadNumber(text).value_or(-1);
            }
            return values;
        };
        QList<double> ascending = figures();
        QVERIFY(!ascending.contains(-1));
        QVERIFY(std::is_sorted(ascending.begin(), ascending.end()));
        QCOMPARE(cell(0, CatalogueColumn::Designation), smallest);
        clickHeader(CatalogueColumn(column));
        QList<double> descending = figures();
        QVERIFY(std::is_sorted(descending.rbegin(), descending.rend()));
        QCOMPARE(cell(0, CatalogueColumn::Designation).left(largest.size()), largest);
    }

    void sortByText()
    {
        pickLine(u"Пункт редуцирования газа ЛЕМА"_s);
        clickHeader(CatalogueColumn::Designation);
        QCOMPARE(column(CatalogueColumn::Designation),
                 (QStringList{u"ЛЕМА-Р-500"_s, u"ЛЕМА-Ш-500"_s, u"ЛЕМА-ШУГО-500"_s, u"ЛЕМА-ШУЭО-500"_s}));
    }

    // The rows picked with the mouse, in the order shown, under the captions, as
    // tab-separated text with figures as a spreadsheet takes them.
    void copySelectedRows()
    {
        const QString sep = LocaleDecimalSeparator();
        pickLine(u"Коммунальный счетчик газа серии НМ без термокомпенсации"_s);
        clickHeader(CatalogueColumn::Price);
        clickRow(0);
        clickRow(2, Qt::ShiftModifier);
        QGuiApplication::clipboard()->setText(u"untouched"_s);
        table()->setFocus();
        QTest::keySequence(table(), QKeySequence::Copy);
        const QString family = u"Коммунальный счетчик газа серии НМ без термокомпенсации"_s;
        const QString category = u"Коммунальные счетчики газа серии НМ и НМ-Т"_s;
        const QStringList lines = QGuiApplication::clipboard()->text().split(u'\n');
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[0], CatalogueCaptions().join(u'\t'));
        QCOMPARE(lines[1], QStringList({category, family, u"PIX G6"_s, u"25"_s, u"0"_s, u"1"_s + sep + u"5"_s, u"10"_s,
                                        u"0"_s + sep + u"06"_s, u"34"_s + sep + u"20"_s, u"EUR"_s})
                               .join(u'\t'));
        QVERIFY(lines[2].contains(u"\tNM G6\t"_s));
        QVERIFY(lines[3].contains(u"\t185"_s + sep + u"00\tEUR"_s));

        // Nothing picked: every shown row.
        table()->clearSelection();
        window_->CatalogueCopyAction->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text().split(u'\n').size(), 7);
    }

    void shownRowsFollowFilterAndSort()
    {
        pickLine(u"Пункт учета и редуцирования газа ОРНИК"_s);
        clickHeader(CatalogueColumn::Price);
        clickHeader(CatalogueColumn::Price);
        const QList<QStringList> rows = window_->shownRows();
        QCOMPARE(rows.size(), 4);
        QCOMPARE(rows.front()[int(CatalogueColumn::Price)], u"225000"_s + LocaleDecimalSeparator() + u"00"_s);
        QCOMPARE(rows.back()[int(CatalogueColumn::Designation)], u"ОРНИК-Р-100"_s);
    }
};

QTEST_MAIN(TestCatalogueWindow)
#include "tst_catalogue_window.moc"
