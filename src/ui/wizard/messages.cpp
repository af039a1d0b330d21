#include "ui/wizard/messages.h"

#include <QAbstractButton>
#include <QMessageBox>

namespace {
void ShowBox(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text)
{
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    // The button says "OK" whatever language Qt's own texts are in.
    box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
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

void ShowMessages(QWidget *parent, const std::vector<SizingMessage> &messages)
{
    for (const SizingMessage &message : messages) {
        if (message.kind == SizingMessage::Kind::Error)
            ShowError(parent, message.text);
        else
            ShowWarning(parent, message.text);
    }
}
