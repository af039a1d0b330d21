#include "app/project_flow.h"

#include "app/project_reports.h"
#include "app/window_list.h"
#include "core/io/output_file.h"
#include "core/project/point_texts.h"
#include "core/project/project_file.h"
#include "core/project/project_priced_list.h"
#include "core/project/project_table.h"
#include "core/state/app_state.h"
#include "ui/launcher/main_window.h"
#include "ui/project/project_document.h"
#include "ui/project/project_window.h"
#include "ui/project/specification_settings_dialog.h"
#include "ui/results/results_window.h"
#include "ui/settings/program_settings.h"
#include "ui/wizard/messages.h"
#include "ui/wizard/navigation.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

const QString FileFilter = u"Проект подбора (*.gmsz)"_s;
const QString TableFilter = u"Таблица точек (*.csv *.txt);;Все файлы (*)"_s;

} // namespace

ProjectFlow::ProjectFlow(AppState &state, WindowList &windows)
    : state_(state), w_(windows), document_(std::make_unique<ProjectDocument>(state.Catalogue))
{
    setObjectName(u"ProjectFlow"_s);
    settingsPath_ = DefaultSettingsPath();
    recoveryPath_ = QFileInfo(settingsPath_).dir().filePath(u"recovery.gmsz"_s);
    askPath = [this](bool save, const QString &suggested) {
        return save ? QFileDialog::getSaveFileName(dialogParent(), u"Сохранить проект"_s, suggested, FileFilter)
                    : QFileDialog::getOpenFileName(dialogParent(), u"Открыть проект"_s, suggested, FileFilter);
    };
    askUnsaved = [this](const QString &name) {
        QMessageBox box(QMessageBox::Question, u"Проект"_s,
                        u"Сохранить изменения в проекте «%1»?"_s.arg(name), QMessageBox::NoButton,
                        dialogParent());
        box.setObjectName(u"ProjectUnsavedQuestion"_s);
        QPushButton *save = box.addButton(u"Сохранить"_s, QMessageBox::AcceptRole);
        QPushButton *discard = box.addButton(u"Не сохранять"_s, QMessageBox::DestructiveRole);
        QPushButton *cancel = box.addButton(u"Отмена"_s, QMessageBox::RejectRole);
        box.setDefaultButton(save);
        box.setEscapeButton(cancel);
        box.exec();
        return box.clickedButton() == save ? 0 : box.clickedButton() == discard ? 1 : 2;
    };
    askTablePath = [this](bool save) {
        const QString from = QFileInfo(document_->path()).absolutePath();
        return save ? QFileDialog::getSaveFileName(dialogParent(), u"Экспорт таблицы точек"_s, from, TableFilter)
                    : QFileDialog::getOpenFileName(dialogParent(), u"Импорт таблицы точек"_s, from, TableFilter);
    };
    askYesNo = [this](const QString &text) {
        QMessageBox box(QMessageBox::Question, u"Проект"_s, text, QMessageBox::Yes | QMessageBox::No,
                        dialogParent());
        box.setObjectName(u"ProjectQuestion"_s);
        box.button(QMessageBox::Yes)->setText(u"Да"_s);
        box.button(QMessageBox::No)->setText(u"Нет"_s);
        return box.exec() == QMessageBox::Yes;
    };
    // A project begun from nothing is priced at the rates last set.
    Project fresh;
    fresh.pricing = LoadPricing(settingsPath_);
    document_->reset(std::move(fresh), {});
    connect(document_.get(), &ProjectDocument::changed, this, &ProjectFlow::refresh);
    // The unsaved mark changes the caption only: the rows are the same.
    connect(document_.get(), &ProjectDocument::modifiedChanged, this, [this](bool modified) {
        if (window_)
            window_->showTitle(document_->displayName(), modified);
    });
    connect(document_.get(), &ProjectDocument::sizingProgress, this, [this](qsizetype done, qsizetype total) {
        if (window_)
            window_->showProgress(done, total);
    });
    connect(&document_->undoStack(), &QUndoStack::indexChanged, this, &ProjectFlow::writeRecovery);
    connectWindows();
    reports_ = std::make_unique<ProjectReports>(state_, w_, *document_, [this] { return dialogParent(); });
}

