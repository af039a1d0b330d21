// The results window's report menu and what it adds to the grids: saving with
// Cancel, a good place, a place that is gone, a FIFO and a device; the rows'
// tooltips and the line that says why nothing fits.

#include "core/state/app_state.h"
#include "core/selection/candidate_load.h"
#include "ui/results/report_actions.h"
#include "ui/results/results_window.h"
#include "ui_test_support.h"

#include "special_files.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QPrintPreviewWidget>
#include <QRegularExpression>
#include <QTimer>
#include <QDir>
#include <QLabel>
#include <QLocale>
#include <QTableWidget>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QStandardPaths>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

class TestReportMenu : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<AppState> state;
    std::unique_ptr<TForm2> form;
    QStringList suggestions;

    SizingOutcome Run(const QString &pmax, const QString &pmin, double qmax = 100)
    {
        SizingRequest r;
        r.mode = 1;
        r.qmaxStd = qmax;
        r.qminStd = 10;
        r.range = true;
        r.pmax = {pmax, 0};
        r.pmin = {pmin, 0};
        return Size(r, state->Catalogue);
    }

    // The save dialog answers `path` and notes what it was offered.
    void Answer(const QString &path)
    {
        form->Report->askFileName = [this, path](const QString &suggested, const QString &) {
            suggestions << suggested;
            return path;
        };
    }

    QTemporaryDir settingsDir;

