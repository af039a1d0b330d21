#include "wizard/messages.h"

#include <QMessageBox>

namespace Messages {
QString NoChoice() { return QStringLiteral("Внимание! Не было выбрано ни одной позиции из списка!"); }
QString BadInput() { return QStringLiteral("Правильно введите исходные данные!"); }
QString WideRange() { return QStringLiteral("Внимание! Большой диапазон давлений, проверьте исходные данные!"); }
} // namespace Messages

namespace {
void ShowBox(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text)
{
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}
} // namespace

void ShowWarning(QWidget *parent, const QString &text)
{
    ShowBox(parent, QMessageBox::Warning, QStringLiteral("Warning"), text);
}

void ShowError(QWidget *parent, const QString &text)
{
    ShowBox(parent, QMessageBox::Critical, QStringLiteral("Error"), text);
}
