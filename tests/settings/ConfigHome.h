#pragma once

#include "tests/support/TestSupport.h"

#include <QByteArray>

// Points XDG_CONFIG_HOME at a fresh folder for one test.
class TemporaryConfigHome
{
public:
    TemporaryConfigHome() : m_previous(qgetenv("XDG_CONFIG_HOME"))
    {
        qputenv("XDG_CONFIG_HOME", m_folder.path().toUtf8());
    }
    ~TemporaryConfigHome() { qputenv("XDG_CONFIG_HOME", m_previous); }
    TemporaryConfigHome(const TemporaryConfigHome&) = delete;
    TemporaryConfigHome& operator=(const TemporaryConfigHome&) = delete;
    QString path() const { return m_folder.path(); }

private:
    TestFolder m_folder;
    QByteArray m_previous;
};
