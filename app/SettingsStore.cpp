#include "app/SettingsStore.h"

#include "app/AtomicFile.h"
#include "app/IniDocument.h"

#include <QFile>
#include <QFileInfo>

#include <variant>

namespace {

using Member =
    std::variant<QString SettingsValues::*, int SettingsValues::*, bool SettingsValues::*>;

struct Key
{
    const char* section;
    const char* name;
    Member member;
};

// The one table of settings keys. Save writes them in this order, which is
// therefore the layout of a file written from scratch. Defaults live in
// SettingsValues.
const Key kKeys[] = {
    {"Weather", "WeatherUnits", &SettingsValues::WeatherUnits},
    {"Weather", "CityID", &SettingsValues::CityID},
    {"Weather", "CityName", &SettingsValues::CityName},
    {"Weather", "WeatherInterval", &SettingsValues::WeatherInterval},
    {"News", "DefLanguage", &SettingsValues::DefLanguage},
    {"News", "NewsUpdateInterval", &SettingsValues::NewsUpdateInterval},
    {"News", "TimeZone", &SettingsValues::TimeZone},
    {"Search", "PagesPer", &SettingsValues::PagesPer},
    {"Nodes", "CurrNode", &SettingsValues::CurrNode},
    {"MainForm", "ClockShowing", &SettingsValues::ClockShowing},
    {"MainForm", "WeatherShowing", &SettingsValues::WeatherShowing},
    {"MainForm", "NewsShowing", &SettingsValues::NewsShowing},
    {"MainForm", "AdShowing", &SettingsValues::AdShowing},
    {"MainForm", "RunWhithWindows", &SettingsValues::RunWhithWindows},
    {"Indexation", "IndexPrio", &SettingsValues::IndexPrio},
    {"MainForm", "IsAppBar", &SettingsValues::IsAppBar},
    {"Sheduler", "PrevPeriod", &SettingsValues::PrevPeriod},
    {"Sheduler", "ReminderEnable", &SettingsValues::ReminderEnable},
};

template <class... F> struct Overloaded : F...
{
    using F::operator()...;
};

} // namespace

SettingsWriteError::SettingsWriteError(const QString& path, const QString& reason)
    : std::runtime_error(QStringLiteral("Unable to write to %1").arg(path).toStdString()),
      m_reason(reason)
{}

namespace SettingsStore {

QString settingsPathFor(const QString& executablePath)
{
    const QFileInfo info(executablePath);
    const QString name = info.fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString base = dot > 0 ? name.left(dot) : name;
    return info.path() + QLatin1Char('/') + base + QStringLiteral(".INI");
}

SettingsValues read(const IniDocument& document)
{
    SettingsValues values;
    for (const Key& key : kKeys) {
        const QString section = QString::fromLatin1(key.section);
        const QString name = QString::fromLatin1(key.name);
        std::visit(Overloaded{
                       [&](QString SettingsValues::*m) {
                           values.*m = document.readString(section, name, values.*m);
                       },
                       [&](int SettingsValues::*m) {
                           values.*m = document.readInteger(section, name, values.*m);
                       },
                       [&](bool SettingsValues::*m) {
                           values.*m = document.readBool(section, name, values.*m);
                       },
                   },
                   key.member);
    }
    return values;
}

void write(IniDocument& document, const SettingsValues& values)
{
    for (const Key& key : kKeys) {
        const QString section = QString::fromLatin1(key.section);
        const QString name = QString::fromLatin1(key.name);
        std::visit(
            Overloaded{
                [&](QString SettingsValues::*m) { document.setValue(section, name, values.*m); },
                [&](int SettingsValues::*m) { document.writeInteger(section, name, values.*m); },
                [&](bool SettingsValues::*m) { document.writeBool(section, name, values.*m); },
            },
            key.member);
    }
}

SettingsValues load(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return SettingsValues{};
    return read(IniDocument::parse(file.readAll()));
}

void save(const QString& path, const SettingsValues& values)
{
    IniDocument document;
    QFile file(path);
    if (file.exists()) {
        // An existing file we cannot read would be replaced by ours without the
        // user's other lines: refuse instead.
        if (!file.open(QIODevice::ReadOnly))
            throw SettingsWriteError(path, file.errorString());
        document = IniDocument::parse(file.readAll());
        file.close();
    }
    write(document, values);
    QString error;
    if (!AtomicFile::write(path, document.serialize(), &error))
        throw SettingsWriteError(path, error);
}

} // namespace SettingsStore
