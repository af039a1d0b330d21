#pragma once

#include <QString>

// The program's message texts.
namespace Messages {
QString NoChoice();  // "Внимание! Не было выбрано ни одной позиции из списка!"
QString BadInput();  // "Правильно введите исходные данные!"
QString WideRange(); // "Внимание! Большой диапазон давлений, проверьте исходные данные!"
} // namespace Messages
