#include "ui/wizard/enter_key_rule.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

namespace {

bool IsEnter(const QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent *>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// Moves the focus on from an edit when Enter is typed in it.
class EnterMovesFocus : public QObject {
public:
    EnterMovesFocus(QLineEdit *edit, QWidget *next) : QObject(edit), next_(next) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!IsEnter(event))
            return QObject::eventFilter(watched, event);
        if (next_)
            next_->setFocus(Qt::TabFocusReason);
        return true;
    }

private:
    QPointer<QWidget> next_;
};

// Presses a focused push button when Enter is typed on it.
class EnterPressesButton : public QObject {
public:
    explicit EnterPressesButton(QPushButton *button) : QObject(button), button_(button) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!IsEnter(event))
            return QObject::eventFilter(watched, event);
        if (button_ && button_->isEnabled())
            button_->click();
        return true;
    }

private:
    QPushButton *button_;
};

constexpr const char *kEnterPressInstalled = "enterPressInstalled";

} // namespace

void InstallEnterRule(QLineEdit *edit, QWidget *next)
{
    edit->installEventFilter(new EnterMovesFocus(edit, next));
    if (auto *button = qobject_cast<QPushButton *>(next))
        InstallEnterPress(button);
}

void InstallEnterPress(QPushButton *button)
{
    if (button->property(kEnterPressInstalled).toBool())
        return;
    button->setProperty(kEnterPressInstalled, true);
    button->installEventFilter(new EnterPressesButton(button));
}
