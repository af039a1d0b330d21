#include "ui/catalogue/catalogue_model.h"

void CatalogueModel::setRows(std::vector<CatalogueRowView> rows)
{
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

int CatalogueModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int CatalogueModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : CatalogueColumnCount;
}

QVariant CatalogueModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const CatalogueRowView &r = row(index.row());
    const int column = index.column();
    const bool number = CatalogueColumnIsNumber(static_cast<CatalogueColumn>(column));
    switch (role) {
    case Qt::DisplayRole:
        return r.cells.value(column);
    case Qt::TextAlignmentRole:
        return number ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    case SortRole:
        if (number)
            return r.numbers[static_cast<std::size_t>(column)];
        return r.cells.value(column);
    default:
        return {};
    }
}

QVariant CatalogueModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return CatalogueCaptions().value(section);
    return section + 1;
}

void CatalogueFilter::setFilter(const QString &text, const CatalogueLineChoice &line)
{
    text_ = text;
    line_ = line;
    invalidateFilter();
}

bool CatalogueFilter::filterAcceptsRow(int sourceRow, const QModelIndex &) const
{
    const auto *model = static_cast<const CatalogueModel *>(sourceModel());
    return CatalogueRowShown(model->row(sourceRow), text_, line_);
}
