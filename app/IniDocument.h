#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

// An INI file held as its lines, read and updated by the rules of the classic
// private-profile functions: sections and keys match without regard to case,
// the first of duplicate sections or keys wins, values are trimmed, an update
// replaces a value in place, a new key goes to the end of its section and a new
// section to the end of the file. Every other line (comments, blank lines,
// sections we do not know) is kept as it was.
class IniDocument
{
public:
    // Decodes UTF-8 (invalid bytes become U+FFFD); LF and CRLF line ends; a BOM is skipped.
    static IniDocument parse(const QByteArray& bytes);

    // The trimmed raw value, or nothing when the section or key is absent.
    std::optional<QString> value(const QString& section, const QString& key) const;

    // Line breaks inside value are written as blanks, so a value cannot add lines.
    void setValue(const QString& section, const QString& key, const QString& value);

    // UTF-8 with LF line ends.
    QByteArray serialize() const;

    // Typed access by the profile reading rules. A string is cut to
    // kMaxStringLength characters and loses one pair of enclosing quotes; an
    // integer is decimal, or hexadecimal after "0x"; a boolean is an integer,
    // 0 false and anything else true. A missing key or a bad number gives fallback.
    static constexpr int kMaxStringLength = 2047;
    QString readString(const QString& section, const QString& key, const QString& fallback) const;
    int readInteger(const QString& section, const QString& key, int fallback) const;
    bool readBool(const QString& section, const QString& key, bool fallback) const;
    void writeInteger(const QString& section, const QString& key, int value);
    void writeBool(const QString& section, const QString& key, bool value);

    // The integer rule on one text; nothing when it is not a number.
    static std::optional<int> parseInteger(const QString& text);

private:
    enum class Kind
    {
        Section,
        Entry,
        Other
    };
    struct Line
    {
        Kind kind = Kind::Other;
        QString name; // section or key name as written
        QString text; // the whole line as written
    };

    static Line parseLine(const QString& text);
    // Index of the section header, or -1.
    int findSection(const QString& section) const;
    // One past the section's last line (the next header or the end).
    int sectionEnd(int header) const;

    std::vector<Line> m_lines;
};
