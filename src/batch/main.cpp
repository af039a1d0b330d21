// gasmeter-batch: sizes a table of points the way the windows do, without them.

#include "batch/batch_files.h"
#include "batch/batch_run.h"
#include "report/c_numeric_locale.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <memory>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#else
#include <unistd.h>
#endif

namespace {

// The one value a signal handler may touch: set on SIGINT or SIGTERM, read by the
// run between points.
std::atomic<bool> StopRequested{false};
static_assert(std::atomic<bool>::is_always_lock_free);

extern "C" void OnStopSignal(int signal)
{
    StopRequested.store(true);
    // A second signal ends the process at once.
    std::signal(signal, SIG_DFL);
}

bool OnTerminal(FILE *stream)
{
#ifdef Q_OS_WIN
    return _isatty(_fileno(stream)) != 0;
#else
    return isatty(fileno(stream)) != 0;
#endif
}

} // namespace

int main(int argc, char *argv[])
{
#ifdef Q_OS_WIN
    // The tables and the workbooks and PDFs written to standard output are bytes:
    // Windows' text mode would turn every line feed into CR LF (the reader takes
    // both line ends itself).
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QString why;
    const std::optional<BatchOptions> options = ParseBatchArguments(arguments, &why);

    // The report is laid out with Qt Gui's fonts; no display is needed for it.
    std::unique_ptr<QCoreApplication> app;
    if (options && !options->help && options->format == BatchFormat::Pdf) {
#ifndef Q_OS_WIN
        // Windows keeps its own platform: it needs no display, and Qt's offscreen
        // platform has no fonts there.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    // The application object set the C library's locale from the environment;
    // the workbook's numbers must keep a point (the output's own follow QLocale).
    UseCNumericLocale();

    QFile in, out, errors;
    if (!in.open(stdin, QIODevice::ReadOnly) || !out.open(stdout, QIODevice::WriteOnly)
        || !errors.open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered))
        return BatchFailed;
    if (!options) {
        errors.write(QStringLiteral("gasmeter-batch: %1\nСправка: gasmeter-batch --help\n")
                         .arg(why)
                         .toUtf8());
        return BatchFailed;
    }
    // Ctrl-C and a request to terminate stop the run between points: an output file
    // is then not put in place, and the status says so.
    std::signal(SIGINT, OnStopSignal);
    std::signal(SIGTERM, OnStopSignal);
    BatchContext context;
    context.errorsOnTerminal = OnTerminal(stderr);
    context.outputOnTerminal = OnTerminal(stdout);
    context.stop = &StopRequested;
    return RunBatch(*options, in, out, errors, WriteBatchFile, WriteCatalogueWorkbook, context);
}
