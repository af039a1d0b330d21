// The pool of sizing chunks: each chunk finished in the order given whatever order the
// threads end in, no more under way than two a thread, nothing finished after a drop,
// a work's exception brought back to the adding thread, one job without a pool.
#include "core/sizing/chunk_pool.h"

#include <QTest>
#include <QThread>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

class TestChunkPool : public QObject {
    Q_OBJECT

private slots:
    void finishedInOrder_data()
    {
        QTest::addColumn<int>("jobs");
        QTest::newRow("one") << 1;
        QTest::newRow("two") << 2;
        QTest::newRow("four") << 4;
    }
    void finishedInOrder()
    {
        QFETCH(int, jobs);
        constexpr int Chunks = 60;
        std::vector<int> finished;
        std::vector<int> worked(Chunks, 0);
        std::atomic<int> outstanding{0}; // added and not yet finished
        int mostOutstanding = 0;
        QThread *const adding = QThread::currentThread();
        bool doneOnAddingThread = true;
        {
            ChunkPool pool(jobs);
            QCOMPARE(pool.jobs(), jobs);
            for (int i = 0; i < Chunks; ++i) {
                mostOutstanding = std::max(mostOutstanding, ++outstanding);
                pool.add(
                    [i, &worked] {
                        // Early chunks take longest, so that later ones end first.
                        std::this_thread::sleep_for(std::chrono::microseconds((Chunks - i) * 20 * (i % 3)));
                        worked[std::size_t(i)] = i + 1;
                    },
                    [i, &finished, &outstanding, &worked, adding, &doneOnAddingThread] {
                        QCOMPARE(worked[std::size_t(i)], i + 1); // the work is done before its chunk is
                        doneOnAddingThread = doneOnAddingThread && QThread::currentThread() == adding;
                        finished.push_back(i);
                        --outstanding;
                    });
            }
            pool.finish();
        }
        QCOMPARE(int(finished.size()), Chunks);
        for (int i = 0; i < Chunks; ++i)
            QCOMPARE(finished[std::size_t(i)], i);
        QVERIFY(doneOnAddingThread);
        QVERIFY2(mostOutstanding <= 2 * jobs + 1, qPrintable(QString::number(mostOutstanding)));
        if (jobs == 1)
            QCOMPARE(mostOutstanding, 1); // each chunk worked and finished at once
    }

    void droppedChunksAreNotFinished()
    {
        std::atomic<int> worked{0};
        int finished = 0;
        {
            ChunkPool pool(2);
            for (int i = 0; i < 3; ++i)
                pool.add([&worked] { std::this_thread::sleep_for(std::chrono::milliseconds(5)), ++worked; },
                         [&finished] { ++finished; });
            pool.drop();
            QCOMPARE(worked.load(), 3); // waited for
            QCOMPARE(finished, 0);
            pool.finish(); // nothing left
        }
        QCOMPARE(finished, 0);
        // Leaving the pool drops what is under way the same way.
        {
            ChunkPool pool(2);
            pool.add([&worked] { ++worked; }, [&finished] { ++finished; });
        }
        QCOMPARE(worked.load(), 4);
        QCOMPARE(finished, 0);
    }

    void exceptionReachesTheAddingThread()
    {
        ChunkPool pool(2);
        int finished = 0;
        pool.add([] {}, [&finished] { ++finished; });
        pool.add([] { throw std::runtime_error("no room"); }, [&finished] { ++finished; });
        bool caught = false;
        try {
            pool.finish();
        } catch (const std::runtime_error &e) {
            caught = QByteArray(e.what()) == "no room";
        }
        QVERIFY(caught);
        QCOMPARE(finished, 1); // the chunk before it, not the failed one
    }

    void noJobsMeansOneACore()
    {
        QCOMPARE(ChunkPool(0).jobs(), std::max(1, QThread::idealThreadCount()));
    }
};

QTEST_GUILESS_MAIN(TestChunkPool)
#include "tst_chunk_pool.moc"
