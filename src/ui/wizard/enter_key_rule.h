#pragma once

class QLineEdit;
class QPushButton;
class QWidget;

// The Enter-key rule of the numeric edits: Enter typed in `edit` is swallowed and
// the focus moves to `next`; every other key reaches the edit unchanged. When
// `next` is a push button, Enter on that button presses it.
void InstallEnterRule(QLineEdit *edit, QWidget *next);

// Enter (or the keypad Enter) on a focused `button` presses it.
void InstallEnterPress(QPushButton *button);
