#pragma once

#include "platform/SystemInfo.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A fresh folder per test, removed afterwards.
class TestFolder
{
public:
    TestFolder();
    QString path() const { return m_dir.path(); }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }
    void write(const QString& name, const QByteArray& contents) const;
    QByteArray read(const QString& name) const;

private:
    QTemporaryDir m_dir;
};

// System facts chosen by the test.
class FakeSystemInfo : public SystemInfo
{
public:
    explicit FakeSystemInfo(QString executablePath, int osMajorVersion = 5)
        : m_executablePath(std::move(executablePath)), m_osMajorVersion(osMajorVersion)
    {}
    int osMajorVersion() const override { return m_osMajorVersion; }
    QString executablePath() const override { return m_executablePath; }

private:
    QString m_executablePath;
    int m_osMajorVersion;
};
