#include "core/project/project_priced_list.h"

#include "core/pricing/money.h"
#include "core/project/project_points.h"

PricedListItem ItemOf(const QString &pointId, int quantity, const Candidate &chosen, Currency currency)
{
    PricedListItem item;
    item.pointId = pointId;
    item.name = chosen.record.Name;
    item.dn = chosen.record.DN;
    item.quantity = quantity;
    item.price = MoneyOfPrice(chosen.record.Price);
    item.currency = currency;
    return item;
}

PricedList ProjectPricedList(const Project &project, const std::vector<BatchRecord> &records)
{
    std::vector<PricedListItem> items;
    QStringList notSized;
    for (std::size_t i = 0; i < project.points.size() && i < records.size(); ++i) {
        const ProjectPoint &point = project.points[i];
        const BatchRecord &sized = records[i];
        const Candidate *chosen = sized.hasError() ? nullptr : ChosenCandidate(point, sized);
        if (chosen)
            items.push_back(ItemOf(point.id, point.quantity, *chosen, sized.outcome.currency));
        else
            notSized << point.id;
    }
    return BuildPricedList(items, notSized, project.pricing);
}
