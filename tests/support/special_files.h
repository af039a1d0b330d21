#pragma once

// Targets that are not regular files, made by a test in its own folder: a FIFO
// with a reader at the other end, and character devices made with mknod (root
// only). POSIX; on Windows only regular files and folders are told apart and
// nothing special can be made.

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QString>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <sys/sysmacros.h>
#else
#include <QFileInfo>
#endif

// The kind of what stands at the path, without following a link: 'f' regular
// file, 'p' FIFO, 'c' character device, 'd' folder, '-' nothing, '?' other.
inline char FileKind(const QString &path)
{
#ifndef Q_OS_UNIX
    const QFileInfo info(path);
    return !info.exists() ? '-' : info.isFile() ? 'f' : info.isDir() ? 'd' : '?';
#else
    struct stat s {};
    if (::lstat(QFile::encodeName(path).constData(), &s) != 0)
        return '-';
    return S_ISREG(s.st_mode) ? 'f' : S_ISFIFO(s.st_mode) ? 'p' : S_ISCHR(s.st_mode) ? 'c' : S_ISDIR(s.st_mode) ? 'd' : '?';
#endif
}

inline bool MakeFifo(const QString &path)
{
#ifdef Q_OS_UNIX
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
#else
    Q_UNUSED(path);
    return false;
#endif
}

// A character device of the kernel's memory driver: minor 3 is a null device,
// minor 7 a full one (every write fails with "No space left on device"). False
// when not allowed (not root).
inline bool MakeMemoryDevice(const QString &path, unsigned minor)
{
#ifdef Q_OS_UNIX
    return ::mknod(QFile::encodeName(path).constData(), S_IFCHR | 0666, makedev(1, minor)) == 0;
#else
    Q_UNUSED(path);
    Q_UNUSED(minor);
    return false;
#endif
}

// `cat` reading a FIFO into a file, so a writer in the test's own thread never
// waits on the test to read.
class FifoReader {
public:
    FifoReader(const QString &fifo, const QString &copy) : copy_(copy)
    {
        cat_.setStandardOutputFile(copy);
        cat_.start(QStringLiteral("cat"), {fifo});
        cat_.waitForStarted();
    }
    ~FifoReader()
    {
        if (cat_.state() != QProcess::NotRunning) {
            cat_.kill();
            cat_.waitForFinished();
        }
    }

    // Whether the writer closed its end within `wait` ms.
    bool ended(int wait = 30000) { return cat_.state() == QProcess::NotRunning || cat_.waitForFinished(wait); }

    // What came through once the writer closed its end; empty after `wait` ms
    // without an end.
    QByteArray bytes(int wait = 30000)
    {
        if (!ended(wait))
            return {};
        QFile file(copy_);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private:
    QString copy_;
    QProcess cat_;
};
