#include "bench_support.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>

namespace {

QtMessageHandler previousHandler = nullptr;

void QuietHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message.startsWith(QLatin1String("This plugin does not support")))
        return;
    if (previousHandler)
        previousHandler(type, context, message);
}

} // namespace

ModalGuard::ModalGuard()
{
    timer_.setInterval(20);
    connect(&timer_, &QTimer::timeout, this, &ModalGuard::poll);
    timer_.start();
}

void ModalGuard::poll()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal)
        return;
    auto *box = qobject_cast<QMessageBox *>(modal);
    seen_ << (box ? box->text() : modal->objectName());
    modal->close();
}

void QuietOffscreenRaise()
{
    QtMessageHandler current = qInstallMessageHandler(QuietHandler);
    if (current != QuietHandler)
        previousHandler = current;
}
