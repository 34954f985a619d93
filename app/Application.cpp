#include "app/Application.h"

#include "app/AppLog.h"
#include "app/Autostart.h"
#include "app/LFGlobals.h"
#include "app/SettingsForm.h"
#include "app/SettingsStore.h"
#include "feeds/HttpFetcher.h"
#include "feeds/ServiceAddresses.h"
#include "indexer/IndexerSupervisor.h"
#include "organizer/NodesForm.h"
#include "organizer/ShedulerForm.h"
#include "pictures/Slideshow.h"
#include "platform/InstanceLock.h"
#include "platform/SystemInfo.h"
#include "platform/TerminationSignals.h"
#include "platform/UserFolders.h"
#include "search/BD.h"
#include "shell/MainForm.h"
#include "shell/SidebarStyle.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>

#include <memory>

int runLanternfly(int& argc, char** argv, const SystemInfo& system)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("lanternfly-desktop"));
    QApplication::setApplicationDisplayName(QStringLiteral("Lanternfly Desktop"));
    QApplication::setDesktopFileName(QStringLiteral("lanternfly-desktop"));
    // The sidebar hides instead of closing; only Exit ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setStyle(new SidebarStyle);
    SidebarStyle::installFontSubstitutes();

    InstanceLock lock(InstanceLock::defaultPath());
    switch (lock.tryAcquire()) {
    case InstanceLock::Result::Acquired:
        break;
    case InstanceLock::Result::HeldElsewhere:
        return 0;
    case InstanceLock::Result::Unavailable:
        // Better two sidebars than none.
        qCWarning(lcApp).noquote()
            << "cannot take the instance lock" << lock.path() << "-" << lock.error();
        break;
    }

    const int version = system.osMajorVersion();
    if (version != 5 && version != 6)
        return 0;

    LFGlobals globals;
    const QString settingsPath = SettingsStore::settingsPathFor(system.executablePath());

    // The five long-lived windows, in their order; the sidebar shows itself first.
    auto mainForm = std::make_unique<MainForm>(globals, system, settingsPath);
    // The entry is written anew at every start so that it follows a moved program.
    Autostart::apply(globals.RunWhithWindows, system.executablePath());
    mainForm->show();
    auto shedulerForm = std::make_unique<ShedulerForm>(
        globals, *mainForm, mainForm->findChild<QWidget*>(QStringLiteral("OrgPanel")));
    SettingsFormHooks settingsHooks;
    settingsHooks.weatherTimer = mainForm->findChild<QTimer*>(QStringLiteral("WeatherTimer"));
    settingsHooks.newsTimer = mainForm->findChild<QTimer*>(QStringLiteral("NewsTimer"));
    settingsHooks.orgTimer = mainForm->findChild<QTimer*>(QStringLiteral("OrgTimer"));
    settingsHooks.appBarTimer = mainForm->appBarTimer();
    settingsHooks.saveSettings = [&mainForm] {
        mainForm->saveSettings();
    };
    settingsHooks.pagesPerChanged = [&mainForm](int pagesPer) {
        mainForm->setPagesPer(pagesPer);
    };
    settingsHooks.executablePath = system.executablePath();
    const ServiceAddresses services = ServiceAddresses::fromSettingsFile(settingsPath);
    settingsHooks.weatherHost = services.WeatherHost;
    settingsHooks.makeFetcher = [services]() -> std::unique_ptr<FeedFetcher> {
        return std::make_unique<HttpFetcher>(services.ProbeHost, services.ProbePort);
    };
    settingsHooks.services = mainForm.get();
    auto settingsForm =
        std::make_unique<SettingsForm>(globals, std::move(settingsHooks), mainForm.get());
    auto bd = std::make_unique<BD>();
    auto nodesForm = std::make_unique<NodesForm>();
    // The indexing service behind desktop search runs beside the sidebar, in its own process.
    IndexerSupervisor indexerSupervisor(IndexerSupervisor::programBeside(system.executablePath()));
    indexerSupervisor.start();
    nodesForm->attachNote(mainForm->findChild<QLabel*>(QStringLiteral("NodeLabel")));
    // The slideshow stops its scan when the loop ends, before the exit steps run.
    const XdgUserFolders userFolders;
    const auto slideshow = std::make_unique<Slideshow>(
        *mainForm, mainForm->pictureFiles(), globals.PictureIndex, *mainForm, userFolders);

    QObject::connect(mainForm.get(), &MainForm::settingsRequested, settingsForm.get(),
                     &SettingsForm::GoSettings);
    QObject::connect(mainForm.get(), &MainForm::settingsTabRequested, settingsForm.get(),
                     &SettingsForm::showOnTab);

    TerminationSignals terminationSignals;
    QObject::connect(&terminationSignals, &TerminationSignals::terminationRequested, mainForm.get(),
                     [&](int signalNumber) {
                         qCInfo(lcApp) << "ending on signal" << signalNumber;
                         mainForm->CloseApp();
                     });

    const int status = QApplication::exec();
    mainForm->FormDestroy();
    // Balloons raised during the exit steps are queued; let them out.
    QCoreApplication::processEvents();
    return status;
}
