#pragma once

#include "feeds/FeedFetcher.h"
#include "shell/SidebarServices.h"

#include <QByteArray>
#include <QFile>
#include <QMutex>
#include <QString>
#include <QStringList>

#include <map>
#include <ostream>

// Readable QStrings in test failures.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

inline QByteArray fixture(const char* name)
{
    QFile file(QStringLiteral(LF_FEEDS_FIXTURES "/") + QString::fromLatin1(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// Records the notices and the addresses opened; safe to call from any thread.
class RecordingServices : public SidebarServices
{
public:
    struct Balloon
    {
        QString title;
        QString text;
        int icon = 0;
        int timeout = 0;
    };
    void ShowBaloon(const QString& title, const QString& text, int icon, int timeout) override
    {
        QMutexLocker lock(&m_mutex);
        m_balloons.push_back({title, text, icon, timeout});
    }
    void OpenURL(const QString& address) override
    {
        QMutexLocker lock(&m_mutex);
        m_opened << address;
    }
    std::vector<Balloon> balloons() const
    {
        QMutexLocker lock(&m_mutex);
        return m_balloons;
    }
    QStringList titles() const
    {
        QStringList result;
        for (const Balloon& balloon : balloons())
            result << balloon.title;
        return result;
    }
    QStringList opened() const
    {
        QMutexLocker lock(&m_mutex);
        return m_opened;
    }

private:
    mutable QMutex m_mutex;
    std::vector<Balloon> m_balloons;
    QStringList m_opened;
};

// A network answering from a table; an address it does not know fails.
class FakeFetcher : public FeedFetcher
{
public:
    bool online = true;
    std::map<QString, QByteArray> answers;
    QStringList requested;

    bool InternetAvailable() override { return online; }
    QByteArray download(const QString& url) override;
};
