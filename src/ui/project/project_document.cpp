#include "ui/project/project_document.h"

#include <QFileInfo>
#include <QUndoCommand>

#include <utility>

// One change of the project: the project before it and after it.
class ProjectCommand : public QUndoCommand {
public:
    ProjectCommand(ProjectDocument &document, const QString &text, Project before, Project after)
        : QUndoCommand(text), document_(document), before_(std::move(before)), after_(std::move(after))
    {
    }
    void redo() override { document_.apply(after_); }
    void undo() override { document_.apply(before_); }

private:
    ProjectDocument &document_;
    Project before_;
    Project after_;
};

ProjectDocument::ProjectDocument(const ProductCatalogue &catalogue, QObject *parent)
    : QObject(parent), catalogue_(catalogue)
{
    setObjectName(QStringLiteral("ProjectDocument"));
    connect(&undo_, &QUndoStack::cleanChanged, this, [this](bool clean) { emit modifiedChanged(!clean); });
}

void ProjectDocument::apply(const Project &project)
{
    project_ = project;
    const qsizetype total = qsizetype(project_.points.size());
    const bool shown = total >= ProjectProgressFrom;
    SizingProgress progress;
    if (shown) {
        emit sizingProgress(0, total);
        progress = [this](qsizetype done, qsizetype all) {
            if (done < all)
                emit sizingProgress(done, all);
        };
    }
    records_ = SizeProjectPoints(project_.points, catalogue_, progress);
    emit changed();
    if (shown)
        emit sizingProgress(total, total);
}

void ProjectDocument::change(const QString &text, Project next)
{
    undo_.push(new ProjectCommand(*this, text, project_, std::move(next)));
}

void ProjectDocument::reset(Project project, const QString &path)
{
    undo_.clear();
    path_ = path;
    apply(project);
    emit modifiedChanged(false);
}

void ProjectDocument::sizeAgain()
{
    apply(project_);
}

void ProjectDocument::markSaved(const QString &path)
{
    path_ = path;
    undo_.setClean();
    emit changed();
}

QString ProjectDocument::displayName() const
{
    return path_.isEmpty() ? QStringLiteral("Новый проект") : QFileInfo(path_).fileName();
}
