#include "ui_test_support.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QApplication>
#include <QLineEdit>
#include <QTest>

namespace {
// The offscreen platform cannot raise windows and says so on every show; those
// lines carry no information for the tests and are dropped.
QtMessageHandler previousHandler = nullptr;

void QuietHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message.startsWith(QLatin1String("This plugin does not support")))
        return;
    if (previousHandler)
        previousHandler(type, context, message);
}

} // namespace

void QuietOffscreenWarnings()
{
    QtMessageHandler current = qInstallMessageHandler(QuietHandler);
    if (current != QuietHandler)
        previousHandler = current;
}

MessageCatcher::MessageCatcher()
{
    timer_.setInterval(0);
    connect(&timer_, &QTimer::timeout, this, &MessageCatcher::poll);
    timer_.start();
}

MessageCatcher::~MessageCatcher() = default;

QStringList MessageCatcher::texts() const
{
    QStringList out;
    for (const SeenMessage &m : seen_)
        out << m.text;
    return out;
}

void MessageCatcher::poll()
{
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (!box || !box->isVisible())
        return;
    SeenMessage m;
    m.title = box->windowTitle();
    m.text = box->text();
    m.icon = box->icon();
    m.buttonCount = int(box->buttons().size());
    QAbstractButton *ok = box->button(QMessageBox::Ok);
    if (ok)
        m.okText = ok->text();
    seen_ << m;
    if (ok)
        ok->click();
    else
        box->reject();
}

void ClickButton(QAbstractButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

void TypeInto(QWidget *edit, const QString &text)
{
    auto *line = qobject_cast<QLineEdit *>(edit);
    if (!line)
        return;
    line->clear();
    line->setFocus();
    for (const QChar ch : text) {
        if (ch.unicode() < 0x80) {
            QTest::keyClick(line, ch.toLatin1());
            continue;
        }
        // QTest maps only ASCII to keys; other letters arrive as text.
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(line, &press);
        QApplication::sendEvent(line, &release);
    }
}

QStringList TabOrderFrom(QWidget *start, int count)
{
    QStringList names{start->objectName()};
    QWidget *w = start;
    while (names.size() < count) {
        w = w->nextInFocusChain();
        if (w == start)
            break;
        if (w->focusPolicy() & Qt::TabFocus)
            names << w->objectName();
    }
    return names;
}
