#include "search/ResultPages.h"

#include "app/DateTimeValue.h"
#include "search/ResultsTable.h"
#include "search/SearchState.h"
#include "search/WebText.h"

#include <array>
#include <cmath>

using WebText::encodeLinkValue;
using WebText::htmlEscape;

namespace {

// The locale's long time format without its time-zone name, which the file
// dates of the index do not carry.
QString timeFormatWithoutZone(const QLocale& locale)
{
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString out;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (!quoted && c == QLatin1Char('t'))
            continue;
        out += c;
    }
    return out.trimmed();
}

QString number(qint64 value)
{
    return QString::number(value);
}

} // namespace

QString SearchState::paramsFor(const QString& query, const QString& sort, int page)
{
    return QLatin1String("?q=") + encodeLinkValue(query) + QLatin1String("&s=") +
           encodeLinkValue(sort) + QLatin1String("&p=") + QString::number(page);
}

ResultPages::ResultPages(AddressEncoder encodeWebAddress, QString runToken, QLocale locale)
    : m_encodeWebAddress(std::move(encodeWebAddress)), m_runToken(std::move(runToken)),
      m_locale(std::move(locale)), m_timeFormat(timeFormatWithoutZone(m_locale)),
      m_pp(PageTemplate::fromResource(QStringLiteral("PP"))),
      m_ppError(PageTemplate::fromResource(QStringLiteral("PPError"))),
      m_ppSub(PageTemplate::fromResource(QStringLiteral("PPSub"))),
      m_ppPages(PageTemplate::fromResource(QStringLiteral("PPPages"))),
      m_ppSorting(PageTemplate::fromResource(QStringLiteral("PPSorting")))
{}

QString ResultPages::linkToSite(const SearchState& state) const
{
    return htmlEscape(m_encodeWebAddress(WebText::vendorSearchAddress(state.SearchQuery)));
}

QString ResultPages::PP(const SearchState& state, bool found, const ResultsTable& table) const
{
    const qint64 count = table.count();
    const qint64 offset = state.SearchPage;
    const qint64 perPage = effectivePagesPer(state.PagesPer);
    return m_pp.content([&](const QString& tag) -> QString {
        if (tag == QLatin1String("sf"))
            return htmlEscape(state.SearchQuery);
        if (tag == QLatin1String("linktosite"))
            return linkToSite(state);
        if (tag == QLatin1String("request"))
            return htmlEscape(state.SearchQuery);
        if (tag == QLatin1String("sorting"))
            return PPSorting(state);
        if (tag == QLatin1String("pages"))
            return PPPages(state, count);
        if (!found) {
            if (tag == QLatin1String("from") || tag == QLatin1String("fromto"))
                return QStringLiteral(" 0 ");
            if (tag == QLatin1String("body"))
                return QStringLiteral("<h3>No Results</h3>");
            return QString();
        }
        if (tag == QLatin1String("from"))
            return number(count);
        if (tag == QLatin1String("fromto"))
            return number(offset) + QLatin1String(" - ") +
                   number(count < offset + perPage ? count : offset + perPage);
        if (tag == QLatin1String("body"))
            return PPSub(state, table);
        return QString();
    });
}

QString ResultPages::PPError(const SearchState& state) const
{
    return m_ppError.content([&](const QString& tag) -> QString {
        if (tag == QLatin1String("linktosite"))
            return linkToSite(state);
        if (tag == QLatin1String("request"))
            return htmlEscape(state.SearchQuery);
        return QString();
    });
}

QString ResultPages::PPSub(const SearchState& state, const ResultsTable& table) const
{
    QString lines;
    const qint64 count = table.count();
    const qint64 offset = state.SearchPage;
    const qint64 perPage = effectivePagesPer(state.PagesPer);
    const QString linkStart =
        QLatin1String(WebText::kResultsPrefix) + state.SearchParams + QLatin1String("&run=");
    const QString linkEnd = QLatin1String("&token=") + encodeLinkValue(m_runToken);
    for (qint64 i = offset; i >= 0 && i < count && i < offset + perPage; ++i) {
        const ResultRow& row = table.rows()[static_cast<std::size_t>(i)];
        const QString link = linkStart + encodeLinkValue(row.PATH, true) + linkEnd;
        const QString path = htmlEscape(row.PATH);
        lines += QLatin1String("<h4>") + number(i + 1) + QLatin1String(".&nbsp;<a href=\"") + link +
                 QLatin1String("\">") + htmlEscape(row.FILENAME) + QLatin1String("</a> - ") +
                 (row.SIZE ? number(*row.SIZE) : QString()) + QLatin1String(" bytes</h4>\r\n");
        lines += QLatin1String("<p>Changed - ") + (row.DATE ? dateText(*row.DATE) : QString()) +
                 QLatin1String("<a class=\"red\" href=\"") + link + QLatin1String("\">") + path +
                 QLatin1String("</a></p>\r\n");
    }
    return m_ppSub.content([&](const QString&) { return lines; });
}

