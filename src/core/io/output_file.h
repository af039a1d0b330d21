#pragma once

#include <QByteArray>
#include <QFile>
#include <QSaveFile>
#include <QString>

class QIODevice;

// How a file the program writes reaches its destination.
enum class OutputRoute {
    WholeFile,      // a regular file or a name not taken yet: written beside it and put in
                    // its place only when complete
    Direct,         // anything else that is there (a character device, a FIFO): written
                    // straight to it, with no temporary file and no rename
    StandardOutput, // "-" and "/dev/stdout": the process's standard output
};

// The one place that tells the routes apart for a path.
OutputRoute RouteOf(const QString &path);

// A destination as a message names it: the path, or "стандартный вывод".
QString DestinationName(const QString &path);

// One output opened by its route: a regular file is written whole or not at all,
// anything else straight through. Every failure, a late one at flush or rename
// included, turns commit() false with the reason in errorString().
class OutputFile {
public:
    // `standardOutput`, when given, is what "-" and "/dev/stdout" write to;
    // otherwise the process's own standard output.
    explicit OutputFile(const QString &path, QIODevice *standardOutput = nullptr);

    OutputRoute route() const { return route_; }
    QString name() const { return DestinationName(path_); }

    bool open();
    QIODevice &device();
    // Puts a whole file in place, or flushes and closes the device written to.
    bool commit();
    QString errorString() const { return error_; }
    // Why a write to device() failed. A write that stopped part of the way leaves
    // no reason behind, so what is still held is offered once more to get one.
    QString writeError();

private:
    bool fail(const QString &reason);

    QString path_;
    OutputRoute route_;
    QIODevice *standardOutput_;
    QSaveFile whole_;
    QFile direct_;
    QString error_;
};

// Writes `bytes` to `path` by its route, whole or not at all; false with the reason.
bool WriteWholeFile(const QString &path, const QByteArray &bytes, QString *why);

// Puts a finished file in place of `target` in one step, replacing one that is there
// (rename() on POSIX; MoveFileEx on Windows, whose rename() refuses an existing
// target). False with the system's reason in `error`.
bool PutFileInPlace(const QString &finished, const QString &target, QString *error);

// The permissions a new file gets from the process's umask (0666 & ~umask on Unix);
// owner read and write with read for the others where there is no umask.
QFile::Permissions NewFilePermissions();

// A new empty file under a unique name made from `pattern` (QTemporaryFile's
// XXXXXX), held by no open handle, so that another writer may replace it and it
// may be renamed (Windows refuses both while a QTemporaryFile holds it). Removed
// when this goes, unless kept.
class TemporaryName {
public:
    explicit TemporaryName(const QString &pattern);
    ~TemporaryName();
    TemporaryName(const TemporaryName &) = delete;
    TemporaryName &operator=(const TemporaryName &) = delete;

    bool made() const { return !path_.isEmpty(); }
    QString path() const { return path_; }
    QString errorString() const { return error_; }
    void keep() { path_.clear(); }

private:
    QString path_;
    QString error_;
};
