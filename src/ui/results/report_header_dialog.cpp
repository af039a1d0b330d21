#include "ui/results/report_header_dialog.h"

#include "ui/wizard/wizard_window.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

ReportHeaderDialog::ReportHeaderDialog()
    : QDialog(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("ReportHeaderDialog"));
    setWindowTitle(QStringLiteral("Заголовок отчёта"));
    setFont(Look::DialogFont());
    setModal(false);
    Look::Paint(this, Look::Yellow());

    auto *outer = new QVBoxLayout(this);
    form_ = new QFormLayout;
    QFormLayout *form = form_;
    outer->addLayout(form);
    auto edit = [this, form](const QString &name, const QString &caption) {
        auto *line = new QLineEdit(this);
        line->setObjectName(name);
        line->setMinimumWidth(280);
        form->addRow(caption, line);
        return line;
    };
    ObjectEdit = edit(QStringLiteral("ObjectEdit"), QStringLiteral("Объект:"));
    CustomerEdit = edit(QStringLiteral("CustomerEdit"), QStringLiteral("Заказчик:"));
    PointEdit = edit(QStringLiteral("PointEdit"), QStringLiteral("Точка учёта:"));
    EngineerEdit = edit(QStringLiteral("EngineerEdit"), QStringLiteral("Исполнитель:"));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    ReportHeaderOk = new QPushButton(QStringLiteral("OK"), this);
    ReportHeaderOk->setObjectName(QStringLiteral("ReportHeaderOk"));
    ReportHeaderOk->setDefault(true);
    ReportHeaderCancel = new QPushButton(QStringLiteral("Отмена"), this);
    ReportHeaderCancel->setObjectName(QStringLiteral("ReportHeaderCancel"));
    buttons->addWidget(ReportHeaderOk);
    buttons->addWidget(ReportHeaderCancel);
    outer->addLayout(buttons);

    connect(ReportHeaderOk, &QPushButton::clicked, this, [this] {
        close();
        emit headerAccepted(header());
    });
    connect(ReportHeaderCancel, &QPushButton::clicked, this, &QDialog::close);
}

void ReportHeaderDialog::setHeader(const ReportHeader &h)
{
    ObjectEdit->setText(h.object);
    CustomerEdit->setText(h.customer);
    PointEdit->setText(h.point);
    EngineerEdit->setText(h.engineer);
}

ReportHeader ReportHeaderDialog::header() const
{
    return {ObjectEdit->text(), CustomerEdit->text(), PointEdit->text(), EngineerEdit->text()};
}

void ReportHeaderDialog::setPointShown(bool shown)
{
    form_->setRowVisible(PointEdit, shown);
}
