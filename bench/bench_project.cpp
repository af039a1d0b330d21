// Speed of a project of 1,000 points in the windows: opening its file (reading, sizing
// every point, filling the project window's table) and "Пересчитать все" (every point
// sized again and the table filled again), on the offscreen platform.
//
//   QT_QPA_PLATFORM=offscreen build/bench/bench/bench_project -median 5

#include "app/project_flow.h"
#include "app/window_set.h"
#include "core/project/project_file.h"
#include "core/state/app_state.h"
#include "ui/project/project_window.h"
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
    QString path;

private slots:
    void initTestCase()
    {
        QuietOffscreenWarnings();
        QStandardPaths::setTestModeEnabled(true);
        // The example's five points (three categories, two methods), 200 times over.
        QFile example(QStringLiteral(GAS_EXAMPLE_PROJECT));
        QVERIFY(example.open(QIODevice::ReadOnly));
        const ProjectReading reading = ReadProjectFile(example.readAll());
        QVERIFY(reading.project);
        Project big = *reading.project;
        big.points.clear();
        for (int copy = 0; copy < 200; ++copy) {
            for (ProjectPoint point : reading.project->points) {
                point.id += QStringLiteral(" / %1").arg(copy + 1);
                big.points.push_back(point);
            }
        }
        path = folder.filePath(QStringLiteral("big.gmsz"));
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(WriteProjectFile(big));
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

    void open1000()
    {
        QBENCHMARK {
            QVERIFY(windows->project().OpenFile(path));
        }
        QCOMPARE(windows->project().window().ProjectTable->rowCount(), 1000);
    }

    void resize1000()
    {
        QVERIFY(windows->project().OpenFile(path));
        QBENCHMARK {
            windows->project().window().ProjectResizeButton->click();
        }
        QCOMPARE(windows->project().window().ProjectTable->rowCount(), 1000);
    }
};

QTEST_MAIN(BenchProject)
#include "bench_project.moc"
