#pragma once

#include <QString>

// Hands an address or a file path to the user's default application.
class UrlOpener
{
public:
    virtual ~UrlOpener() = default;
    // address is a web address already encoded for sending, or a file path.
    virtual void open(const QString& address) = 0;
};

// Opens through the desktop's own mechanism (xdg-open).
class DesktopUrlOpener : public UrlOpener
{
public:
    void open(const QString& address) override;
};
