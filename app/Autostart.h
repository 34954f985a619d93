#pragma once

#include <QString>

// Starting the program with the desktop session: an XDG autostart entry
// "Start Lanternfly Desktop.desktop" in $XDG_CONFIG_HOME/autostart.
namespace Autostart {

// $XDG_CONFIG_HOME/autostart/Start Lanternfly Desktop.desktop; an unset or
// relative XDG_CONFIG_HOME means ~/.config.
QString entryPath();

// The entry's text, starting executablePath with no arguments.
QByteArray entryText(const QString& executablePath);

// One argument of an Exec line: quoted, with the characters that quoting
// reserves escaped, '%' doubled, then escaped once more as a string value.
QString quotedExecArgument(const QString& argument);

// Writes the entry when enable is true and removes it otherwise. Failures are
// logged and otherwise ignored: the setting stays stored and is applied again
// at the next start.
void apply(bool enable, const QString& executablePath);

} // namespace Autostart
