// The project through the whole window set, driven as a user would: runs added from the
// results window, the table edited in place with bad input refused, points removed,
// moved, shown and re-sized, every change undone and redone, the file saved and opened,
// the question before unsaved work is lost, the recovery file after a crash, a file
// changed by another program.
#include "app/project_flow.h"
#include "app/project_reports.h"
#include "app/window_set.h"
#include "core/input/number_text.h"
#include "core/io/output_file.h"
#include "core/project/project_file.h"
#include "core/state/app_state.h"
#include "ui/launcher/main_window.h"
#include "ui/project/project_document.h"
#include "ui/project/project_window.h"
#include "ui/project/specification_settings_dialog.h"
#include "ui/results/results_window.h"
#include "repeated_points.h"
#include "ui_test_support.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPrinter>
#include <QProgressBar>
#include <QLineEdit>
#include <QTabWidget>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <memory>
#include <tuple>

using namespace Qt::StringLiterals;

// What a progress bar showed each time it was painted, and whether it was laid out
// below the table then, as wide as it.
class PaintedValues : public QObject {
public:
    PaintedValues(QProgressBar *bar, const QWidget *table) : bar_(bar), table_(table)
    {
        bar->installEventFilter(this);
    }
    std::vector<int> values;
    QStringList texts;
    bool placed = true;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == bar_ && event->type() == QEvent::Paint) {
            values.push_back(bar_->value());
            texts << bar_->text();
            placed = placed && bar_->y() > table_->geometry().bottom() && bar_->width() == table_->width();
        }
        return false;
    }

private:
    QProgressBar *bar_;
    const QWidget *table_;
};

class TestProjectFlow : public QObject {
    Q_OBJECT
    std::unique_ptr<AppState> state;
    std::unique_ptr<WindowSet> windows;
    QTemporaryDir folder;
    QString saveAnswer;      // what the file dialog answers
    int unsavedAnswer = 2;   // 0 save, 1 do not save, 2 cancel
    int unsavedAsked = 0;
    bool yesAnswer = true;
    QStringList yesNoAsked;

    ProjectFlow &flow() { return windows->project(); }
    const Project &project() { return flow().document().project(); }
    QTableWidget *table() { return flow().window().ProjectTable; }
    QString cell(int row, ProjectColumn column)
    {
        const QTableWidgetItem *item = table()->item(row, static_cast<int>(column));
        return item ? item->text() : QString();
    }

    // Mode 3 at 230 m3/h and 1,3 bar: ZAM G65 at 100 % is the first optimal row.
    void showRun(const QString &pressure = u"1,3"_s)
    {
        SizingRequest r;
        r.mode = 3;
        r.qmaxStd = 230;
        r.qminStd = 5;
        r.working = {QString(pressure).replace(u',', LocaleDecimalSeparator()), 0};
        windows->Form2->ShowOutcome(Size(r, state->Catalogue));
        windows->Form2->show();
    }
    void add(int possibleRow = -1)
    {
        windows->Form2->StringGrid1->clearSelection();
        windows->Form2->StringGrid2->clearSelection();
        if (possibleRow > 0)
            windows->Form2->StringGrid1->selectRow(possibleRow);
        windows->Form2->ProjectAddAction->trigger();
    }
    // Types `text` into a cell as the editor would leave it; the edit is taken after.
    void typeInto(int row, ProjectColumn column, const QString &text)
    {
        table()->item(row, static_cast<int>(column))->setText(text);
        QCoreApplication::processEvents();
    }

private slots:
    void initTestCase()
    {
        QuietOffscreenWarnings();
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(folder.isValid());
    }
    void init()
    {
        state = std::make_unique<AppState>();
        windows = std::make_unique<WindowSet>(*state);
        flow().setRecoveryPath(folder.filePath(u"recovery-%1.gmsz"_s.arg(QTest::currentTestFunction())));
        flow().setSettingsPath(folder.filePath(u"settings-%1.ini"_s.arg(QTest::currentTestFunction())));
        unsavedAsked = 0;
        unsavedAnswer = 2;
        yesAnswer = true;
        yesNoAsked.clear();
        saveAnswer = folder.filePath(u"%1.gmsz"_s.arg(QTest::currentTestFunction()));
        QFile::remove(saveAnswer);
        flow().askPath = [this](bool, const QString &) { return saveAnswer; };
        flow().askUnsaved = [this](const QString &) {
            ++unsavedAsked;
            return unsavedAnswer;
        };
        flow().askYesNo = [this](const QString &text) {
            yesNoAsked << text;
            return yesAnswer;
        };
    }
    void cleanup()
    {
        windows.reset();
        state.reset();
    }

