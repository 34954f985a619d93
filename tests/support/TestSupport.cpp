#include "tests/support/TestSupport.h"

#include <QFile>

#include <gtest/gtest.h>

TestFolder::TestFolder()
{
    EXPECT_TRUE(m_dir.isValid());
}

void TestFolder::write(const QString& name, const QByteArray& contents) const
{
    QFile file(filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << name.toStdString();
    file.write(contents);
}

QByteArray TestFolder::read(const QString& name) const
{
    QFile file(filePath(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}