QString ResultPages::PPSorting(const SearchState& state) const
{
    static const std::array<std::pair<const char*, const char*>, 5> kKeys{{
        {"relevancy", "relevancy"},
        {"filename", "name"},
        {"path", "path"},
        {"size", "size"},
        {"date", "change date"},
    }};
    QString block;
    bool known = false;
    for (const auto& [key, label] : kKeys)
        known = known || state.SearchSort == QLatin1String(key);
    if (known) {
        const QString query = encodeLinkValue(state.SearchQuery);
        for (const auto& [key, label] : kKeys) {
            if (state.SearchSort == QLatin1String(key)) {
                block += QLatin1String("<span class=\"selected\">") + QLatin1String(label) +
                         QLatin1String("</span> / ");
            } else {
                block += QLatin1String("<a href=\"") + QLatin1String(WebText::kResultsPrefix) +
                         QLatin1String("?s=") + QLatin1String(key) + QLatin1String("&p=") +
                         number(state.SearchPage) + QLatin1String("&q=") + query +
                         QLatin1String("\">") + QLatin1String(label) + QLatin1String("</a> / ");
            }
        }
    }
    return m_ppSorting.content([&](const QString&) { return block; });
}

QString ResultPages::PPPages(const SearchState& state, qint64 count) const
{
    const qint64 p = state.SearchPage;
    const qint64 perPage = effectivePagesPer(state.PagesPer);
    const QString linkStart = QLatin1String(WebText::kResultsPrefix) + QLatin1String("?s=") +
                              encodeLinkValue(state.SearchSort) + QLatin1String("&p=");
    const QString query = QLatin1String("&q=") + encodeLinkValue(state.SearchQuery);
    const auto link = [&](qint64 offset, const QString& label) {
        return QLatin1String("<a href=\"") + linkStart + number(offset) + query +
               QLatin1String("\">") + label + QLatin1String("</a> ");
    };
    const auto page = static_cast<double>(p) / static_cast<double>(perPage);

    // A window of about 30 page numbers around the page shown; the last page
    // is offered even when the count is a multiple of the page size.
    const qint64 lastPage = count / perPage;
    qint64 first = static_cast<qint64>(std::trunc(page - 14));
    if (first <= 0)
        first = 0;
    qint64 last = static_cast<qint64>(std::trunc(page + 14));
    if (first == 0)
        last = 29;
    if (lastPage <= last)
        last = lastPage;
    if (last == lastPage && lastPage != 0)
        first = lastPage - 29;
    if (first <= 0)
        first = 0;

    QString block = QStringLiteral("<div id=\"page-navigation\">Result page: ");
    for (qint64 i = first; i <= last; ++i) {
        if (i * perPage == p) {
            block += QLatin1String("<span class=\"selected\">") + number(i + 1) +
                     QLatin1String(" </span>");
            continue;
        }
        if (p > 0 && i == first)
            block += link(p - perPage, QStringLiteral("<b>Prev</b>"));
        block += link(i * perPage, number(i + 1));
        if (i == last)
            block += link(p + perPage, QStringLiteral("<b>Next</b>"));
    }
    block += QLatin1String("</div>");
    return m_ppPages.content([&](const QString&) { return block; });
}

QString ResultPages::dateText(double days) const
{
    const QDateTime when = DateTimeValue::toQDateTime(days);
    if (!when.isValid())
        return QString();
    QString text = m_locale.toString(when.date(), QLocale::ShortFormat);
    if (when.time() != QTime(0, 0))
        text += QLatin1Char(' ') + m_locale.toString(when.time(), m_timeFormat);
    return text;
}
