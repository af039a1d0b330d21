// gasmeter-batch: sizes a table of points the way the windows do, without them.

#include "batch/batch_run.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QFile in, out, errors;
    if (!in.open(stdin, QIODevice::ReadOnly) || !out.open(stdout, QIODevice::WriteOnly)
        || !errors.open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered))
        return BatchFailed;

    QString why;
    const std::optional<BatchOptions> options =
        ParseBatchArguments(QCoreApplication::arguments().mid(1), &why);
    if (!options) {
        errors.write(QStringLiteral("gasmeter-batch: %1\nСправка: gasmeter-batch --help\n")
                         .arg(why)
                         .toUtf8());
        return BatchFailed;
    }
    return RunBatch(*options, in, out, errors);
}
