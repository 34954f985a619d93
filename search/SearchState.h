#pragma once

#include <QString>

// The search a results page is made for, as the request handler took it.
struct SearchState
{
    QString SearchQuery;
    QString SearchSort;
    // Offset of the page: zero-based index of its first hit.
    int SearchPage = 0;
    // "?q=..&s=..&p=.." with q and s percent-encoded: the current page's query.
    QString SearchParams;
    // Hits per page; below 1 counts as 15.
    int PagesPer = 15;

    static QString paramsFor(const QString& query, const QString& sort, int page);
};
