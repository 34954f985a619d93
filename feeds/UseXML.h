#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <pugixml.hpp>

class FeedFetcher;

// One XML document and the few operations the feeds need of it. Each run of a
// feed makes its own, so two runs never share a document.
class UseXML
{
public:
    // Drops the current document and starts an empty one.
    void XMLInit();

    // Loads from an http(s) address through fetcher, or else from a file.
    // A failed download or parse leaves the document empty and returns false;
    // lastError() then says why.
    bool XMLLoad(const QString& source, FeedFetcher& fetcher);
    bool XMLLoadFile(const QString& path);
    bool XMLLoadBytes(const QByteArray& bytes);

    // Writes the document (UTF-8) so that a crash never leaves half a file;
    // throws FeedError when that fails.
    void XMLSave(const QString& path) const;

    // Follows the steps from the document element, each step selecting the
    // first matching node from the node reached so far (a step starting with
    // "//" searches the whole document), and returns the last node's text.
    // A missing last node gives ""; no document element, a missing earlier
    // node or a malformed step throws FeedError.
    QString XMLValue(const QStringList& steps) const;

    bool isEmpty() const { return !m_document.document_element(); }
    const pugi::xml_document& document() const { return m_document; }
    QString lastError() const { return m_lastError; }

    // The concatenated text of node and its descendants, trimmed at both ends.
    static QString textOf(const pugi::xml_node& node);

private:
    pugi::xml_document m_document;
    QString m_lastError;
};
