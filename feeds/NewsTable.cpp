#include "feeds/NewsTable.h"

#include "app/DateTimeValue.h"

#include <algorithm>

void NewsTable::add(const NewsDocument::Item& item)
{
    // After every row of an equal or newer date, so equal dates keep feed order.
    const auto at = std::find_if(m_rows.begin(), m_rows.end(), [&](const NewsDocument::Item& row) {
        return row.Date < item.Date;
    });
    m_rows.insert(at, item);
}

const NewsDocument::Item* NewsTable::slotRow(int slot) const
{
    if (m_rows.empty() || slot < 0)
        return nullptr;
    return &m_rows[std::min<size_t>(static_cast<size_t>(slot), m_rows.size() - 1)];
}

QString NewsTable::shownTime(double date, int timeZone)
{
    return DateTimeValue::toQDateTime(date + timeZone / 24.0).toString(QStringLiteral("HH:mm"));
}