ProjectFlow::~ProjectFlow()
{
    // The undo stack still speaks while it goes: nothing of it reaches a window gone.
    document_->disconnect(this);
    document_->undoStack().disconnect(this);
    reports_.reset();
    pricingDialog_.reset();
    window_.reset();
    document_.reset();
}

QWidget *ProjectFlow::dialogParent() const
{
    if (window_ && window_->isVisible())
        return window_.get();
    return w_.Form1.get();
}

void ProjectFlow::connectWindows()
{
    TForm1 *main = w_.Form1.get();
    TForm2 *results = w_.Form2.get();
    for (QAction *show : {main->ProjectShowAction, results->ProjectShowAction})
        connect(show, &QAction::triggered, this, &ProjectFlow::ShowWindow);
    for (QAction *action : {main->ProjectNewAction, results->ProjectNewAction})
        connect(action, &QAction::triggered, this, &ProjectFlow::newProject);
    for (QAction *action : {main->ProjectOpenAction, results->ProjectOpenAction})
        connect(action, &QAction::triggered, this, &ProjectFlow::openAsked);
    for (QAction *action : {main->ProjectSaveAction, results->ProjectSaveAction})
        connect(action, &QAction::triggered, this, &ProjectFlow::Save);
    for (QAction *action : {main->ProjectSaveAsAction, results->ProjectSaveAsAction})
        connect(action, &QAction::triggered, this, &ProjectFlow::SaveAs);
    for (QAction *action : {main->ProjectPricingAction, results->ProjectPricingAction})
        connect(action, &QAction::triggered, this, &ProjectFlow::ShowPricingDialog);
    connect(results, &TForm2::projectAddRequested, this, &ProjectFlow::addRun);
    // Closing the main window ends the program: first the question when work would be lost.
    main->closeGuard = [this] { return MayDiscard(); };
}

ProjectWindow &ProjectFlow::window()
{
    if (!window_) {
        window_ = std::make_unique<ProjectWindow>();
        window_->setUndoStack(document_->undoStack());
        connectProjectWindow(*window_);
        refresh();
    }
    return *window_;
}

void ProjectFlow::connectProjectWindow(ProjectWindow &window)
{
    connect(&window, &ProjectWindow::editRequested, this,
            [this](int point, ProjectColumn column, const QString &text) { edit(point, int(column), text); });
    connect(&window, &ProjectWindow::removeRequested, this, &ProjectFlow::remove);
    connect(&window, &ProjectWindow::moveRequested, this, &ProjectFlow::moveBy);
    connect(&window, &ProjectWindow::showRequested, this, &ProjectFlow::showPoint);
    connect(&window, &ProjectWindow::resizeAllRequested, this, &ProjectFlow::resizeAll);
    connect(&window, &ProjectWindow::pricingSettingsRequested, this, &ProjectFlow::ShowPricingDialog);
    connect(&window, &ProjectWindow::importRequested, this, [this] {
        if (const QString path = askTablePath(false); !path.isEmpty())
            ImportTable(path);
    });
    connect(&window, &ProjectWindow::exportRequested, this, [this] {
        if (const QString path = askTablePath(true); !path.isEmpty())
            ExportTable(path);
    });
}

void ProjectFlow::ShowWindow()
{
    ProjectWindow &shown = window();
    if (!shown.isVisible())
        ShowCentred(&shown, w_.Form1.get());
    shown.raise();
    shown.activateWindow();
}

void ProjectFlow::refresh()
{
    if (!window_)
        return;
    const Project &project = document_->project();
    std::vector<ProjectRowView> rows;
    std::vector<QStringList> choices;
    for (std::size_t i = 0; i < project.points.size(); ++i) {
        rows.push_back(ProjectRow(static_cast<int>(i) + 1, project.points[i], document_->records()[i]));
        choices.push_back(ChoicesOf(document_->records()[i]));
    }
    window_->showRows(rows, choices);
    window_->showPricedList(ProjectPricedList(project, document_->records()));
    window_->showTitle(document_->displayName(), document_->modified());
}

