#include "ui/wizard/navigation.h"

#include <QScreen>
#include <QWidget>

void ShowCentred(QWidget *window, const QWidget *mainWindow)
{
    window->show();
    if (mainWindow) {
        QRect frame = window->frameGeometry();
        frame.moveCenter(mainWindow->frameGeometry().center());
        window->move(frame.topLeft());
    }
    window->raise();
    window->activateWindow();
}

void CentreOnScreen(QWidget *window)
{
    const QScreen *screen = window->screen();
    if (!screen)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

void Hide(QWidget *window)
{
    window->hide();
}

void Close(QWidget *window)
{
    window->close();
}
