#pragma once

#include "feeds/NewsDocument.h"

#include <vector>

// The news items of the last run, newest first. Items of equal date keep the
// order of the feed.
class NewsTable
{
public:
    void clear() { m_rows.clear(); }
    void add(const NewsDocument::Item& item);
    const std::vector<NewsDocument::Item>& rows() const { return m_rows; }
    bool isEmpty() const { return m_rows.empty(); }

    // The row a headline slot (0 or 1) shows: the newest, then the next; a
    // table of one row serves both slots. Null when the table is empty.
    const NewsDocument::Item* slotRow(int slot) const;

    // The item's time as shown: its date moved by timeZone hours, "hh:mm".
    static QString shownTime(double date, int timeZone);

private:
    std::vector<NewsDocument::Item> m_rows;
};
