#include "search/ResultsRequestHandler.h"

#include "search/QueryParameters.h"
#include "search/SearchLog.h"
#include "search/WebText.h"
#include "shell/SidebarServices.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace {

// Pictures and style sheets are small; anything bigger is not ours.
constexpr qint64 kMaxPictureBytes = 16 * 1024 * 1024;

class RequestError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

ResultsAnswer html(QByteArray body, int status = 200)
{
    ResultsAnswer answer;
    answer.status = status;
    answer.body = std::move(body);
    return answer;
}

QByteArray contentTypeFor(const QString& fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QLatin1String("gif"))
        return "image/gif";
    if (suffix == QLatin1String("png"))
        return "image/png";
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg"))
        return "image/jpeg";
    if (suffix == QLatin1String("ico"))
        return "image/x-icon";
    if (suffix == QLatin1String("svg"))
        return "image/svg+xml";
    if (suffix == QLatin1String("css"))
        return "text/css; charset=UTF-8";
    return "application/octet-stream";
}

[[noreturn]] void cannotOpen(const QString& path, int error)
{
    throw RequestError(QStringLiteral("Cannot open file \"%1\". %2")
                           .arg(path, QString::fromLocal8Bit(std::strerror(error)))
                           .toStdString());
}

// Optional sign and decimal digits within 32 bits; anything else is refused.
int toInteger(const QString& text)
{
    bool ok = false;
    const bool plainDigits =
        !text.isEmpty() &&
        std::all_of(
            text.begin() + (text.front() == QLatin1Char('-') || text.front() == QLatin1Char('+')),
            text.end(), [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
    const int value = plainDigits ? text.toInt(&ok, 10) : 0;
    if (!ok)
        throw RequestError(
            QStringLiteral("'%1' is not a valid integer value").arg(text).toStdString());
    return value;
}

bool isSortKey(const QString& key)
{
    for (const char* known : {"relevancy", "filename", "path", "size", "date"}) {
        if (key == QLatin1String(known))
            return true;
    }
    return false;
}

} // namespace

ResultsRequestHandler::ResultsRequestHandler(IndexQuery query, ResultPages pages,
                                             SidebarServices& services, QString imagesFolder)
    : m_query(std::move(query)), m_pages(std::move(pages)), m_services(services),
      m_imagesFolder(std::move(imagesFolder))
{}

bool ResultsRequestHandler::hostIsOurs(const QByteArray& host) const
{
    // Names other than these reach us only through a rebinding DNS name.
    const QByteArray port = ':' + QByteArray::number(m_port.load());
    const QByteArray name = host.trimmed().toLower();
    return name == "127.0.0.1" + port || name == "localhost" + port;
}

ResultsAnswer ResultsRequestHandler::SeverCommandGet(const ResultsRequest& request)
{
    if (request.peer != QLatin1String("127.0.0.1"))
        return html(kAccessDenied);
    if (!hostIsOurs(request.host))
        return html(kAccessDenied, 403);
    try {
        const qsizetype queryStart = request.target.indexOf('?');
        const QString path = QString::fromUtf8(QueryParameters::decode(
            queryStart < 0 ? request.target : request.target.left(queryStart), false));
        if (path.contains(QLatin1String("/images/")))
            return picture(path);
        return results(request);
    } catch (const std::exception& error) {
        // The message may hold the request's own text: shown, never taken as markup.
        QString message = QString::fromUtf8(error.what());
        message.replace(QLatin1Char('&'), QLatin1String("&amp;"));
        message.replace(QLatin1Char('<'), QLatin1String("&lt;"));
        message.replace(QLatin1Char('>'), QLatin1String("&gt;"));
        return html(message.toUtf8(), 500);
    }
}

ResultsAnswer ResultsRequestHandler::picture(const QString& path) const
{
    const QString relative =
        path.mid(path.indexOf(QLatin1String("/images/")) + int(sizeof("/images/")) - 1);
    const QString shownPath = QDir(m_imagesFolder).filePath(relative);
    const QString folder = QFileInfo(m_imagesFolder).canonicalFilePath();
    const QFileInfo target(shownPath);
    const QString real = target.canonicalFilePath();
    if (real.isEmpty())
        cannotOpen(shownPath, ENOENT);
    // Only regular files inside the images folder, symbolic links resolved.
    if (folder.isEmpty() || relative.contains(QChar(0)) ||
        !real.startsWith(folder + QLatin1Char('/')) || !QFileInfo(real).isFile())
        cannotOpen(shownPath, EACCES);
    QFile file(real);
    if (!file.open(QIODevice::ReadOnly))
        cannotOpen(shownPath, EACCES);
    if (file.size() > kMaxPictureBytes)
        cannotOpen(shownPath, EFBIG);
    ResultsAnswer answer;
    answer.contentType = contentTypeFor(real);
    answer.body = file.readAll();
    return answer;
}

void ResultsRequestHandler::openHit(const QString& path, const QString& token)
{
    // Only a hit of the page the user sees, and only from a link we wrote:
    // other pages in the browser can neither guess the token nor name a file.
    if (token != m_pages.runToken()) {
        qCWarning(lcSearch).noquote()
            << "not opening" << path << "- the link carries no valid token";
        return;
    }
    if (!m_table.containsPath(path)) {
        qCWarning(lcSearch).noquote() << "not opening" << path << "- not among the current results";
        return;
    }
    m_services.OpenURL(path);
}

ResultsAnswer ResultsRequestHandler::results(const ResultsRequest& request)
{
    const qsizetype queryStart = request.target.indexOf('?');
    QueryParameters parameters(queryStart < 0 ? QByteArray() : request.target.mid(queryStart + 1));
    if (request.contentType.trimmed().toLower().startsWith("application/x-www-form-urlencoded"))
        parameters.append(request.body);

    std::lock_guard lock(m_mutex);
    const QString run = parameters.value(u"run");
    if (!run.isEmpty())
        openHit(run, parameters.value(u"token"));

    m_state.SearchQuery = parameters.value(u"q");
    m_state.SearchSort = parameters.value(u"s");
    m_state.SearchPage = toInteger(parameters.value(u"p"));
    m_state.PagesPer = m_pagesPer;

    if (!isSortKey(m_state.SearchSort)) {
        m_services.ShowBaloon(QStringLiteral("Error!"), QStringLiteral("Query error!"),
                              SidebarServices::Error, 20);
        return html(kDefaultBody);
    }
    m_state.SearchParams =
        SearchState::paramsFor(m_state.SearchQuery, m_state.SearchSort, m_state.SearchPage);
    if (m_state.SearchPage < 0 || m_state.SearchPage >= 65000) {
        m_services.ShowBaloon(QStringLiteral("Error!"), QStringLiteral("Query error!"),
                              SidebarServices::Error, 20);
        return html(m_pages.PPError(m_state).toUtf8());
    }
    if (m_state.SearchQuery.toUcs4().size() < 2) {
        ResultsAnswer answer = html(m_pages.PPError(m_state).toUtf8());
        m_services.ShowBaloon(QStringLiteral("Warning!"),
                              QStringLiteral("Query length must be more than one symbol."),
                              SidebarServices::Warning, 5);
        return answer;
    }
    const bool found = m_query.LoadResults(m_state.SearchQuery, m_state.SearchSort, m_table);
    return html(m_pages.PP(m_state, found, m_table).toUtf8());
}
