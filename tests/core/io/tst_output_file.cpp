// Where a written file goes: a regular file whole or not at all, a FIFO or a
// device straight through and left as it is, "-" and /dev/stdout to standard
// output.

#include "core/io/output_file.h"

#include "special_files.h"

#include <QBuffer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>


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
#ifdef Q_OS_UNIX // FIFOs and devices are POSIX ones
        QTest::newRow("FIFO") << u"fifo"_s << direct << true << 'p';
        QTest::newRow("null device") << u"null"_s << direct << true << 'c';
        QTest::newRow("full device") << u"full"_s << direct << false << 'c';
#endif
        QTest::newRow("folder") << u"folder"_s << direct << false << 'd';
        QTest::newRow("dash") << u"-"_s << standard << true << '-';
#ifdef Q_OS_UNIX
        QTest::newRow("/dev/stdout") << u"/dev/stdout"_s << standard << true << '-';
#endif
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

    // A temporary name that cannot be made (its folder missing, or a file where its
    // folder should be: refused even to root) gives the system's reason; one that
    // can is a new empty file, removed when the name goes unless kept.
    void temporaryName_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<int>("systemError"); // 0: made
        QTest::newRow("made") << u""_s << 0;
        QTest::newRow("folder missing") << u"missing/"_s << ENOENT;
        QTest::newRow("a file for a folder") << u"plain/"_s << ENOTDIR;
    }
    void temporaryName()
    {
        QFETCH(QString, folder);
        QFETCH(int, systemError);
        QFile plain(dir_.filePath(u"plain"_s));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        QString path;
        {
            TemporaryName name(dir_.filePath(folder + u".target.XXXXXX"_s));
            QCOMPARE(name.made(), systemError == 0);
            if (systemError != 0) {
                QVERIFY(name.path().isEmpty());
                QVERIFY2(name.errorString().contains(qt_error_string(systemError)), qPrintable(name.errorString()));
                return;
            }
            path = name.path();
            QVERIFY(QFileInfo(path).isFile());
            QCOMPARE(QFileInfo(path).size(), 0);
        }
        QVERIFY(!QFile::exists(path));
        {
            TemporaryName kept(dir_.filePath(u".kept.XXXXXX"_s));
            path = kept.path();
            kept.keep();
        }
        QVERIFY(QFile::remove(path));
    }

    // A finished file takes the place of its target, whether one is there or not;
    // a target in a missing folder is refused with a reason and the file stays.
    void putInPlace_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("targetThere");
        QTest::addColumn<bool>("placed");
        QTest::newRow("new name") << u"placed-new"_s << false << true;
        QTest::newRow("old file replaced") << u"placed-old"_s << true << true;
        QTest::newRow("folder missing") << u"missing/placed"_s << false << false;
    }

    void putInPlace()
    {
        QFETCH(QString, target);
        QFETCH(bool, targetThere);
        QFETCH(bool, placed);
        const QString finished = dir_.filePath(u"finished-"_s + QString::number(QTest::currentDataTag()[0]));
        const QString path = dir_.filePath(target);
        const auto write = [](const QString &name, const QByteArray &bytes) {
            QFile f(name);
            return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
        };
        QVERIFY(write(finished, "new"));
        if (targetThere)
            QVERIFY(write(path, "old"));

        QString reason;
        QCOMPARE(PutFileInPlace(finished, path, &reason), placed);
        QCOMPARE(reason.isEmpty(), placed);
        QCOMPARE(QFile::exists(finished), !placed);
        if (placed) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadOnly));
            QCOMPARE(f.readAll(), QByteArray("new"));
        }
    }
};

QTEST_GUILESS_MAIN(TestOutputFile)
#include "tst_output_file.moc"
