#pragma once

#include <QString>

// Facts about the running system and program that start-up asks for.
// Tests derive from it to inject other values.
class SystemInfo
{
public:
    virtual ~SystemInfo() = default;

    // The major version the program was made for; the Linux build answers 5,
    // the version on which the desktop search is offered.
    virtual int osMajorVersion() const;

    // The executable's full path with symlinks resolved.
    virtual QString executablePath() const;

    // The executable's folder, ending with a separator.
    QString programFolder() const;
};
