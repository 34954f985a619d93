#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// A page template: lines of text holding tags of the form <#name>. The
// content is the lines, each followed by CR LF, with every tag replaced by
// what the handler returns for its name. Names are case-sensitive; anything
// after the name inside the tag is ignored; returned text is not scanned again.
class PageTemplate
{
public:
    using TagHandler = std::function<QString(const QString& name)>;

    explicit PageTemplate(QStringList lines) : m_lines(std::move(lines)) {}
    // The template stored as resource ":/pages/<name>.html".
    static PageTemplate fromResource(const QString& name);

    QString content(const TagHandler& handler) const;
    const QStringList& lines() const { return m_lines; }

private:
    QStringList m_lines;
};
