#include "core/input/message_texts.h"

namespace Messages {
QString NoChoice() { return QStringLiteral("Внимание! Не было выбрано ни одной позиции из списка!"); }
QString BadInput() { return QStringLiteral("Правильно введите исходные данные!"); }
QString WideRange() { return QStringLiteral("Внимание! Большой диапазон давлений, проверьте исходные данные!"); }
} // namespace Messages
