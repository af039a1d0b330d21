#include "ui/project/project_menu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

ProjectMenuActions AddProjectMenu(QMenuBar *bar, bool withAdd, QAction *before)
{
    ProjectMenuActions actions;
    actions.menu = new QMenu(QStringLiteral("Проект"), bar);
    actions.menu->setObjectName(QStringLiteral("ProjectMenu"));
    if (before)
        bar->insertMenu(before, actions.menu);
    else
        bar->addMenu(actions.menu);
    const auto add = [&actions](const char *name, const QString &text) {
        QAction *action = actions.menu->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    if (withAdd) {
        actions.add = add("ProjectAddAction", QStringLiteral("Добавить в проект"));
        actions.add->setEnabled(false);
    }
    actions.show = add("ProjectShowAction", QStringLiteral("Точки проекта..."));
    actions.menu->addSeparator();
    actions.newProject = add("ProjectNewAction", QStringLiteral("Новый проект"));
    actions.open = add("ProjectOpenAction", QStringLiteral("Открыть проект..."));
    actions.save = add("ProjectSaveAction", QStringLiteral("Сохранить проект"));
    actions.saveAs = add("ProjectSaveAsAction", QStringLiteral("Сохранить проект как..."));
    actions.menu->addSeparator();
    actions.reportMenu = actions.menu->addMenu(QStringLiteral("Спецификация и отчёт"));
    actions.reportMenu->setObjectName(QStringLiteral("ProjectReportMenu"));
    const auto report = [&actions](const char *name, const QString &text) {
        QAction *action = actions.reportMenu->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    actions.pricing = report("ProjectPricingAction", QStringLiteral("Ставки НДС и курс евро..."));
    actions.reportMenu->addSeparator();
    actions.reportPreview = report("ProjectReportPreviewAction", QStringLiteral("Предварительный просмотр..."));
    actions.reportPrint = report("ProjectReportPrintAction", QStringLiteral("Печать..."));
    actions.reportPdf = report("ProjectReportPdfAction", QStringLiteral("Сохранить в PDF..."));
    actions.reportXlsx = report("ProjectReportXlsxAction", QStringLiteral("Сохранить в Excel..."));
    return actions;
}
