#include "indexer/StatementParser.h"

#include "indexer/StatementProvider.h"

namespace {

class Reader
{
public:
    Reader(const QString& text, const char* where) : m_text(text), m_where(where) {}

    void skipSpace()
    {
        while (m_pos < m_text.size() && m_text.at(m_pos).isSpace())
            ++m_pos;
    }
    bool atEnd()
    {
        skipSpace();
        return m_pos >= m_text.size();
    }
    // A keyword must not run on into a longer word ("SELECTED").
    bool keyword(QStringView word)
    {
        skipSpace();
        if (m_text.mid(m_pos, word.size()).compare(word, Qt::CaseInsensitive) != 0)
            return false;
        const qsizetype end = m_pos + word.size();
        if (end < m_text.size() && isWordChar(m_text.at(end)))
            return false;
        m_pos = end;
        return true;
    }
    void expectKeyword(QStringView word, const char* after)
    {
        if (!keyword(word))
            fail(QStringLiteral("expected %1 %2").arg(word.toString(), QLatin1String(after)));
    }
    bool symbol(QChar c)
    {
        skipSpace();
        if (m_pos < m_text.size() && m_text.at(m_pos) == c) {
            ++m_pos;
            return true;
        }
        return false;
    }
    void expectSymbol(QChar c, const char* after)
    {
        if (!symbol(c))
            fail(QStringLiteral("expected '%1' %2").arg(c).arg(QLatin1String(after)));
    }
    QString word()
    {
        skipSpace();
        const qsizetype start = m_pos;
        while (m_pos < m_text.size() && isWordChar(m_text.at(m_pos)))
            ++m_pos;
        return m_text.mid(start, m_pos - start);
    }
    // A quoted string whose delimiter is written twice to stand for itself.
    QString quoted(QChar quote, const char* what)
    {
        skipSpace();
        if (m_pos >= m_text.size() || m_text.at(m_pos) != quote)
            fail(QStringLiteral("expected %1 in %2").arg(quoteName(quote), QLatin1String(what)));
        ++m_pos;
        QString value;
        while (true) {
            if (m_pos >= m_text.size())
                fail(QStringLiteral("%1 is not closed").arg(QLatin1String(what)));
            const QChar c = m_text.at(m_pos++);
            if (c != quote) {
                value.append(c);
            } else if (m_pos < m_text.size() && m_text.at(m_pos) == quote) {
                value.append(quote);
                ++m_pos;
            } else {
                return value;
            }
        }
    }
    [[noreturn]] void fail(const QString& message) const
    {
        throw StatementError(QStringLiteral("%1 at character %2 of %3")
                                 .arg(message)
                                 .arg(m_pos + 1)
                                 .arg(QLatin1String(m_where))
                                 .toStdString());
    }

private:
    static bool isWordChar(QChar c) { return c.isLetterOrNumber() || c == u'_'; }
    static QString quoteName(QChar quote)
    {
        return quote == u'\'' ? QStringLiteral("a single-quoted string")
                              : QStringLiteral("a double-quoted string");
    }

    const QString& m_text;
    const char* m_where;
    qsizetype m_pos = 0;
};

std::optional<ParsedStatement::Column> columnNamed(const QString& name)
{
    using Column = ParsedStatement::Column;
    static const std::pair<QLatin1String, Column> known[] = {
        {QLatin1String("Filename"), Column::Filename},
        {QLatin1String("Path"), Column::Path},
        {QLatin1String("Size"), Column::Size},
        {QLatin1String("Write"), Column::Write},
    };
    for (const auto& [known_name, column] : known)
        if (name.compare(known_name, Qt::CaseInsensitive) == 0)
            return column;
    return std::nullopt;
}

// The argument of SCOPE: "<DEEP|SHALLOW> TRAVERSAL OF "<folder>"".
void parseScope(const QString& argument, ParsedStatement& parsed)
{
    Reader reader(argument, "the SCOPE argument");
    if (reader.keyword(u"DEEP"))
        parsed.deep = true;
    else if (reader.keyword(u"SHALLOW"))
        parsed.deep = false;
    else
        reader.fail(QStringLiteral("expected DEEP or SHALLOW in the SCOPE argument"));
    reader.expectKeyword(u"TRAVERSAL", "in the SCOPE argument");
    reader.expectKeyword(u"OF", "after TRAVERSAL");
    QString folder = reader.quoted(u'"', "the SCOPE folder");
    if (!reader.atEnd())
        reader.fail(QStringLiteral("unexpected text after the SCOPE folder"));
    if (folder.isEmpty())
        reader.fail(QStringLiteral("the SCOPE folder is empty"));
    // "\" (and "/") is the root of every indexed folder.
    if (folder == u"\\" || folder == u"/") {
        parsed.folder.clear();
        return;
    }
    if (!folder.startsWith(u'/'))
        reader.fail(QStringLiteral("the SCOPE folder \"%1\" is not an absolute path").arg(folder));
    while (folder.size() > 1 && folder.endsWith(u'/'))
        folder.chop(1);
    parsed.folder = folder;
}

} // namespace

ParsedStatement StatementParser::parse(const QString& statement)
{
    ParsedStatement parsed;
    Reader reader(statement, "the statement");
    reader.expectKeyword(u"SELECT", "at the start");
    do {
        const QString name = reader.word();
        if (name.isEmpty())
            reader.fail(QStringLiteral("expected a column name"));
        const auto column = columnNamed(name);
        if (!column)
            reader.fail(QStringLiteral("unknown column \"%1\" (known: Filename, Path, Size, Write)")
                            .arg(name));
        parsed.columnNames.append(name);
        parsed.columns.push_back(*column);
    } while (reader.symbol(u','));

    reader.expectKeyword(u"FROM", "after the column list");
    reader.expectKeyword(u"SCOPE", "after FROM");
    reader.expectSymbol(u'(', "after SCOPE");
    parseScope(reader.quoted(u'\'', "the SCOPE argument"), parsed);
    reader.expectSymbol(u')', "after the SCOPE argument");

    reader.expectKeyword(u"WHERE", "after SCOPE(...)");
    reader.expectKeyword(u"CONTAINS", "after WHERE");
    reader.expectSymbol(u'(', "after CONTAINS");
    const QString argument = reader.quoted(u'\'', "the CONTAINS argument");
    reader.expectSymbol(u')', "after the CONTAINS argument");
    if (!reader.atEnd())
        reader.fail(QStringLiteral("unexpected text after CONTAINS(...)"));

    Reader phrase(argument, "the CONTAINS argument");
    parsed.phrase = phrase.quoted(u'"', "the CONTAINS phrase");
    if (!phrase.atEnd())
        phrase.fail(QStringLiteral("unexpected text after the CONTAINS phrase"));
    return parsed;
}
