// The batch program's output when it is not a regular file: a FIFO with a reader,
// a null device, "-" and /dev/stdout, in every format. Each gets the bytes straight
// and stays what it was; nothing else is left in the folder. A FIFO's reader gets
// its end even when the input cannot be read.

#include "batch/batch_run.h"

#include "special_files.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QByteArray Input =
    "id;mode;qmax;qmin;p\n"
    "p1;2;160;16;0.5\n"
    "p2;4;4;0,1;2\n";
const QByteArray Unreadable = "id;mode;qmax;qmin;p\n\"p1;2\n";

QByteArray Magic(const QString &format)
{
    if (format == u"pdf"_s)
        return "%PDF-";
    if (format == u"xlsx"_s)
        return "PK";
    if (format == u"json"_s)
        return "{\"points\":[";
    return "id;line;mode;";
}

} // namespace

class TestBatchTargets : public QObject {
    Q_OBJECT

private slots:
    void targets_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("target"); // "fifo", "null" (made here), or the path as given
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<int>("status");
        for (const QString &format : {u"csv"_s, u"json"_s, u"xlsx"_s, u"pdf"_s}) {
            for (const QString &target : {u"fifo"_s, u"null"_s, u"-"_s, u"/dev/stdout"_s}) {
                QTest::addRow("%s to %s", qPrintable(format), qPrintable(target))
                    << format << target << Input << BatchAllSized;
            }
            QTest::addRow("%s to fifo, input unreadable", qPrintable(format))
                << format << u"fifo"_s << Unreadable << BatchFailed;
        }
    }

    void targets()
    {
        QFETCH(QString, format);
        QFETCH(QString, target);
        QFETCH(QByteArray, input);
        QFETCH(int, status);
        QTemporaryDir dir;
        QString path = target;
        std::unique_ptr<FifoReader> reader;
        if (target == u"fifo"_s) {
            path = dir.filePath(target);
            QVERIFY(MakeFifo(path));
            reader = std::make_unique<FifoReader>(path, dir.filePath(u"copy"_s));
        } else if (target == u"null"_s) {
            path = dir.filePath(target);
            if (!MakeMemoryDevice(path, 3))
                QSKIP("making a device needs root");
        }

        QProcess batch;
        batch.start(QStringLiteral(GAS_BATCH_EXECUTABLE), {u"-o"_s, path, u"-f"_s, format});
        batch.write(input);
        batch.closeWriteChannel();
        QVERIFY(batch.waitForFinished(60000));
        const QByteArray errors = batch.readAllStandardError();
        QCOMPARE(errors.contains("gasmeter-batch:"), status != BatchAllSized);
        QCOMPARE(batch.exitCode(), status);

        const QByteArray out = batch.readAllStandardOutput();
        if (status != BatchAllSized) {
            QVERIFY(reader->ended(5000));
            QCOMPARE(FileKind(path), 'p');
        } else if (reader) {
            QVERIFY(out.isEmpty());
            QVERIFY(reader->bytes().startsWith(Magic(format)));
            QCOMPARE(FileKind(path), 'p');
            QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System),
                     (QStringList{u"copy"_s, u"fifo"_s}));
        } else if (target == u"null"_s) {
            QVERIFY(out.isEmpty());
            QCOMPARE(FileKind(path), 'c');
            QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System),
                     QStringList{u"null"_s});
        } else {
            QVERIFY2(out.startsWith(Magic(format)), out.left(20).constData());
        }
    }
};

QTEST_GUILESS_MAIN(TestBatchTargets)
#include "tst_batch_targets.moc"