private slots:
    void initTestCase()
    {
        QuietOffscreenWarnings();
        QStandardPaths::setTestModeEnabled(true);
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    }

    void init()
    {
        state = std::make_unique<AppState>();
        form = std::make_unique<TForm2>(*state);
        // The heading is answered at once, empty, and kept nowhere.
        form->Report->settingsPath = settingsDir.filePath(QStringLiteral("settings.ini"));
        form->Report->askHeader = [](const std::function<void(const ReportHeader &)> &proceed) { proceed({}); };
        suggestions.clear();
    }

    void cleanup()
    {
        form.reset();
        state.reset();
    }

    void saving_data()
    {
        QTest::addColumn<bool>("pdf");
        QTest::newRow("pdf") << true;
        QTest::newRow("xlsx") << false;
    }

    void saving()
    {
        QFETCH(bool, pdf);
        QAction *save = pdf ? form->SavePdfAction : form->SaveXlsxAction;
        form->ShowOutcome(Run(u"1"_s, u"0"_s));
        QTemporaryDir dir;
        MessageCatcher catcher;

        // Cancel writes nothing.
        Answer(QString());
        save->trigger();
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList());
        QCOMPARE(suggestions.size(), 1);
        QVERIFY(suggestions[0].endsWith(pdf ? u"-1.pdf"_s : u"-1.xlsx"_s));

        // A folder that is gone: an error box naming the file, and no file.
        const QString gone = dir.filePath(u"gone/отчёт"_s);
        Answer(gone);
        save->trigger();
        QCOMPARE(catcher.messages().size(), 1);
        QCOMPARE(catcher.messages()[0].title, u"Error"_s);
        QVERIFY(catcher.messages()[0].text.contains(gone));
        QVERIFY(!QDir(dir.filePath(u"gone"_s)).exists());

        // A good place: the file is there, and the next save starts in its folder.
        const QString good = dir.filePath(u"отчёт"_s);
        Answer(good);
        save->trigger();
        QCOMPARE(catcher.messages().size(), 1);
        QVERIFY(QFileInfo(good + (pdf ? u".pdf"_s : u".xlsx"_s)).size() > 0);
        save->trigger();
        QVERIFY(suggestions.last().startsWith(dir.path() + u'/'));
    }

    // "Печать..." paints the report of the run shown on the printer the user set up
    // (here a PDF printer), and prints nothing when the print dialog is cancelled.
    void printing()
    {
        const SizingOutcome outcome = Run(u"1"_s, u"0"_s);
        form->ShowOutcome(outcome);
        QTemporaryDir dir;
        const QString file = dir.filePath(u"printed.pdf"_s);
        int asked = 0;
        bool accept = false;
        form->Report->choosePrinter = [&](QPrinter &printer) {
            ++asked;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(file);
            return accept;
        };
        MessageCatcher catcher;
        form->PrintAction->trigger();
        QCOMPARE(asked, 1);
        QVERIFY(!QFileInfo::exists(file));

        accept = true;
        form->PrintAction->trigger();
        QCOMPARE(asked, 2);
        QVERIFY(catcher.messages().isEmpty());
        QProcess text;
        text.start(u"pdftotext"_s, {u"-layout"_s, file, u"-"_s});
        QVERIFY(text.waitForFinished(30000));
        const QString printed = QString::fromUtf8(text.readAllStandardOutput());
        // The last row's name, which the column beside "Примечание" may break after a hyphen.
        QStringList pieces;
        for (const QString &piece : outcome.possible.back().record.Name.split(u'-'))
            pieces << QRegularExpression::escape(piece);
        const QRegularExpression name(pieces.join(u"-(?:[^\\n]*\\n\\s+)?"_s));
        QVERIFY2(name.match(printed).hasMatch(), qPrintable(printed));
        QVERIFY(printed.contains(u"Стр. 1 из"_s));
    }

    // The report menu of the results window holds its actions with their shortcuts,
    // and the keys reach them.
    void shortcuts_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QKeySequence>("keys");
        QTest::newRow("print") << u"PrintAction"_s << QKeySequence(Qt::CTRL | Qt::Key_P);
        QTest::newRow("save as PDF") << u"SavePdfAction"_s << QKeySequence(Qt::CTRL | Qt::Key_S);
        QTest::newRow("preview, none") << u"PreviewAction"_s << QKeySequence();
        QTest::newRow("save as Excel, none") << u"SaveXlsxAction"_s << QKeySequence();
    }
    void shortcuts()
    {
        QFETCH(QString, action);
        QFETCH(QKeySequence, keys);
        auto *menu = form->findChild<QMenu *>(u"ReportMenu"_s);
        QVERIFY(menu);
        QCOMPARE(menu->title(), u"Отчёт"_s);
        QVERIFY(form->menuBar()->actions().contains(menu->menuAction()));
        QAction *found = nullptr;
        for (QAction *a : menu->actions())
            if (a->objectName() == action)
                found = a;
        QVERIFY(found);
        QCOMPARE(found->shortcut(), keys);
        if (keys.isEmpty())
            return;
        // The keys pressed on the window trigger the action (the heading is asked first).
        form->ShowOutcome(Run(u"1"_s, u"0"_s));
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        form->activateWindow();
        int asked = 0;
        form->Report->askHeader = [&asked](const std::function<void(const ReportHeader &)> &) { ++asked; };
        QTest::keySequence(form.get(), keys);
        QCOMPARE(asked, 1);
    }

    // "Предварительный просмотр..." opens the preview of the run shown, with its pages.
    void previewOpens()
    {
        form->ShowOutcome(Run(u"1"_s, u"0"_s));
        bool shown = false;
        int pages = 0;
        QTimer::singleShot(0, this, [&] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!dialog || dialog->objectName() != u"ReportPreviewDialog"_s)
                return;
            shown = dialog->isVisible() && dialog->windowTitle() == u"Предварительный просмотр"_s;
            if (auto *widget = dialog->findChild<QPrintPreviewWidget *>())
                pages = widget->pageCount();
            dialog->reject();
        });
        // A timer of last resort, should the first have found no dialog.
        QTimer::singleShot(20000, this, [] {
            if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
                dialog->reject();
        });
        form->PreviewAction->trigger();
        QVERIFY(shown);
        QVERIFY(pages >= 1);
    }

    // A FIFO or a device is written straight to, as named, and stays what it was.
    void savingToSpecialFile_data()
    {
        QTest::addColumn<bool>("pdf");
        QTest::addColumn<bool>("fifo"); // else a null device (needs root)
        QTest::newRow("pdf to a FIFO") << true << true;
        QTest::newRow("xlsx to a FIFO") << false << true;
        QTest::newRow("pdf to a device") << true << false;
        QTest::newRow("xlsx to a device") << false << false;
    }

    void savingToSpecialFile()
    {
        QFETCH(bool, pdf);
        QFETCH(bool, fifo);
        QTemporaryDir dir;
        const QString target = dir.filePath(u"target"_s);
        std::unique_ptr<FifoReader> reader;
        if (fifo) {
            QVERIFY(MakeFifo(target));
            reader = std::make_unique<FifoReader>(target, dir.filePath(u"copy"_s));
        } else if (!MakeMemoryDevice(target, 3)) {
            QSKIP("making a device needs root");
        }
        form->ShowOutcome(Run(u"1"_s, u"0"_s));
        MessageCatcher catcher;
        Answer(target);
        (pdf ? form->SavePdfAction : form->SaveXlsxAction)->trigger();
        QCOMPARE(catcher.messages().size(), 0);
        QCOMPARE(FileKind(target), fifo ? 'p' : 'c');
        if (reader)
            QVERIFY(reader->bytes().startsWith(pdf ? "%PDF-" : "PK"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System).size(),
                 fifo ? 2 : 1);
    }

    // Every filled row tells its load and margin; an emptied grid tells nothing.
    void rowToolTips()
    {
        const SizingOutcome outcome = Run(u"1"_s, u"0"_s);
        form->ShowOutcome(outcome);
        const Candidate &first = outcome.possible.front();
        const QString tip = form->StringGrid1->item(0, 1)->toolTip();
        QVERIFY(tip.contains(LoadText(first.loadPercent, u',')));
        QVERIFY(tip.contains(MarginText(first.qminMargin, u',')));
        QVERIFY(!form->StringGrid2->item(0, 7)->toolTip().isEmpty());
        form->ShowOutcome(Run(u"1"_s, u"0"_s, 1e6));
        QVERIFY(form->StringGrid1->item(0, 1)->toolTip().isEmpty());
    }

    // A run that finds nothing says why under the grids; the next run clears it.
    void noFitLine()
    {
        form->ShowOutcome(Run(u"1"_s, u"0"_s, 1e6));
        QVERIFY(!form->StatusLine->text().isEmpty());
        form->ShowOutcome(Run(u"1"_s, u"0"_s));
        QVERIFY(form->StatusLine->text().isEmpty());
    }
};

QTEST_MAIN(TestReportMenu)
#include "tst_report_menu.moc"
