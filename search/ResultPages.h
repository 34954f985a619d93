#pragma once

#include "search/PageTemplate.h"

#include <QLocale>
#include <QString>

#include <functional>

class ResultsTable;
struct SearchState;

// The results page and the error page, filled from their templates.
// Values go into the HTML escaped and into links percent-encoded.
class ResultPages
{
public:
    // Encodes a web address the way the browser is handed one.
    using AddressEncoder = std::function<QString(const QString& address)>;

    // runToken goes into every link that opens a hit; locale writes the dates.
    ResultPages(AddressEncoder encodeWebAddress, QString runToken,
                QLocale locale = QLocale::system());

    // The page for a query already run: found tells whether it had hits,
    // table holds them in the requested order.
    QString PP(const SearchState& state, bool found, const ResultsTable& table) const;
    QString PPError(const SearchState& state) const;

    // The blocks of the results page.
    QString PPSub(const SearchState& state, const ResultsTable& table) const;
    QString PPSorting(const SearchState& state) const;
    QString PPPages(const SearchState& state, qint64 count) const;

    // The user's short date and, unless it is midnight, long time.
    QString dateText(double days) const;
    static qint64 effectivePagesPer(int pagesPer) { return pagesPer < 1 ? 15 : pagesPer; }
    const QString& runToken() const { return m_runToken; }

private:
    QString linkToSite(const SearchState& state) const;

    AddressEncoder m_encodeWebAddress;
    QString m_runToken;
    QLocale m_locale;
    QString m_timeFormat;
    PageTemplate m_pp;
    PageTemplate m_ppError;
    PageTemplate m_ppSub;
    PageTemplate m_ppPages;
    PageTemplate m_ppSorting;
};
