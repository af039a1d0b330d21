#pragma once

class QWidget;

// The moves every wizard window makes.

// Makes `window` visible, centred over `mainWindow`, in front; never modal.
void ShowCentred(QWidget *window, const QWidget *mainWindow);
// Places `window` in the middle of its screen's available area (its first place
// before any ShowCentred moves it).
void CentreOnScreen(QWidget *window);
// Makes `window` invisible without running its close handler.
void Hide(QWidget *window);
// The window's close operation: its close handler (if it has one) runs, then it hides.
void Close(QWidget *window);
