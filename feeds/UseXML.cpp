#include "feeds/UseXML.h"

#include "app/AtomicFile.h"
#include "feeds/FeedError.h"
#include "feeds/FeedFetcher.h"

#include <QFile>

#include <sstream>

namespace {

// A cache or feed file larger than this is not a document we wrote or want.
constexpr qint64 kMaxFileBytes = 8 * 1024 * 1024;

bool isWebAddress(const QString& source)
{
    return source.startsWith(QLatin1String("http://"), Qt::CaseInsensitive) ||
           source.startsWith(QLatin1String("https://"), Qt::CaseInsensitive);
}

} // namespace

void UseXML::XMLInit()
{
    m_document.reset();
    m_lastError.clear();
}

bool UseXML::XMLLoad(const QString& source, FeedFetcher& fetcher)
{
    if (!isWebAddress(source))
        return XMLLoadFile(source);
    try {
        return XMLLoadBytes(fetcher.download(source));
    } catch (const FeedError& error) {
        m_document.reset();
        m_lastError = QString::fromUtf8(error.what());
        return false;
    }
}

bool UseXML::XMLLoadFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_document.reset();
        m_lastError = QStringLiteral("Cannot open \"%1\": %2").arg(path, file.errorString());
        return false;
    }
    if (file.size() > kMaxFileBytes) {
        m_document.reset();
        m_lastError = QStringLiteral("\"%1\" is too large").arg(path);
        return false;
    }
    return XMLLoadBytes(file.read(kMaxFileBytes));
}

bool UseXML::XMLLoadBytes(const QByteArray& bytes)
{
    // pugixml neither reads external entities nor expands ones declared in a
    // DOCTYPE, so entity bombs stay inert text.
    const pugi::xml_parse_result result =
        m_document.load_buffer(bytes.constData(), static_cast<size_t>(bytes.size()),
                               pugi::parse_default, pugi::encoding_auto);
    if (!result) {
        m_document.reset();
        m_lastError = QStringLiteral("Not an XML document: %1 at offset %2")
                          .arg(QString::fromUtf8(result.description()))
                          .arg(result.offset);
        return false;
    }
    if (!m_document.document_element()) {
        m_lastError = QStringLiteral("The document has no root element");
        return false;
    }
    m_lastError.clear();
    return true;
}

void UseXML::XMLSave(const QString& path) const
{
    std::ostringstream out;
    m_document.save(out, "\t", pugi::format_default, pugi::encoding_utf8);
    const std::string text = out.str();
    QString error;
    if (!AtomicFile::write(path, QByteArray::fromStdString(text), &error))
        throw FeedError(QStringLiteral("Cannot save \"%1\": %2").arg(path, error));
}

QString UseXML::XMLValue(const QStringList& steps) const
{
    pugi::xml_node node = m_document.document_element();
    if (!node)
        throw FeedError(QStringLiteral("The document has no root element"));
    for (qsizetype i = 0; i < steps.size(); ++i) {
        if (!node)
            throw FeedError(QStringLiteral("No node for \"%1\"").arg(steps[i - 1]));
        try {
            node = node.select_node(steps[i].toUtf8().constData()).node();
        } catch (const pugi::xpath_exception& error) {
            throw FeedError(QStringLiteral("Bad selection \"%1\": %2")
                                .arg(steps[i], QString::fromUtf8(error.what())));
        }
    }
    return node ? textOf(node) : QString();
}

QString UseXML::textOf(const pugi::xml_node& node)
{
    if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata)
        return QString::fromUtf8(node.value()).trimmed();
    std::string text;
    for (pugi::xml_node item = node.first_child(); item;) {
        if (item.type() == pugi::node_pcdata || item.type() == pugi::node_cdata)
            text += item.value();
        // Depth-first without recursion, so a deeply nested answer cannot exhaust the stack.
        if (item.first_child()) {
            item = item.first_child();
            continue;
        }
        while (item && item != node && !item.next_sibling())
            item = item.parent();
        if (!item || item == node)
            break;
        item = item.next_sibling();
    }
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).trimmed();
}
