#pragma once

#include "app/SettingsValues.h"

#include <QString>

#include <stdexcept>

class IniDocument;

// Raised when the settings file cannot be written; the text names the file.
class SettingsWriteError : public std::runtime_error
{
public:
    explicit SettingsWriteError(const QString& path, const QString& reason = QString());
    QString message() const { return QString::fromStdString(what()); }
    QString reason() const { return m_reason; }

private:
    QString m_reason;
};

// The settings file: where it is, how it is read and how it is written.
namespace SettingsStore {

// The executable's path with its extension replaced by ".INI" (appended when it has none).
QString settingsPathFor(const QString& executablePath);

// Reads every key by the profile rules; a missing key gives its default.
SettingsValues read(const IniDocument& document);
// Writes every key, in place where it exists, else appended in the fresh-file order.
void write(IniDocument& document, const SettingsValues& values);

// A missing, unreadable or broken file gives the defaults: never an error.
SettingsValues load(const QString& path);

// Updates the file, keeping its other lines, sections and order. The new
// content goes to a temporary file in the same folder that is flushed to disk
// and renamed over the old one, so the file is whole at every moment. A file
// the user made read-only is not replaced. Throws SettingsWriteError.
void save(const QString& path, const SettingsValues& values);

} // namespace SettingsStore
