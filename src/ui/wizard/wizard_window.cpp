#include "ui/wizard/wizard_window.h"

#include "ui/pressure/unit_combo_box.h"
#include "ui/wizard/enter_key_rule.h"

#include <QCloseEvent>
#include <QShowEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>

#include <algorithm>

namespace Look {
QFont DialogFont()
{
    QFont font;
    // "Sans Serif" is fontconfig's name for the desktop's sans-serif face; Windows
    // has no family of that name and would fall back to a serif one, so its own
    // sans-serif faces follow.
    font.setFamilies({QStringLiteral("Sans Serif"), QStringLiteral("Segoe UI"), QStringLiteral("Arial"),
                     QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
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

void Paint(QWidget *widget, const QColor &colour)
{
    widget->setAutoFillBackground(true);
    QPalette pal = widget->palette();
    pal.setColor(QPalette::Window, colour);
    widget->setPalette(pal);
}

QFrame *WhitePanel(QWidget *parent, const QString &name, const QRect &geometry)
{
    auto *panel = new QFrame(parent);
    panel->setObjectName(name);
    panel->setGeometry(geometry);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Paint(panel, Qt::white);
    return panel;
}
} // namespace Look

void SetTextIfChanged(QLineEdit *edit, const QString &text)
{
    if (edit->text() != text)
        edit->setText(text);
}

WizardWindow::WizardWindow(AppState &state, const QString &className, const QString &caption,
                           QSize clientSize)
    : QWidget(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                           | Qt::WindowCloseButtonHint),
      state_(state)
{
    setObjectName(className);
    setWindowTitle(caption);
    setFont(Look::DialogFont());
    setFixedSize(clientSize);
    Look::Paint(this, Look::Yellow());
}

QLabel *WizardWindow::makeLabel(const QString &name, const QString &caption, int left, int top,
                                QWidget *parent)
{
    auto *label = new QLabel(caption, parent ? parent : this);
    label->setObjectName(name);
    label->move(left, top);
    layOutLater([label] { label->adjustSize(); });
    return label;
}

QLabel *WizardWindow::makeLabelInsideBevel(const QString &name, const QString &caption, int left,
                                          int top)
{
    constexpr int kInnerRight = 297;
    QLabel *label = makeLabel(name, caption, left, top);
    layOutLater([label, left, top] { label->move(std::min(left, kInnerRight - label->width()), top); });
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
    // Enter on a focused button presses it, as Space does.
    InstallEnterPress(button);
    return button;
}

QLineEdit *WizardWindow::makeEdit(const QString &name, const QRect &geometry, QWidget *parent)
{
    auto *edit = new QLineEdit(parent ? parent : this);
    edit->setObjectName(name);
    edit->setGeometry(geometry);
    return edit;
}

UnitComboBox *WizardWindow::makeUnitList(const QString &name, const QRect &geometry, QWidget *parent)
{
    auto *list = new UnitComboBox(parent ? parent : this);
    list->setObjectName(name);
    list->setGeometry(geometry);
    return list;
}

QFrame *WizardWindow::makeBevel()
{
    auto *bevel = new QFrame(this);
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setFrameShape(QFrame::Box);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setGeometry(8, 8, 297, 161);
    return bevel;
}

void WizardWindow::ensureLaidOut()
{
    layout_.run();
}

void WizardWindow::showEvent(QShowEvent *event)
{
    ensureLaidOut();
    QWidget::showEvent(event);
}

void WizardWindow::closeEvent(QCloseEvent *event)
{
    emit closing();
    QWidget::closeEvent(event);
}

void WizardWindow::makeButtonRow(QPushButton *&back, QPushButton *&next, QPushButton *&exit,
                                 const QRect &backPlace, const QRect &nextPlace,
                                 const QRect &exitPlace)
{
    back = makeButton(QStringLiteral("BitBtn1"), QStringLiteral("Назад"), backPlace);
    next = makeButton(QStringLiteral("BitBtn2"), QStringLiteral("Далее"), nextPlace);
    exit = makeButton(QStringLiteral("BitBtn3"), QStringLiteral("Выход"), exitPlace);
}
