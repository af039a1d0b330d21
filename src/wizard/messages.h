#pragma once

#include <QString>

class QWidget;

// The program's message texts.
namespace Messages {
QString NoChoice();  // "Внимание! Не было выбрано ни одной позиции из списка!"
QString BadInput();  // "Правильно введите исходные данные!"
QString WideRange(); // "Внимание! Большой диапазон давлений, проверьте исходные данные!"
} // namespace Messages

// Modal box titled "Warning" with the warning icon and one OK button.
void ShowWarning(QWidget *parent, const QString &text);
// Modal box titled "Error" with the critical icon and one OK button.
void ShowError(QWidget *parent, const QString &text);
