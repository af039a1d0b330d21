#pragma once

#include "core/catalogue/catalogue_rows.h"

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>

#include <vector>

// The catalogue rows as a table model: the shown texts, figures right-aligned, and a
// sort key that is the number itself in the figure columns.
class CatalogueModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int SortRole = Qt::UserRole + 1;

    using QAbstractTableModel::QAbstractTableModel;
    void setRows(std::vector<CatalogueRowView> rows);
    const CatalogueRowView &row(int index) const { return rows_[static_cast<std::size_t>(index)]; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<CatalogueRowView> rows_;
};

// The rows the filter text and the chosen line leave, in the order of the sorted column.
class CatalogueFilter : public QSortFilterProxyModel {
    Q_OBJECT
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;
    void setFilter(const QString &text, const CatalogueLineChoice &line);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;

private:
    QString text_;
    CatalogueLineChoice line_;
};
