#include "wizard/navigation.h"

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

void Hide(QWidget *window)
{
    window->hide();
}

void Close(QWidget *window)
{
    window->close();
}
