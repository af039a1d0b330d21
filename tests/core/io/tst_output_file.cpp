// Where a written file goes: a regular file whole or not at all, a FIFO or a
// device straight through and left as it is, "-" and /dev/stdout to standard
// output.

#include "core/io/output_file.h"

#include "special_files.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QTest>


using namespace Qt::StringLiterals;

class TestOutputFile : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    // Makes the target a row names; the path to write to, or empty when this
    // machine cannot make it.
    QString make(const QString &target)
    {
        if (target == u"-"_s || target.startsWith(u'/'))
            return target;
        const QString path = dir_.filePath(target);
        QFile::remove(path);
        if (target == u"old"_s) {
            QFile old(path);
            if (!old.open(QIODevice::WriteOnly) || old.write("old") != 3)
                return {};
        } else if (target == u"fifo"_s) {
            if (!MakeFifo(path))
                return {};
        } else if (target == u"null"_s || target == u"full"_s) {
            if (!MakeMemoryDevice(path, target == u"null"_s ? 3 : 7))
                return {};
        } else if (target == u"folder"_s) {
            if (!QDir(dir_.path()).mkdir(target))
                return {};
        }
        return path;
    }

private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }

    // Each target's route, what the write gives and what stands there after it.
    void write_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("route");
        QTest::addColumn<bool>("committed");
        QTest::addColumn<char>("kindAfter"); // as FileKind()
        const int whole = int(OutputRoute::WholeFile);
        const int direct = int(OutputRoute::Direct);
        const int standard = int(OutputRoute::StandardOutput);
        QTest::newRow("new name") << u"new"_s << whole << true << 'f';
        QTest::newRow("regular file replaced") << u"old"_s << whole << true << 'f';
        QTest::newRow("FIFO") << u"fifo"_s << direct << true << 'p';
        QTest::newRow("null device") << u"null"_s << direct << true << 'c';
        QTest::newRow("full device") << u"full"_s << direct << false << 'c';
        QTest::newRow("folder") << u"folder"_s << direct << false << 'd';
        QTest::newRow("dash") << u"-"_s << standard << true << '-';
        QTest::newRow("/dev/stdout") << u"/dev/stdout"_s << standard << true << '-';
    }

    void write()
    {
        QFETCH(QString, target);
        QFETCH(bool, committed);
        const QString path = make(target);
        if (path.isEmpty())
            QSKIP("this target needs root (mknod)");
        QTEST(int(RouteOf(path)), "route");

        std::unique_ptr<FifoReader> reader;
        if (FileKind(path) == 'p')
            reader = std::make_unique<FifoReader>(path, dir_.filePath(u"fifo-copy"_s));
        QBuffer standardOutput;
        standardOutput.open(QIODevice::WriteOnly);
        const QByteArray bytes(100000, 'x');

        OutputFile out(path, &standardOutput);
        bool done = out.open();
        if (done) {
            out.device().write(bytes);
            done = out.commit();
        }
        QCOMPARE(done, committed);
        QCOMPARE(out.errorString().isEmpty(), committed);
        if (target == u"full"_s)
            QCOMPARE(out.errorString(), qt_error_string(ENOSPC));

        if (RouteOf(path) == OutputRoute::StandardOutput) {
            QCOMPARE(out.name(), u"стандартный вывод"_s);
            QCOMPARE(standardOutput.data(), bytes);
            return;
        }
        QCOMPARE(out.name(), path);
        QTEST(FileKind(path), "kindAfter");
        if (reader)
            QCOMPARE(reader->bytes(), bytes);
        if (FileKind(path) == 'f') {
            QFile written(path);
            QVERIFY(written.open(QIODevice::ReadOnly));
            QCOMPARE(written.readAll(), bytes);
        }
    }
};

QTEST_GUILESS_MAIN(TestOutputFile)
#include "tst_output_file.moc"