SpecificationSettingsDialog &ProjectFlow::pricingDialog()
{
    if (!pricingDialog_) {
        pricingDialog_ = std::make_unique<SpecificationSettingsDialog>();
        connect(pricingDialog_.get(), &SpecificationSettingsDialog::pricingRequested, this, &ProjectFlow::takePricing);
    }
    return *pricingDialog_;
}

void ProjectFlow::ShowPricingDialog()
{
    SpecificationSettingsDialog &dialog = pricingDialog();
    dialog.showPricing(document_->project().pricing);
    if (!dialog.isVisible())
        ShowCentred(&dialog, dialogParent());
    dialog.raise();
    dialog.activateWindow();
}

void ProjectFlow::takePricing(const QString &vat, const QString &eurRate, const QString &date)
{
    const PricingReading reading = ReadPricing(vat, eurRate, date);
    if (!reading.pricing) {
        // The dialog stays open with what was typed, the project as it was.
        ShowWarning(pricingDialog_.get(), reading.error);
        return;
    }
    // The rates stand for this project and, from now on, for each new one.
    SavePricing(settingsPath_, *reading.pricing);
    if (!(document_->project().pricing == *reading.pricing)) {
        Project next = document_->project();
        next.pricing = *reading.pricing;
        document_->change(u"Изменить ставки"_s, std::move(next));
    }
    pricingDialog_->close();
}

void ProjectFlow::writeRecovery()
{
    if (!document_->modified())
        return;
    QDir().mkpath(QFileInfo(recoveryPath_).absolutePath());
    QJsonObject root = ProjectFileObject(document_->project());
    root[u"recovery_of"_s] = document_->path();
    QString why;
    // A recovery file that cannot be written costs nothing of the project itself.
    WriteWholeFile(recoveryPath_, QJsonDocument(root).toJson(QJsonDocument::Indented), &why);
}

void ProjectFlow::addRun(const std::optional<QString> &chosen)
{
    const std::optional<SizingOutcome> &run = w_.Form2->shownOutcome();
    if (!run)
        return;
    Project next = document_->project();
    next.points.push_back(PointOfRun(next, *run, chosen));
    document_->change(u"Добавить точку"_s, std::move(next));
    if (window_)
        window_->selectPoint(static_cast<int>(document_->project().points.size()) - 1);
}

void ProjectFlow::edit(int point, int column, const QString &text)
{
    const Project &project = document_->project();
    if (point < 0 || point >= static_cast<int>(project.points.size()))
        return;
    Project next = project;
    ProjectPoint &p = next.points[static_cast<std::size_t>(point)];
    QString why;
    switch (static_cast<ProjectColumn>(column)) {
    case ProjectColumn::Id:
        why = IdRefusal(project, point, text);
        if (why.isEmpty())
            p.id = text;
        break;
    case ProjectColumn::Quantity:
        if (const std::optional<int> quantity = ReadQuantity(text, &why))
            p.quantity = *quantity;
        break;
    case ProjectColumn::Note:
        p.note = text;
        break;
    case ProjectColumn::Product:
        if (!ChoicesOf(document_->records()[static_cast<std::size_t>(point)]).contains(text) && !text.isEmpty())
            why = u"Изделие «%1» не подходит для этой точки."_s.arg(text);
        else
            p.choice = text;
        break;
    default:
        return;
    }
    if (!why.isEmpty() || next == project) {
        refresh(); // the old value back in the table
        if (window_)
            window_->showRefusal(why);
        return;
    }
    document_->change(u"Изменить точку"_s, std::move(next));
}

void ProjectFlow::remove(int point)
{
    Project next = document_->project();
    if (point < 0 || point >= static_cast<int>(next.points.size()))
        return;
    next.points.erase(next.points.begin() + point);
    document_->change(u"Удалить точку"_s, std::move(next));
    if (window_)
        window_->selectPoint(std::min(point, static_cast<int>(next.points.size()) - 1));
}

void ProjectFlow::moveBy(int point, int by)
{
    Project next = document_->project();
    const int to = point + by;
    const int count = static_cast<int>(next.points.size());
    if (point < 0 || point >= count || to < 0 || to >= count)
        return;
    std::swap(next.points[static_cast<std::size_t>(point)], next.points[static_cast<std::size_t>(to)]);
    document_->change(by < 0 ? u"Переместить вверх"_s : u"Переместить вниз"_s, std::move(next));
    if (window_)
        window_->selectPoint(to);
}

