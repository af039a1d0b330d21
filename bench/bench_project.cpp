// Speed of a project of 1,000 and of 10,000 points in the windows: opening its file
// (reading, sizing every point, filling the project window's table) and "Пересчитать
// все" (every point sized again and the table filled again), on the offscreen platform.
//
//   QT_QPA_PLATFORM=offscreen build/bench/bench/bench_project -median 5

#include "app/project_flow.h"
#include "app/window_set.h"
#include "core/project/project_file.h"
#include "core/state/app_state.h"
#include "ui/project/project_window.h"
#include "repeated_points.h"
#include "ui_test_support.h"

#include <QFile>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class BenchProject : public QObject {
    Q_OBJECT

    std::unique_ptr<AppState> state;
    std::unique_ptr<WindowSet> windows;
    QTemporaryDir folder;

    QString pathOf(int points) const { return folder.filePath(QStringLiteral("big-%1.gmsz").arg(points)); }

private slots:
    void initTestCase()
    {
        QuietOffscreenWarnings();
        QStandardPaths::setTestModeEnabled(true);
        // The example's five points (three categories, two methods), over and over.
        QFile example(QStringLiteral(GAS_EXAMPLE_PROJECT));
        QVERIFY(example.open(QIODevice::ReadOnly));
        const ProjectReading reading = ReadProjectFile(example.readAll());
        QVERIFY(reading.project);
        for (const int points : {1000, 10000}) {
            Project big = *reading.project;
            big.points = RepeatedPoints(reading.project->points, points);
            QFile out(pathOf(points));
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write(WriteProjectFile(big));
        }
    }
    void init()
    {
        state = std::make_unique<AppState>();
        windows = std::make_unique<WindowSet>(*state);
        windows->project().setRecoveryPath(folder.filePath(QStringLiteral("recovery.gmsz")));
        windows->project().ShowWindow();
    }
    void cleanup()
    {
        windows.reset();
        state.reset();
    }

    void open_data() { sizes(); }
    void open()
    {
        QFETCH(int, points);
        QBENCHMARK {
            QVERIFY(windows->project().OpenFile(pathOf(points)));
        }
        QCOMPARE(windows->project().window().ProjectTable->rowCount(), points);
    }

    void resizeAll_data() { sizes(); }
    void resizeAll()
    {
        QFETCH(int, points);
        QVERIFY(windows->project().OpenFile(pathOf(points)));
        QBENCHMARK {
            windows->project().window().ProjectResizeButton->click();
        }
        QCOMPARE(windows->project().window().ProjectTable->rowCount(), points);
    }

private:
    static void sizes()
    {
        QTest::addColumn<int>("points");
        QTest::newRow("1000") << 1000;
        QTest::newRow("10000") << 10000;
    }
};

QTEST_MAIN(BenchProject)
#include "bench_project.moc"
