#include "app/Autostart.h"

#include "tests/settings/ConfigHome.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {

QString validatorOutput(const QString& path)
{
    QProcess validator;
    validator.start(QStringLiteral("desktop-file-validate"), {path});
    if (!validator.waitForFinished(10000))
        return QStringLiteral("desktop-file-validate did not run");
    const QString output = QString::fromUtf8(validator.readAll());
    return validator.exitCode() == 0 ? output : QStringLiteral("failed: ") + output;
}

} // namespace

TEST(AutostartTest, EntryIsCreatedForTheExecutableAndRemovedAgain)
{
    TemporaryConfigHome home;
    const QString entry =
        home.path() + QStringLiteral("/autostart/Start Lanternfly Desktop.desktop");
    EXPECT_EQ(Autostart::entryPath(), entry);

    Autostart::apply(true, QStringLiteral("/opt/lanternfly/lanternfly-desktop"));
    QFile file(entry);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    file.close();
    EXPECT_TRUE(text.startsWith(QStringLiteral("[Desktop Entry]\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("\nExec=\"/opt/lanternfly/lanternfly-desktop\"\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("\nComment=Start Lanternfly Desktop\n")));

    // A moved program folder: the entry follows the executable.
    Autostart::apply(true, QStringLiteral("/home/u/new place/lanternfly-desktop"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(file.readAll())
                    .contains(QStringLiteral("\nExec=\"/home/u/new place/lanternfly-desktop\"\n")));
    file.close();

    Autostart::apply(false, QStringLiteral("/opt/lanternfly/lanternfly-desktop"));
    EXPECT_FALSE(QFileInfo::exists(entry));
    // Removing a missing entry is quiet.
    Autostart::apply(false, QString());
    EXPECT_FALSE(QFileInfo::exists(entry));
}

TEST(AutostartTest, ExecQuotesReservedCharacters)
{
    struct Case
    {
        const char* path;
        const char* exec;
    };
    const Case cases[] = {
        {"/a b/lf", R"("/a b/lf")"},
        {"/x\"y/lf", R"("/x\\"y/lf")"},
        {"/cost$HOME/lf", R"("/cost\\$HOME/lf")"},
        {"/back`tick/lf", R"("/back\\`tick/lf")"},
        {"/back\\slash/lf", R"("/back\\\\slash/lf")"},
        {"/100%u/lf", R"("/100%%u/lf")"},
        {"/dir's;&|<>/lf", R"("/dir's;&|<>/lf")"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Autostart::quotedExecArgument(QString::fromUtf8(c.path)),
                  QString::fromUtf8(c.exec))
            << c.path;
}

TEST(AutostartTest, EntryWithAwkwardPathValidates)
{
    if (QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate")).isEmpty())
        GTEST_SKIP() << "desktop-file-validate is not installed";
    TemporaryConfigHome home;
    for (const char* path :
         {"/opt/lanternfly/lanternfly-desktop",
          "/home/u/My Programs/\"Lantern\" $fly`s 100% \\ folder/lanternfly-desktop"}) {
        Autostart::apply(true, QString::fromUtf8(path));
        EXPECT_EQ(validatorOutput(Autostart::entryPath()), QString()) << path;
    }
}

TEST(AutostartTest, UnwritableFolderIsSwallowed)
{
    TemporaryConfigHome home;
    // A file where the autostart folder should be: nothing can be created there.
    QFile blocker(home.path() + QStringLiteral("/autostart"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    Autostart::apply(true, QStringLiteral("/opt/lf"));
    EXPECT_FALSE(QFileInfo::exists(Autostart::entryPath()));
    Autostart::apply(false, QStringLiteral("/opt/lf"));
}
