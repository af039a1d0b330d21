#pragma once

#include "core/project/project_points.h"

#include <QObject>
#include <QString>
#include <QUndoStack>

#include <vector>

// The project the windows work on: the project itself, each point sized again from its
// texts (on every core), the file it came from, and the undo stack every change goes through (one
// command a change, so each can be undone and redone; the unsaved mark is the stack's
// clean state).
class ProjectDocument : public QObject {
    Q_OBJECT
public:
    explicit ProjectDocument(const ProductCatalogue &catalogue, QObject *parent = nullptr);

    const Project &project() const { return project_; }
    const std::vector<BatchRecord> &records() const { return records_; }
    QUndoStack &undoStack() { return undo_; }

    // Changes the project to `next` as one undoable command named `text`.
    void change(const QString &text, Project next);
    // A new or opened project: nothing to undo, nothing unsaved.
    void reset(Project project, const QString &path);
    // The project was written to `path`: it is saved as it stands.
    void markSaved(const QString &path);
    // Every point sized again, the project as it is (the catalogue's prices changed):
    // nothing to undo, nothing unsaved.
    void sizeAgain();

    QString path() const { return path_; }
    bool modified() const { return !undo_.isClean(); }
    // Nothing to lose: no points and nothing unsaved.
    bool isEmpty() const { return project_.points.empty() && !modified(); }
    // The name the caption and the questions show: the file's, or "Новый проект".
    QString displayName() const;

signals:
    // The project or its records changed (a command done, undone or redone, a reset).
    void changed();
    // The unsaved mark changed.
    void modifiedChanged(bool modified);
    // A project of ProjectProgressFrom points or more is being sized: `done` of `total`
    // points, from 0 to the total, which comes once the records are shown.
    void sizingProgress(qsizetype done, qsizetype total);

private:
    friend class ProjectCommand;
    void apply(const Project &project);

    const ProductCatalogue &catalogue_;
    Project project_;
    std::vector<BatchRecord> records_;
    QUndoStack undo_;
    QString path_;
};