void ProjectFlow::showPoint(int point)
{
    const Project &project = document_->project();
    if (point < 0 || point >= static_cast<int>(project.points.size()))
        return;
    // Sized again from the point's texts, as the project keeps it.
    const BatchRecord sized = SizeProjectPoint(project.points[static_cast<std::size_t>(point)], state_.Catalogue);
    if (sized.hasError()) {
        ShowError(dialogParent(), sized.error);
        return;
    }
    TForm2 *results = w_.Form2.get();
    if (sized.outcome.request.mode != 5)
        results->ShowFlowRange(sized.outcome.qmaxStd, sized.outcome.qminStd);
    results->ShowOutcome(sized.outcome);
    if (!results->isVisible())
        ShowCentred(results, w_.Form1.get());
    results->raise();
    results->activateWindow();
    results->SelectProduct(project.points[static_cast<std::size_t>(point)].choice);
}

void ProjectFlow::resizeAll()
{
    // Every point again under the conditions in force; the chosen products are kept
    // (and flagged where they no longer fit), never swapped.
    Project next = document_->project();
    for (ProjectPoint &point : next.points)
        WriteConditionTexts(state_.Conditions, point);
    document_->change(u"Пересчитать все"_s, std::move(next));
}

bool ProjectFlow::MayDiscard()
{
    if (!document_->modified())
        return true;
    switch (askUnsaved(document_->displayName())) {
    case 0:
        return Save();
    case 1:
        return true;
    default:
        return false;
    }
}

void ProjectFlow::newProject()
{
    if (!MayDiscard())
        return;
    Project fresh;
    fresh.pricing = LoadPricing(settingsPath_);
    document_->reset(std::move(fresh), {});
    QFile::remove(recoveryPath_);
}

void ProjectFlow::openAsked()
{
    if (!MayDiscard())
        return;
    const QString path = askPath(false, QFileInfo(document_->path()).absolutePath());
    if (!path.isEmpty() && OpenFile(path))
        ShowWindow();
}

bool ProjectFlow::OpenFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ShowError(dialogParent(), u"Не удалось открыть проект «%1»: %2."_s.arg(QDir::toNativeSeparators(path), file.errorString()));
        return false;
    }
    const ProjectReading reading = ReadProjectFile(file.readAll());
    if (!reading.project) {
        ShowError(dialogParent(), u"Не удалось открыть проект «%1»: %2."_s.arg(QDir::toNativeSeparators(path), reading.error));
        return false;
    }
    document_->reset(*reading.project, QFileInfo(path).absoluteFilePath());
    const QFileInfo info(path);
    fileTime_ = info.lastModified();
    fileSize_ = info.size();
    offerRepricing();
    return true;
}

bool ProjectFlow::SaveTo(const QString &path)
{
    const QFileInfo target(path);
    // A file another program changed since it was opened is not overwritten unasked.
    if (target.absoluteFilePath() == document_->path() && target.exists() && fileSize_ >= 0
        && (target.lastModified() != fileTime_ || target.size() != fileSize_)
        && !askYesNo(u"Файл «%1» изменён другой программой после того, как проект был открыт. "
                     u"Перезаписать его?"_s.arg(QDir::toNativeSeparators(path))))
        return false;
    QString why;
    // The file names the price list its figures come from: the one in force.
    Project saved = document_->project();
    saved.priceList = PriceListInForce(state_);
    if (!WriteWholeFile(path, WriteProjectFile(saved), &why)) {
        ShowError(dialogParent(), u"Не удалось сохранить проект «%1»: %2."_s.arg(QDir::toNativeSeparators(path), why));
        return false;
    }
    document_->markSaved(QFileInfo(path).absoluteFilePath());
    const QFileInfo written(path);
    fileTime_ = written.lastModified();
    fileSize_ = written.size();
    QFile::remove(recoveryPath_);
    return true;
}

bool ProjectFlow::Save()
{
    if (document_->path().isEmpty())
        return SaveAs();
    return SaveTo(document_->path());
}

