#pragma once

#include "batch/batch_run.h"

#include <QBuffer>
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// One run of the batch program in this process, over in-memory input and output.
struct BatchResult {
    int status = -1;
    QByteArray out;
    QString errors;
};

// The batch program run with `arguments` on `input`; a usage error gives its
// status and the reason.
inline BatchResult RunInProcess(const QStringList &arguments, const QByteArray &input = {})
{
    QString why;
    const std::optional<BatchOptions> options = ParseBatchArguments(arguments, &why);
    if (!options)
        return {BatchFailed, {}, why};
    QBuffer in, out, errors;
    in.setData(input);
    in.open(QIODevice::ReadOnly);
    out.open(QIODevice::WriteOnly);
    errors.open(QIODevice::WriteOnly);
    const int status = RunBatch(*options, in, out, errors);
    return {status, out.data(), QString::fromUtf8(errors.data())};
}
