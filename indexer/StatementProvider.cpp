#include "indexer/StatementProvider.h"

#include "app/DateTimeValue.h"
#include "indexer/FileCatalog.h"
#include "indexer/StatementParser.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTimeZone>

int StatementResult::columnIndex(const QString& name) const
{
    for (int i = 0; i < columns.size(); ++i)
        if (columns.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

StatementProvider::StatementProvider(QString catalogPath) : m_catalogPath(std::move(catalogPath)) {}

namespace {

// The phrase as one FTS5 string: its words in order, case and diacritics
// folded by the catalogue's tokenizer. A quote inside is doubled for FTS5.
std::string ftsPhrase(const QString& phrase)
{
    QString quoted = phrase;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return QStringLiteral("\"%1\"").arg(quoted).toStdString();
}

bool hasWord(const QString& phrase)
{
    for (const QChar c : phrase)
        if (c.isLetterOrNumber() || c.isMark() || c.isHighSurrogate() ||
            c.category() == QChar::Other_PrivateUse)
            return true;
    return false;
}

} // namespace

StatementResult StatementProvider::run(const QString& statement) const
{
    const ParsedStatement parsed = StatementParser::parse(statement);
    StatementResult result;
    result.columns = parsed.columnNames;
    // Only separators: there is no word to look for, so nothing holds it.
    if (!hasWord(parsed.phrase))
        return result;

    if (!QFileInfo::exists(m_catalogPath))
        throw StatementError(QStringLiteral("the file catalogue %1 does not exist; is the indexer "
                                            "(lanternfly-index serve) running?")
                                 .arg(m_catalogPath)
                                 .toStdString());
    try {
        SqliteDb db;
        db.open(FileCatalog::nativePath(m_catalogPath), SQLITE_OPEN_READONLY);
        std::string sql = "SELECT f.path, f.size, f.mtime FROM text JOIN files f ON f.id = "
                          "text.rowid WHERE text MATCH ?1";
        const std::string folder = FileCatalog::nativePath(parsed.folder);
        if (!parsed.folder.isEmpty()) {
            sql += " AND f.path >= ?2 AND f.path < ?3";
            if (!parsed.deep)
                sql += " AND instr(substr(f.path, ?4), '/') = 0";
        }
        // Least relevant first; a name match weighs more than one in the text.
        sql += " ORDER BY bm25(text, 4.0, 1.0) DESC";
        SqliteStmt query(db, sql.c_str());
        query.bindText(1, ftsPhrase(parsed.phrase));
        if (!parsed.folder.isEmpty()) {
            const auto [low, high] = pathRangeBelow(folder);
            query.bindBlob(2, low).bindBlob(3, high);
            if (!parsed.deep)
                query.bind(4, static_cast<long long>(low.size()) + 1);
        }
        // The system zone once: local-time conversion by the C library looks
        // at the zone file again for every row.
        const QTimeZone zone = QTimeZone::systemTimeZone();
        while (query.step()) {
            const std::string_view raw = query.blob(0);
            const QString path = QFile::decodeName(QByteArray(raw.data(), raw.size()));
            QVariantList row;
            row.reserve(parsed.columns.size());
            for (const auto column : parsed.columns) {
                switch (column) {
                case ParsedStatement::Column::Filename:
                    row.append(path.mid(path.lastIndexOf(u'/') + 1));
                    break;
                case ParsedStatement::Column::Path:
                    row.append(path);
                    break;
                case ParsedStatement::Column::Size:
                    row.append(static_cast<qint64>(query.integer(1)));
                    break;
                case ParsedStatement::Column::Write:
                    row.append(DateTimeValue::fromQDateTime(
                        QDateTime::fromMSecsSinceEpoch(query.integer(2) / 1000000, zone)));
                    break;
                }
            }
            result.rows.push_back(std::move(row));
        }
    } catch (const SqliteError& error) {
        throw StatementError(QStringLiteral("the file catalogue %1 cannot be read: %2")
                                 .arg(m_catalogPath, QString::fromUtf8(error.what()))
                                 .toStdString());
    }
    return result;
}