    void addFromRun()
    {
        QVERIFY(!windows->Form2->ProjectAddAction->isEnabled()); // no run shown yet
        showRun();
        QVERIFY(windows->Form2->ProjectAddAction->isEnabled());
        MessageCatcher catcher;
        const QString picked = windows->Form2->StringGrid1->item(2, 1)->text();
        add(2);
        add();
        QVERIFY(catcher.messages().isEmpty()); // no modal window on the way
        QCOMPARE(project().points.size(), std::size_t(2));
        QCOMPARE(project().points[0].id, u"Точка 1"_s);
        QCOMPARE(project().points[0].choice, picked);
        QCOMPARE(project().points[1].choice, u"ZAM G65"_s);
        windows->Form1->ProjectShowAction->trigger();
        QVERIFY(flow().window().isVisible());
        QVERIFY(!flow().window().isModal());
        QCOMPARE(table()->rowCount(), 2);
        QCOMPARE(cell(1, ProjectColumn::Product), u"ZAM G65"_s);
        QVERIFY(flow().window().windowTitle().endsWith(u'*'));
    }

    void editInPlace_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown"); // what the cell shows after the edit
        QTest::addColumn<bool>("refused");
        QTest::newRow("quantity 3") << int(ProjectColumn::Quantity) << u"3"_s << u"3"_s << false;
        QTest::newRow("quantity 0") << int(ProjectColumn::Quantity) << u"0"_s << u"1"_s << true;
        QTest::newRow("quantity abc") << int(ProjectColumn::Quantity) << u"abc"_s << u"1"_s << true;
        QTest::newRow("new id") << int(ProjectColumn::Id) << u"Котельная"_s << u"Котельная"_s << false;
        QTest::newRow("empty id") << int(ProjectColumn::Id) << u""_s << u"Точка 1"_s << true;
        QTest::newRow("duplicate id") << int(ProjectColumn::Id) << u"Точка 2"_s << u"Точка 1"_s << true;
        QTest::newRow("note") << int(ProjectColumn::Note) << u"у котла"_s << u"у котла"_s << false;
        QTest::newRow("another product") << int(ProjectColumn::Product) << u"ZAM G100"_s << u"ZAM G100"_s << false;
        QTest::newRow("a product that does not fit") << int(ProjectColumn::Product) << u"NM G6"_s << u"ZAM G65"_s << true;
    }
    void editInPlace()
    {
        QFETCH(int, column);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(bool, refused);
        showRun();
        add();
        add();
        flow().ShowWindow();
        const int before = flow().document().undoStack().count();
        typeInto(0, ProjectColumn(column), typed);
        QCOMPARE(cell(0, ProjectColumn(column)), shown);
        QCOMPARE(flow().window().ProjectStatus->text().isEmpty(), !refused);
        QCOMPARE(flow().document().undoStack().count(), before + (refused ? 0 : 1));
    }

    void removeMoveUndo()
    {
        showRun();
        add();
        add();
        add();
        flow().ShowWindow();
        ProjectWindow &w = flow().window();
        w.selectPoint(0);
        ClickButton(w.ProjectDownButton);
        QCOMPARE(cell(1, ProjectColumn::Id), u"Точка 1"_s);
        QCOMPARE(w.currentPoint(), 1);
        ClickButton(w.ProjectRemoveButton);
        QCOMPARE(table()->rowCount(), 2);
        QCOMPARE(cell(1, ProjectColumn::Id), u"Точка 3"_s);
        QCOMPARE(cell(1, ProjectColumn::Number), u"2"_s);
        w.ProjectUndoAction->trigger(); // the removal
        QCOMPARE(table()->rowCount(), 3);
        QCOMPARE(cell(1, ProjectColumn::Id), u"Точка 1"_s);
        w.ProjectUndoAction->trigger(); // the move
        QCOMPARE(cell(0, ProjectColumn::Id), u"Точка 1"_s);
        w.ProjectRedoAction->trigger();
        QCOMPARE(cell(0, ProjectColumn::Id), u"Точка 2"_s);
        QCOMPARE(w.ProjectUndoAction->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
        QCOMPARE(w.ProjectRedoAction->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
        // Undone back to where nothing was added: nothing unsaved.
        while (w.ProjectUndoAction->isEnabled())
            w.ProjectUndoAction->trigger();
        QVERIFY(!flow().document().modified());
        QVERIFY(!w.windowTitle().endsWith(u'*'));
    }

    void showPoint()
    {
        showRun();
        add(2);
        const QString chosen = project().points[0].choice;
        showRun(u"3"_s); // the results window now shows another run
        flow().ShowWindow();
        flow().window().selectPoint(0);
        ClickButton(flow().window().ProjectShowButton);
        TForm2 *results = windows->Form2.get();
        QVERIFY(results->isVisible());
        QCOMPARE(results->Label20->text().isEmpty(), false);
        QCOMPARE(results->SelectedProductName(), std::optional<QString>(chosen));
        QCOMPARE(results->shownOutcome()->request.working.text,
                 u"1"_s + LocaleDecimalSeparator() + u"3"_s);
    }

    void resizeFlagsLostChoice()
    {
        showRun();
        add();
        flow().ShowWindow();
        // Warmer gas at a lower pressure of the atmosphere: more working flow than ZAM G65 takes.
        state->Conditions.method = ConversionMethod::Ideal;
        state->Conditions.tMin = -20;
        state->Conditions.tMax = 40;
        ClickButton(flow().window().ProjectResizeButton);
        QCOMPARE(project().points[0].choice, u"ZAM G65"_s); // kept, never swapped
        QCOMPARE(project().points[0].text(BatchColumn::Method), u"ideal"_s);
        QVERIFY(cell(0, ProjectColumn::Note).contains(ChoiceNoLongerFitsText()));
        flow().window().ProjectUndoAction->trigger();
        QVERIFY(cell(0, ProjectColumn::Note).isEmpty());
    }

    // "Пересчитать все" of a project of 300 points or more shows how far it has come
    // below the table, painted while the sizing holds the window; a smaller one shows
    // nothing. The bar is gone once the table is filled again.
    void resizeProgress_data()
    {
        QTest::addColumn<int>("points");
        QTest::newRow("299 points") << 299;
        QTest::newRow("300 points") << 300;
        QTest::newRow("1000 points") << 1000;
    }
    void resizeProgress()
    {
        QFETCH(int, points);
        QFile example(QStringLiteral(GAS_EXAMPLE_PROJECT));
        QVERIFY(example.open(QIODevice::ReadOnly));
        Project big = *ReadProjectFile(example.readAll()).project;
        big.points = RepeatedPoints(big.points, points);
        const QString path = folder.filePath(u"big-%1.gmsz"_s.arg(points));
        QString why;
        QVERIFY2(WriteWholeFile(path, WriteProjectFile(big), &why), qPrintable(why));
        flow().ShowWindow();
        QVERIFY(QTest::qWaitForWindowExposed(&flow().window()));
        QProgressBar *bar = flow().window().ProjectProgress;
        QVERIFY(bar->isHidden());
        QVERIFY(flow().OpenFile(path));
        QVERIFY(bar->isHidden());
        QCOMPARE(table()->rowCount(), points);

        const PaintedValues painted(bar, table());
        bool shownWhilePainted = true;
        connect(&flow().document(), &ProjectDocument::sizingProgress, bar,
                [&](qsizetype done, qsizetype total) {
                    QCOMPARE(total, qsizetype(points));
                    if (done > 0 && done < total)
                        shownWhilePainted = shownWhilePainted && bar->isVisible();
                });
        state->Conditions.method = ConversionMethod::Ideal;
        ClickButton(flow().window().ProjectResizeButton);
        QVERIFY(bar->isHidden());
        QCOMPARE(table()->rowCount(), points);
        QCOMPARE(project().points.back().text(BatchColumn::Method), u"ideal"_s);
        if (points < int(ProjectProgressFrom)) {
            QVERIFY(painted.values.empty());
            return;
        }
        QVERIFY(shownWhilePainted);
        QVERIFY(painted.placed);
        QVERIFY2(painted.values.size() >= 2, qPrintable(QString::number(painted.values.size())));
        QCOMPARE(painted.values.front(), 0); // painted as soon as it is shown
        QVERIFY(std::is_sorted(painted.values.begin(), painted.values.end()));
        QVERIFY(painted.values.back() < points);
        QCOMPARE(painted.texts.back(), u"Пересчет точек: %1 из %2"_s.arg(painted.values.back()).arg(points));
    }

    void saveAndOpen()
    {
        showRun();
        add();
        add(3);
        MessageCatcher catcher;
        windows->Form2->ProjectSaveAction->trigger(); // no file yet: asks for one
        QVERIFY2(catcher.messages().isEmpty(), qPrintable(catcher.texts().join(u'|')));
        QVERIFY(QFile::exists(saveAnswer));
        QVERIFY(!flow().document().modified());
        QVERIFY(!QFile::exists(flow().recoveryPath()));
        // The file names the price list in force beside what the window holds.
        Project saved = project();
        saved.priceList = PriceListInForce(*state);

        windows->Form1->ProjectNewAction->trigger(); // nothing unsaved: no question
        QCOMPARE(unsavedAsked, 0);
        QVERIFY(project().points.empty());
        windows->Form1->ProjectOpenAction->trigger();
        QCOMPARE(project(), saved);
        QVERIFY(flow().window().isVisible());
        QVERIFY(flow().window().windowTitle().contains(u"saveAndOpen.gmsz"_s));
    }

    void unsavedQuestion_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("discarded");
        QTest::addColumn<bool>("written");
        QTest::newRow("save") << 0 << true << true;
        QTest::newRow("do not save") << 1 << true << false;
        QTest::newRow("cancel") << 2 << false << false;
    }
    void unsavedQuestion()
    {
        QFETCH(int, answer);
        QFETCH(bool, discarded);
        QFETCH(bool, written);
        windows->ShowMainWindow();
        showRun();
        add();
        unsavedAnswer = answer;
        windows->Form1->ProjectNewAction->trigger();
        QCOMPARE(unsavedAsked, 1);
        QCOMPARE(project().points.empty(), discarded);
        QCOMPARE(QFile::exists(saveAnswer), written);

        // Closing the main window asks the same, and only while there is work to lose.
        unsavedAsked = 0;
        if (!discarded) {
            QVERIFY(!windows->Form1->close());
            QCOMPARE(unsavedAsked, 1);
            QVERIFY(windows->Form1->isVisible());
        } else {
            QVERIFY(windows->Form1->close());
            QCOMPARE(unsavedAsked, 0);
        }
    }

    void damagedFileRefused()
    {
        showRun();
        add();
        QFile file(saveAnswer);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(R"({"format": "gasmeter-sizing-project", "version": 1, "points": [{"id": "a", "quantity": 0, "input": {}}]})");
        file.close();
        const Project before = project();
        MessageCatcher catcher;
        QVERIFY(!flow().OpenFile(saveAnswer));
        QCOMPARE(catcher.messages().size(), 1);
        QCOMPARE(catcher.messages()[0].title, u"Error"_s);
        QVERIFY(catcher.messages()[0].text.contains(u"точка 1: «quantity»"_s));
        QVERIFY(catcher.messages()[0].text.contains(u"damagedFileRefused.gmsz"_s));
        QCOMPARE(project(), before);
        QVERIFY(flow().document().modified());
    }

    void importAndExportTable()
    {
        showRun();
        add();
        QString tablePath = folder.filePath(u"import.csv"_s);
        flow().askTablePath = [&tablePath](bool) { return tablePath; };
        QFile file(tablePath);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("id;mode;qmax;qmin;p\n"
                   "Цех 1;4;45,2;5;13\n"
                   ";2;160;16;0,5\n");
        file.close();
        flow().window().ProjectImportButton->click();
        QCOMPARE(project().points.size(), std::size_t(3));
        QCOMPARE(cell(1, ProjectColumn::Id), u"Цех 1"_s);
        QCOMPARE(cell(1, ProjectColumn::Product), u"NM G25"_s);
        QCOMPARE(cell(2, ProjectColumn::Id), u"Точка 2"_s);
        QCOMPARE(flow().window().currentPoint(), 1); // the first imported point

        // One change: one undo takes every imported point away.
        flow().window().ProjectUndoAction->trigger();
        QCOMPARE(project().points.size(), std::size_t(1));
        flow().window().ProjectRedoAction->trigger();
        QCOMPARE(project().points.size(), std::size_t(3));

        // The points out as a table, which reads back as the same points.
        tablePath = folder.filePath(u"export.csv"_s);
        flow().window().ProjectExportButton->click();
        QFile written(tablePath);
        QVERIFY(written.open(QIODevice::ReadOnly));
        const QByteArray table = written.readAll();
        QVERIFY(table.startsWith("id;mode;"));
        QCOMPARE(table.count('\n'), 4);
        QVERIFY(table.contains("Цех 1;4;"));

        // A refused table: the message names the line, nothing is added.
        tablePath = folder.filePath(u"bad.csv"_s);
        QFile bad(tablePath);
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("id;mode\nА;2\nЦех 1;2\n");
        bad.close();
        const Project before = project();
        MessageCatcher catcher;
        flow().window().ProjectImportButton->click();
        QCOMPARE(catcher.messages().size(), 1);
        QCOMPARE(catcher.messages()[0].title, u"Error"_s);
        QVERIFY2(catcher.messages()[0].text.contains(u"строка 3: точка «Цех 1» уже есть"_s),
                 qPrintable(catcher.messages()[0].text));
        QCOMPARE(project(), before);
    }

    // The priced list tab of the example project, and its rates changed in the dialog:
    // a refused figure named and nothing changed, a taken one undoable and kept for the
    // next new project.
    void pricedListAndRates()
    {
        QVERIFY(flow().OpenFile(QStringLiteral(GAS_EXAMPLE_PROJECT)));
        flow().ShowWindow();
        ProjectWindow &window = flow().window();
        QCOMPARE(window.ProjectTabs->tabText(1), u"Спецификация"_s);
        QCOMPARE(window.SpecificationTable->rowCount(), 4);
        QCOMPARE(window.SpecificationTable->item(1, 1)->text(), u"ZAM G65"_s);
        QCOMPARE(window.SpecificationTable->item(1, 3)->text(), u"3"_s);
        const QString sep = QString(LocaleDecimalSeparator());
        const QChar nbsp(0x00A0);
        QVERIFY2(window.PricedListTotals->text().contains(u"Всего с НДС: 759"_s + nbsp + u"541"_s + sep + u"50 руб."_s),
                 qPrintable(window.PricedListTotals->text()));
        QVERIFY(window.SpecificationTable->isColumnHidden(8)); // no euro rows, no rate

        window.PricingSettingsButton->click();
        SpecificationSettingsDialog &dialog = flow().pricingDialog();
        QVERIFY(dialog.isVisible());
        QVERIFY(!dialog.isModal());
        QCOMPARE(dialog.VatEdit->text(), u"22"_s);
        const Project before = project();
        for (const auto &[vat, rate, date, why] :
             {std::tuple{u"120"_s, u""_s, u""_s, u"Ставка НДС «120» не принята"_s},
              std::tuple{u"20"_s, u"abc"_s, u""_s, u"Курс евро «abc» не принят"_s},
              std::tuple{u"20"_s, u"0"_s, u""_s, u"Курс евро «0» не принят"_s},
              std::tuple{u"20"_s, u"100,5"_s, u"31.02.2026"_s, u"Дата курса «31.02.2026» не принята"_s}}) {
            dialog.VatEdit->setText(vat);
            dialog.EurRateEdit->setText(rate);
            dialog.EurRateDateEdit->setText(date);
            MessageCatcher catcher;
            dialog.PricingSettingsOk->click();
            QCOMPARE(catcher.messages().size(), 1);
            QCOMPARE(catcher.messages()[0].title, u"Warning"_s);
            QVERIFY2(catcher.messages()[0].text.startsWith(why), qPrintable(catcher.messages()[0].text));
            QVERIFY(dialog.isVisible());
            QCOMPARE(project(), before);
        }

        // 20 %: 622 575,00 x 0,2 = 124 515,00 VAT, 747 090,00 with it.
        dialog.VatEdit->setText(u"20"_s);
        dialog.EurRateEdit->clear();
        dialog.EurRateDateEdit->clear();
        dialog.PricingSettingsOk->click();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(project().pricing.vatHundredths, 2000);
        QVERIFY(flow().document().modified());
        QVERIFY(window.PricedListTotals->text().contains(u"НДС 20 %: 124"_s + nbsp + u"515"_s + sep + u"00 руб."_s));
        window.ProjectUndoAction->trigger();
        QCOMPARE(project().pricing.vatHundredths, 2200);
        QVERIFY(window.PricedListTotals->text().contains(u"НДС 22 %"_s));
        window.ProjectRedoAction->trigger();

        // The rates taken are those of the next new project.
        unsavedAnswer = 1;
        windows->Form1->ProjectNewAction->trigger();
        QCOMPARE(project().pricing.vatHundredths, 2000);
        QVERIFY(!flow().document().modified());
    }

    // The program started with a project file, as the desktop opens one; a missing or
    // damaged file gives its message and the main window as usual.
    void commandLineOpen()
    {
        windows->ShowMainWindow();
        flow().StartWith({u"gasmeter-sizing"_s, QStringLiteral(GAS_EXAMPLE_PROJECT)});
        QVERIFY(flow().window().isVisible());
        QCOMPARE(project().points.size(), std::size_t(5));
        QVERIFY(flow().window().windowTitle().contains(u"project.gmsz"_s));
        QVERIFY(!flow().document().modified());

        for (const QString &name : {u"missing.gmsz"_s, u"damaged.gmsz"_s}) {
            cleanup();
            init();
            windows->ShowMainWindow();
            const QString path = folder.filePath(name);
            if (name == u"damaged.gmsz"_s) {
                QFile damaged(path);
                QVERIFY(damaged.open(QIODevice::WriteOnly));
                damaged.write("{\"format\": \"gasmeter-sizing-project\", \"version\": 1, \"points\": [");
            }
            MessageCatcher catcher;
            flow().StartWith({u"gasmeter-sizing"_s, path});
            QCOMPARE(catcher.messages().size(), 1);
            QCOMPARE(catcher.messages()[0].title, u"Error"_s);
            QVERIFY2(catcher.messages()[0].text.contains(name), qPrintable(catcher.messages()[0].text));
            QVERIFY(windows->Form1->isVisible());
            QVERIFY(project().points.empty());
        }
    }

    // "Спецификация и отчёт": the heading asked and kept with the project (undoable),
    // the document printed and saved as PDF, the workbook saved; nothing offered for a
    // project of no points, nothing written on Cancel.
    void documentAndWorkbook()
    {
        ProjectReports &reports = flow().reports();
        QMenu *menu = windows->Form1->ProjectReportMenu;
        QMetaObject::invokeMethod(menu, "aboutToShow");
        QVERIFY(!windows->Form1->ProjectReportPdfAction->isEnabled());

        QVERIFY(flow().OpenFile(QStringLiteral(GAS_EXAMPLE_PROJECT)));
        QMetaObject::invokeMethod(menu, "aboutToShow");
        QVERIFY(windows->Form1->ProjectReportPdfAction->isEnabled());
        int asked = 0;
        bool answer = false;
        reports.askHeading = [&](std::function<void(const ProjectHeading &)> proceed) {
            ++asked;
            if (answer)
                proceed({u"Котельная №3"_s, u"АО «Теплосеть»"_s, u"Иванов И. И."_s});
        };
        QString target;
        QStringList suggestions;
        reports.askFileName = [&](const QString &suggested, const QString &) {
            suggestions << QFileInfo(suggested).fileName();
            return target;
        };

        // Cancel at the heading: nothing written, nothing changed.
        target = folder.filePath(u"cancelled.pdf"_s);
        windows->Form1->ProjectReportPdfAction->trigger();
        QCOMPARE(asked, 1);
        QVERIFY(!QFile::exists(target));
        QVERIFY(!flow().document().modified());

        answer = true;
        target = folder.filePath(u"project.pdf"_s);
        windows->Form2->ProjectReportPdfAction->trigger();
        QFile pdf(target);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.read(5) == "%PDF-");
        QCOMPARE(project().heading.object, u"Котельная №3"_s);
        QVERIFY(flow().document().modified());
        flow().document().undoStack().undo();
        QCOMPARE(project().heading.object, u"Котельная №2, ул. Заводская, 14"_s);

        target = folder.filePath(u"project"_s); // the extension is added
        windows->Form1->ProjectReportXlsxAction->trigger();
        QFile xlsx(target + u".xlsx"_s);
        QVERIFY(xlsx.open(QIODevice::ReadOnly));
        QVERIFY(xlsx.read(2) == "PK");
        // Named after the project file and the day.
        const QString day = QDate::currentDate().toString(Qt::ISODate);
        QCOMPARE(suggestions, (QStringList{u"project-%1.pdf"_s.arg(day), u"project-%1.xlsx"_s.arg(day)}));

        // Printing goes to the printer set up; here a PDF file stands for it.
        const QString printed = folder.filePath(u"printed.pdf"_s);
        reports.choosePrinter = [&printed](QPrinter &printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(printed);
            return true;
        };
        windows->Form1->ProjectReportPrintAction->trigger();
        QVERIFY(QFileInfo(printed).size() > 1000);

        // A refused write: the message names the file.
        target = folder.filePath(u"no/such/folder/p.pdf"_s);
        MessageCatcher catcher;
        windows->Form1->ProjectReportPdfAction->trigger();
        QCOMPARE(catcher.messages().size(), 1);
        QCOMPARE(catcher.messages()[0].title, u"Error"_s);
        QVERIFY2(catcher.messages()[0].text.contains(u"p.pdf"_s), qPrintable(catcher.messages()[0].text));
    }

    // A project saved under another price list: the question, each answer; a saved file
    // names the list in force.
    void otherPriceList_data()
    {
        QTest::addColumn<bool>("answer");
        QTest::newRow("re-priced") << true;
        QTest::newRow("kept") << false;
    }
    void otherPriceList()
    {
        QFETCH(bool, answer);
        QFile example(QStringLiteral(GAS_EXAMPLE_PROJECT));
        QVERIFY(example.open(QIODevice::ReadOnly));
        Project old = *ReadProjectFile(example.readAll()).project;
        old.priceList = PriceListInfo{u"Прайс 2025"_s, QDate(2025, 3, 1), u"/tmp/p.csv"_s};
        QFile file(saveAnswer);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(WriteProjectFile(old));
        file.close();

        yesAnswer = answer;
        flow().ShowWindow();
        QVERIFY(flow().OpenFile(saveAnswer));
        QCOMPARE(yesNoAsked.size(), 1);
        QVERIFY2(yesNoAsked[0].contains(u"«Прайс 2025» от 01.03.2025"_s), qPrintable(yesNoAsked[0]));
        QCOMPARE(project().points.size(), old.points.size());
        QCOMPARE(project().points[1].choice, old.points[1].choice); // the choices kept
        QCOMPARE(flow().document().modified(), answer);
        if (!answer)
            QVERIFY(flow().window().ProjectStatus->text().contains(u"«Прайс 2025»"_s));

        // Saved, the file names the list in force; opened again, nothing is asked.
        QVERIFY(flow().SaveTo(saveAnswer));
        QFile saved(saveAnswer);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(ReadProjectFile(saved.readAll()).project->priceList, PriceListInForce(*state));
        QVERIFY(flow().OpenFile(saveAnswer));
        QCOMPARE(yesNoAsked.size(), 1);
    }

    // The windows made again as after a crash, with the recovery file where it was.
    void restart(const QString &recovery, bool answer)
    {
        windows.reset();
        windows = std::make_unique<WindowSet>(*state);
        flow().setRecoveryPath(recovery);
        flow().askYesNo = [this, answer](const QString &text) {
            yesNoAsked << text;
            return answer;
        };
        flow().OfferRecovery();
    }

    void recoveryAfterCrash()
    {
        showRun();
        add();
        add(2);
        const Project lost = project();
        const QString recovery = flow().recoveryPath();
        QVERIFY(QFile::exists(recovery));
        // The process dies: the windows go without a clean exit, and the next start
        // offers the work back.
        restart(recovery, true);
        QCOMPARE(yesNoAsked.size(), 1);
        QVERIFY(yesNoAsked[0].contains(u"точек: 2"_s));
        QCOMPARE(project(), lost);
        QVERIFY(flow().document().modified());
        QVERIFY(QFile::exists(recovery)); // still unsaved: still kept
        // Refused once, it is not offered again.
        yesNoAsked.clear();
        restart(recovery, false);
        QCOMPARE(yesNoAsked.size(), 1);
        QVERIFY(project().points.empty());
        yesNoAsked.clear();
        restart(recovery, true);
        QVERIFY(yesNoAsked.isEmpty());
        // A clean exit removes the file it left.
        flow().document().change(u"x"_s, lost);
        QVERIFY(QFile::exists(recovery));
        flow().Finish();
        QVERIFY(!QFile::exists(recovery));
    }

    // A recovery file older than the project saved since is not offered.
    void recoveryOlderThanSaved()
    {
        showRun();
        add();
        QVERIFY(flow().SaveAs());
        add(); // unsaved again: the recovery file names the saved project
        const QString recovery = flow().recoveryPath();
        QVERIFY(QFile::exists(recovery));
        QTest::qWait(1100);
        QFile saved(saveAnswer);
        QVERIFY(saved.open(QIODevice::Append)); // saved again later, by another run
        saved.write("\n");
        saved.close();
        restart(recovery, true);
        QVERIFY(yesNoAsked.isEmpty());
        QVERIFY(!QFile::exists(recovery));
    }

    void changedByAnotherProgram()
    {
        showRun();
        add();
        QVERIFY(flow().SaveAs());
        QVERIFY(flow().OpenFile(saveAnswer));
        QTest::qWait(1100); // a later modification time than the one opened
        QFile file(saveAnswer);
        QVERIFY(file.open(QIODevice::Append));
        file.write("\n");
        file.close();
        const QByteArray theirs = [this] {
            QFile f(saveAnswer);
            f.open(QIODevice::ReadOnly);
            return f.readAll();
        }();
        add();
        yesAnswer = false;
        QVERIFY(!flow().Save());
        QCOMPARE(yesNoAsked.size(), 1);
        QFile again(saveAnswer);
        QVERIFY(again.open(QIODevice::ReadOnly));
        QCOMPARE(again.readAll(), theirs);
        yesAnswer = true;
        QVERIFY(flow().Save());
        QCOMPARE(ReadProjectFile([this] {
                     QFile f(saveAnswer);
                     f.open(QIODevice::ReadOnly);
                     return f.readAll();
                 }()).project->points.size(),
                 std::size_t(2));
    }
};

QTEST_MAIN(TestProjectFlow)
#include "tst_project_flow.moc"
