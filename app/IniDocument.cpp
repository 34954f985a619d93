#include "app/IniDocument.h"

#include <QStringConverter>
#include <QStringList>

IniDocument IniDocument::parse(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder.decode(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);

    IniDocument document;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        // The split leaves one empty piece after a final line break.
        if (i == lines.size() - 1 && line.isEmpty())
            break;
        document.m_lines.push_back(parseLine(line));
    }
    return document;
}

IniDocument::Line IniDocument::parseLine(const QString& text)
{
    Line line;
    line.text = text;
    const QString trimmed = text.trimmed();
    if (trimmed.startsWith(QLatin1Char('['))) {
        const qsizetype close = trimmed.indexOf(QLatin1Char(']'));
        if (close > 0) {
            line.kind = Kind::Section;
            line.name = trimmed.mid(1, close - 1).trimmed();
        }
        return line;
    }
    if (trimmed.startsWith(QLatin1Char(';')))
        return line;
    const qsizetype equals = text.indexOf(QLatin1Char('='));
    if (equals > 0) {
        const QString key = text.left(equals).trimmed();
        if (!key.isEmpty()) {
            line.kind = Kind::Entry;
            line.name = key;
        }
    }
    return line;
}

int IniDocument::findSection(const QString& section) const
{
    for (size_t i = 0; i < m_lines.size(); ++i) {
        const Line& line = m_lines[i];
        if (line.kind == Kind::Section && line.name.compare(section, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

int IniDocument::sectionEnd(int header) const
{
    int i = header + 1;
    while (i < static_cast<int>(m_lines.size()) && m_lines[i].kind != Kind::Section)
        ++i;
    return i;
}

std::optional<QString> IniDocument::value(const QString& section, const QString& key) const
{
    const int header = findSection(section);
    if (header < 0)
        return std::nullopt;
    const int end = sectionEnd(header);
    for (int i = header + 1; i < end; ++i) {
        const Line& line = m_lines[i];
        if (line.kind == Kind::Entry && line.name.compare(key, Qt::CaseInsensitive) == 0)
            return line.text.mid(line.text.indexOf(QLatin1Char('=')) + 1).trimmed();
    }
    return std::nullopt;
}

void IniDocument::setValue(const QString& section, const QString& key, const QString& value)
{
    QString flat = value;
    flat.replace(QLatin1String("\r\n"), QLatin1String(" "));
    flat.replace(QLatin1Char('\r'), QLatin1Char(' '));
    flat.replace(QLatin1Char('\n'), QLatin1Char(' '));

    const int header = findSection(section);
    if (header < 0) {
        // A new section goes to the end, set off from what is above by a blank line.
        if (!m_lines.empty() && !m_lines.back().text.trimmed().isEmpty())
            m_lines.push_back(parseLine(QString()));
        m_lines.push_back(parseLine(QLatin1Char('[') + section + QLatin1Char(']')));
        m_lines.push_back(parseLine(key + QLatin1Char('=') + flat));
        return;
    }
    const int end = sectionEnd(header);
    int lastContent = header;
    for (int i = header + 1; i < end; ++i) {
        Line& line = m_lines[i];
        if (line.kind == Kind::Entry && line.name.compare(key, Qt::CaseInsensitive) == 0) {
            line.text = line.name + QLatin1Char('=') + flat;
            return;
        }
        if (!line.text.trimmed().isEmpty())
            lastContent = i;
    }
    // A new key follows the section's last non-blank line.
    m_lines.insert(m_lines.begin() + lastContent + 1, parseLine(key + QLatin1Char('=') + flat));
}

QByteArray IniDocument::serialize() const
{
    QByteArray out;
    for (const Line& line : m_lines) {
        out += line.text.toUtf8();
        out += '\n';
    }
    return out;
}

namespace {

// Cuts after count Unicode characters, never inside a surrogate pair.
QString leftCodePoints(const QString& text, int count)
{
    qsizetype i = 0;
    for (int taken = 0; i < text.size() && taken < count; ++taken)
        i += (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ? 2
                                                                                                : 1;
    return text.left(i);
}

} // namespace

QString IniDocument::readString(const QString& section, const QString& key,
                                const QString& fallback) const
{
    const std::optional<QString> raw = value(section, key);
    if (!raw)
        return fallback;
    QString text = *raw;
    if (text.size() >= 2 &&
        (text.front() == QLatin1Char('"') || text.front() == QLatin1Char('\'')) &&
        text.back() == text.front())
        text = text.mid(1, text.size() - 2);
    return leftCodePoints(text, kMaxStringLength);
}

std::optional<int> IniDocument::parseInteger(const QString& text)
{
    bool ok = false;
    if (text.size() > 2 && text[0] == QLatin1Char('0') &&
        (text[1] == QLatin1Char('x') || text[1] == QLatin1Char('X'))) {
        const QStringView digits = QStringView(text).mid(2);
        // Hexadecimal covers the full 32 bits; the upper half reads as negative.
        if (digits.size() > 8 || digits.front() == QLatin1Char('+') ||
            digits.front() == QLatin1Char('-'))
            return std::nullopt;
        const uint value = digits.toUInt(&ok, 16);
        return ok ? std::optional<int>(static_cast<int>(value)) : std::nullopt;
    }
    const int value = text.toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}

int IniDocument::readInteger(const QString& section, const QString& key, int fallback) const
{
    return parseInteger(readString(section, key, QString())).value_or(fallback);
}

bool IniDocument::readBool(const QString& section, const QString& key, bool fallback) const
{
    return readInteger(section, key, fallback ? 1 : 0) != 0;
}

void IniDocument::writeInteger(const QString& section, const QString& key, int value)
{
    setValue(section, key, QString::number(value));
}

void IniDocument::writeBool(const QString& section, const QString& key, bool value)
{
    setValue(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}
