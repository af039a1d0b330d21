#include "core/io/output_file.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <utility>
#endif
#ifdef Q_OS_WIN
#include <windows.h>
#endif

OutputRoute RouteOf(const QString &path)
{
    if (path == u"-")
        return OutputRoute::StandardOutput;
#ifdef Q_OS_UNIX
    if (path == u"/dev/stdout" || path == u"/dev/fd/1")
        return OutputRoute::StandardOutput;
    struct stat status {};
    // A name that cannot be looked at is left to the whole-file writer, which says why.
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return OutputRoute::WholeFile;
    return S_ISREG(status.st_mode) ? OutputRoute::WholeFile : OutputRoute::Direct;
#else
    const QFileInfo info(path);
    return !info.exists() || info.isFile() ? OutputRoute::WholeFile : OutputRoute::Direct;
#endif
}

QString DestinationName(const QString &path)
{
    return RouteOf(path) == OutputRoute::StandardOutput ? QStringLiteral("стандартный вывод") : path;
}

OutputFile::OutputFile(const QString &path, QIODevice *standardOutput)
    : path_(path), route_(RouteOf(path)), standardOutput_(standardOutput)
{
}

bool OutputFile::fail(const QString &reason)
{
    if (error_.isEmpty())
        error_ = reason;
    return false;
}

bool OutputFile::open()
{
    switch (route_) {
    case OutputRoute::WholeFile:
        whole_.setFileName(path_);
        return whole_.open(QIODevice::WriteOnly) || fail(whole_.errorString());
    case OutputRoute::Direct:
        direct_.setFileName(path_);
        return direct_.open(QIODevice::WriteOnly) || fail(direct_.errorString());
    case OutputRoute::StandardOutput:
        if (standardOutput_)
            return standardOutput_->isWritable() || fail(QStringLiteral("не открыт для записи"));
#ifdef Q_OS_UNIX
        return direct_.open(STDOUT_FILENO, QIODevice::WriteOnly, QFileDevice::DontCloseHandle)
            || fail(direct_.errorString());
#else
        return direct_.open(stdout, QIODevice::WriteOnly, QFileDevice::DontCloseHandle)
            || fail(direct_.errorString());
#endif
    }
    return false;
}

QIODevice &OutputFile::device()
{
    if (route_ == OutputRoute::WholeFile)
        return whole_;
    if (route_ == OutputRoute::StandardOutput && standardOutput_)
        return *standardOutput_;
    return direct_;
}

bool OutputFile::commit()
{
    if (route_ == OutputRoute::WholeFile)
        return whole_.commit() || fail(whole_.errorString());
    auto *file = qobject_cast<QFileDevice *>(&device());
    if (!file)
        return error_.isEmpty();
    if (file->error() != QFileDevice::NoError || !file->flush())
        return fail(file->errorString());
    if (file == &direct_) {
        direct_.close();
        if (direct_.error() != QFileDevice::NoError)
            return fail(direct_.errorString());
    }
    return error_.isEmpty();
}

QString OutputFile::writeError()
{
    if (auto *file = qobject_cast<QFileDevice *>(&device()))
        file->flush();
    return device().errorString();
}

bool PutFileInPlace(const QString &finished, const QString &target, QString *error)
{
#ifdef Q_OS_WIN
    const std::wstring from = QDir::toNativeSeparators(finished).toStdWString();
    const std::wstring to = QDir::toNativeSeparators(target).toStdWString();
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    if (error)
        *error = qt_error_string(static_cast<int>(GetLastError()));
    return false;
#else
    if (std::rename(QFile::encodeName(finished).constData(), QFile::encodeName(target).constData()) == 0)
        return true;
    if (error)
        *error = qt_error_string(errno);
    return false;
#endif
}

QFile::Permissions NewFilePermissions()
{
#ifdef Q_OS_UNIX
    // umask() only sets the mask; it is put back at once.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    const mode_t mode = 0666 & ~mask;
    QFile::Permissions permissions;
    const std::pair<mode_t, QFile::Permissions> bits[] = {
        {S_IRUSR, QFile::ReadOwner | QFile::ReadUser}, {S_IWUSR, QFile::WriteOwner | QFile::WriteUser},
        {S_IRGRP, QFile::ReadGroup}, {S_IWGRP, QFile::WriteGroup},
        {S_IROTH, QFile::ReadOther}, {S_IWOTH, QFile::WriteOther}};
    for (const auto &[bit, permission] : bits)
        if (mode & bit)
            permissions |= permission;
    return permissions;
#else
    return QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser | QFile::ReadGroup
        | QFile::ReadOther;
#endif
}

TemporaryName::TemporaryName(const QString &pattern)
{
    QTemporaryFile file(pattern);
    if (!file.open()) {
        error_ = file.errorString();
        return;
    }
    file.setAutoRemove(false);
    path_ = file.fileName();
} // the file object, and its handle, go here

TemporaryName::~TemporaryName()
{
    if (!path_.isEmpty())
        QFile::remove(path_);
}

bool WriteWholeFile(const QString &path, const QByteArray &bytes, QString *why)
{
    OutputFile out(path);
    if (!out.open()) {
        *why = out.errorString();
        return false;
    }
    if (out.device().write(bytes) != bytes.size()) {
        *why = out.writeError();
        return false;
    }
    if (!out.commit()) {
        *why = out.errorString();
        return false;
    }
    return true;
}
