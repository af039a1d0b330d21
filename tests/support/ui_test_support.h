#pragma once

#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <memory>

class QAbstractButton;
class QWidget;

// One modal message box as the user saw it.
struct SeenMessage {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttonCount = 0;
    QString okText; // the OK button's caption
};

// Watches for modal message boxes while it lives, records each one and dismisses
// it with its OK button, so a handler that shows a box runs on to its end.
class MessageCatcher : public QObject {
    Q_OBJECT
public:
    MessageCatcher();
    ~MessageCatcher() override;

    const QList<SeenMessage> &messages() const { return seen_; }
    QStringList texts() const;
    void clear() { seen_.clear(); }

private:
    void poll();
    QTimer timer_;
    QList<SeenMessage> seen_;
};

// Drops the offscreen platform's "does not support raise()" lines from the test
// log; call it in initTestCase(), after Qt Test has set up its own logging.
void QuietOffscreenWarnings();

// Clicks a button the way a user does (mouse press and release in its middle).
void ClickButton(QAbstractButton *button);
// Types text into a line edit after clearing it, as a user would.
void TypeInto(QWidget *edit, const QString &text);
// The object names of the next `count` focusable widgets after `start` in its
// window's tab order, `start` first.
QStringList TabOrderFrom(QWidget *start, int count);
