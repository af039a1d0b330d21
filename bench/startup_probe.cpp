#include "startup_probe.h"

#include <QApplication>
#include <QByteArray>
#include <QEvent>
#include <QFile>
#include <QObject>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <optional>

#include <unistd.h>

namespace {

std::chrono::steady_clock::time_point mainEntry;

double Seconds(const timespec &t) { return double(t.tv_sec) + double(t.tv_nsec) * 1e-9; }

// Milliseconds since the program was started.
std::optional<double> MillisecondsSinceExec()
{
    const QByteArray launch = qgetenv("GAS_LAUNCH_TIME");
    if (!launch.isEmpty()) {
        bool ok = false;
        const double launched = launch.trimmed().replace(',', '.').toDouble(&ok);
        timespec now{};
        if (ok && clock_gettime(CLOCK_REALTIME, &now) == 0)
            return (Seconds(now) - launched) * 1000.0;
    }
    // Field 22 of /proc/self/stat: start time in clock ticks after boot. The
    // command name (field 2) is in parentheses and may hold spaces.
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    constexpr int StartTimeAfterName = 22 - 3;
    if (fields.size() <= StartTimeAfterName)
        return std::nullopt;
    bool ok = false;
    const double ticks = fields[StartTimeAfterName].toDouble(&ok);
    timespec now{};
    if (!ok || clock_gettime(CLOCK_BOOTTIME, &now) != 0)
        return std::nullopt;
    return (Seconds(now) - ticks / double(sysconf(_SC_CLK_TCK))) * 1000.0;
}

// A "VmHWM:" style line of /proc/self/status, in kB.
long StatusKilobytes(const char *key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    // A /proc file reports size 0, so it is read whole rather than line by line.
    const QByteArray prefix(key);
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

// Sees the first paint event of any widget of the watched window, then reports
// once the event loop is back, i.e. after that paint has gone to the screen.
class FirstPaintWatch : public QObject {
public:
    FirstPaintWatch(QWidget *window, const char *name) : window_(window), name_(name) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!painted_ && event->type() == QEvent::Paint && watched->isWidgetType()
            && static_cast<QWidget *>(watched)->window() == window_) {
            painted_ = true;
            QTimer::singleShot(0, this, &FirstPaintWatch::report);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void report()
    {
        const std::optional<double> sinceExec = MillisecondsSinceExec();
        const double sinceMain =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - mainEntry)
                .count();
        std::printf("startup %s from_exec_ms=%.2f from_main_ms=%.2f vmhwm_kb=%ld vmrss_kb=%ld\n",
                    name_, sinceExec.value_or(-1.0), sinceMain, StatusKilobytes("VmHWM:"),
                    StatusKilobytes("VmRSS:"));
        std::fflush(stdout);
        qApp->removeEventFilter(this);
        if (!qEnvironmentVariableIsEmpty("GAS_EXIT_AFTER_SHOW"))
            QApplication::quit();
    }

    QWidget *window_;
    const char *name_;
    bool painted_ = false;
};

} // namespace

void MarkMainEntry()
{
    mainEntry = std::chrono::steady_clock::now();
}

void WatchFirstPaint(QWidget *window, const char *name)
{
    auto *watch = new FirstPaintWatch(window, name);
    watch->setParent(qApp);
    qApp->installEventFilter(watch);
}
