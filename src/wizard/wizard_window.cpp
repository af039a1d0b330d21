#include "wizard/wizard_window.h"

#include <QLabel>
#include <QPalette>
#include <QPushButton>

namespace Look {
QFont DialogFont()
{
    QFont font(QStringLiteral("Sans Serif"));
    font.setPixelSize(11);
    return font;
}

QFont CaptionFont(bool bold)
{
    QFont font = DialogFont();
    font.setPixelSize(13);
    font.setBold(bold);
    return font;
}

QColor Yellow()
{
    return QColor(255, 255, 0);
}
} // namespace Look

WizardWindow::WizardWindow(AppState &state, WindowSet &windows, const QString &className,
                           const QString &caption, QSize clientSize)
    : QWidget(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                           | Qt::WindowCloseButtonHint),
      state_(state), windows_(windows)
{
    setObjectName(className);
    setWindowTitle(caption);
    setFont(Look::DialogFont());
    setFixedSize(clientSize);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Look::Yellow());
    setPalette(pal);
}

QLabel *WizardWindow::makeLabel(const QString &name, const QString &caption, int left, int top,
                                QWidget *parent)
{
    auto *label = new QLabel(caption, parent ? parent : this);
    label->setObjectName(name);
    label->move(left, top);
    label->adjustSize();
    return label;
}

QPushButton *WizardWindow::makeButton(const QString &name, const QString &caption,
                                      const QRect &geometry, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent ? parent : this);
    button->setObjectName(name);
    button->setAutoDefault(false);
    button->setDefault(false);
    button->setGeometry(geometry);
    return button;
}