bool ProjectFlow::SaveAs()
{
    QString path = askPath(true, document_->path());
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += u"."_s + QString::fromLatin1(ProjectFileSuffix);
    return SaveTo(path);
}

void ProjectFlow::offerRepricing()
{
    const std::optional<PriceListInfo> &priced = document_->project().priceList;
    const PriceListInfo &inForce = PriceListInForce(state_);
    if (!priced || *priced == inForce)
        return;
    // The figures are always those of the list in force; the question is whether the
    // project takes that list as its own (its choices kept), to be saved with it.
    const QString question = u"Проект «%1» рассчитан по прайс-листу %2, сейчас действует %3. Пересчитать "
                             u"цены проекта по действующему прайс-листу? Выбранные изделия сохранятся."_s
                                 .arg(document_->displayName(), PriceListTitle(*priced), PriceListTitle(inForce));
    if (askYesNo(question)) {
        Project next = document_->project();
        next.priceList = inForce;
        document_->change(u"Пересчитать цены"_s, std::move(next));
    } else if (window_) {
        window_->showRefusal(u"Цены показаны по прайс-листу %1; проект сохранён с ценами по %2."_s.arg(
            PriceListTitle(inForce), PriceListTitle(*priced)));
    }
}

void ProjectFlow::StartWith(const QStringList &arguments)
{
    if (arguments.size() > 1) {
        if (OpenFile(arguments.at(1)))
            ShowWindow();
        return;
    }
    OfferRecovery();
}

void ProjectFlow::OfferRecovery()
{
    QFile file(recoveryPath_);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QByteArray bytes = file.readAll();
    file.close();
    const ProjectReading reading = ReadProjectFile(bytes);
    const QString of = QJsonDocument::fromJson(bytes).object().value(u"recovery_of"_s).toString();
    const QFileInfo saved(of);
    const bool newer = of.isEmpty() || !saved.exists()
        || QFileInfo(recoveryPath_).lastModified() > saved.lastModified();
    // Offered once: whatever the answer, the file has done its work.
    QFile::remove(recoveryPath_);
    if (!reading.project || !newer)
        return;
    const QString name = of.isEmpty() ? u"Новый проект"_s : saved.fileName();
    if (!askYesNo(u"Найдены несохранённые изменения проекта «%1» (точек: %2) от %3. Восстановить их?"_s.arg(
            name, QString::number(reading.project->points.size()),
            QFileInfo(recoveryPath_).lastModified().toString(u"dd.MM.yyyy HH:mm"_s))))
        return;
    // The recovered project stands as changed, to be saved again.
    document_->reset({}, of.isEmpty() ? QString() : saved.absoluteFilePath());
    document_->change(u"Восстановить"_s, *reading.project);
    if (!of.isEmpty()) {
        fileTime_ = saved.lastModified();
        fileSize_ = saved.size();
    }
    ShowWindow();
}

bool ProjectFlow::ImportTable(const QString &path)
{
    const QString shown = QDir::toNativeSeparators(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ShowError(dialogParent(), u"Не удалось открыть таблицу «%1»: %2."_s.arg(shown, file.errorString()));
        return false;
    }
    ProjectTableReading reading = ReadProjectTable(file, document_->project(), state_.Catalogue);
    if (!reading.error.isEmpty()) {
        ShowError(dialogParent(), u"Таблица «%1» не импортирована: %2."_s.arg(shown, reading.error));
        return false;
    }
    Project next = document_->project();
    const int first = static_cast<int>(next.points.size());
    for (ProjectPoint &point : reading.points)
        next.points.push_back(std::move(point));
    document_->change(u"Импорт таблицы точек"_s, std::move(next));
    if (window_)
        window_->selectPoint(first);
    return true;
}

bool ProjectFlow::ExportTable(const QString &path)
{
    QString why;
    if (!WriteWholeFile(path, WriteProjectTable(document_->project()), &why)) {
        ShowError(dialogParent(), u"Не удалось записать таблицу «%1»: %2."_s.arg(QDir::toNativeSeparators(path), why));
        return false;
    }
    return true;
}

void ProjectFlow::Finish()
{
    QFile::remove(recoveryPath_);
}
