#include "indexer/IndexerSupervisor.h"

#include "indexer/IndexCommand.h"
#include "indexer/IndexerLog.h"

#include <QFileInfo>

#include <algorithm>
#include <csignal>
#include <sys/prctl.h>
#include <sys/resource.h>

IndexerSupervisor::IndexerSupervisor(QString program, QObject* parent)
    : IndexerSupervisor(std::move(program), Timing{}, parent)
{}

IndexerSupervisor::IndexerSupervisor(QString program, Timing timing, QObject* parent)
    : QObject(parent), m_program(std::move(program)), m_timing(timing)
{
    m_restartTimer.setSingleShot(true);
    connect(&m_restartTimer, &QTimer::timeout, this, &IndexerSupervisor::launch);
    connect(&m_process, &QProcess::finished, this, &IndexerSupervisor::handleFinished);
    connect(&m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            handleFinished(-1, QProcess::CrashExit);
    });
    // The service logs to the same place as the sidebar.
    m_process.setProcessChannelMode(QProcess::ForwardedChannels);
    m_process.setInputChannelMode(QProcess::ForwardedInputChannel);
    // Low priority from its first instruction (the service lowers it further by its
    // profile), and ended with the sidebar even when the sidebar is killed.
    m_process.setChildProcessModifier([] {
        ::setpriority(PRIO_PROCESS, 0, 10);
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    });
}

IndexerSupervisor::~IndexerSupervisor()
{
    m_stopping = true;
    m_restartTimer.stop();
    if (m_process.state() == QProcess::NotRunning)
        return;
    // SIGTERM lets it commit its batch; a service that does not end is killed.
    m_process.terminate();
    if (!m_process.waitForFinished(5000)) {
        m_process.kill();
        m_process.waitForFinished(1000);
    }
}

QString IndexerSupervisor::programBeside(const QString& executablePath)
{
    return QFileInfo(executablePath).absolutePath() + QStringLiteral("/lanternfly-index");
}

bool IndexerSupervisor::start()
{
    const QFileInfo program(m_program);
    if (!program.isFile() || !program.isExecutable()) {
        if (!m_missingLogged)
            qCWarning(lcIndexer).noquote()
                << "the indexer" << m_program
                << "is missing; desktop search answers from the catalogue as it is";
        m_missingLogged = true;
        return false;
    }
    launch();
    return true;
}

void IndexerSupervisor::launch()
{
    if (m_stopping || isRunning())
        return;
    m_runTime.start();
    m_process.start(m_program, {QStringLiteral("serve")});
    if (m_process.waitForStarted(5000))
        emit serviceStarted();
}

void IndexerSupervisor::handleFinished(int exitCode, QProcess::ExitStatus status)
{
    if (m_stopping)
        return;
    const bool crashed = status == QProcess::CrashExit;
    emit serviceEnded(exitCode, crashed);
    if (!crashed && exitCode == IndexCommand::AlreadyRunning) {
        // Someone else's service: look again later, in case it ends.
        m_nextDelay = m_timing.otherServiceRecheck;
    } else {
        if (m_runTime.isValid() &&
            std::chrono::milliseconds(m_runTime.elapsed()) >= m_timing.healthyRun)
            m_failures = 0;
        const auto pause = m_timing.firstRestart * (1LL << std::min(m_failures, 20));
        m_nextDelay = std::min<std::chrono::milliseconds>(pause, m_timing.longestRestart);
        ++m_failures;
        qCWarning(lcIndexer).noquote()
            << "the indexing service" << (crashed ? "crashed" : "ended with code")
            << (crashed ? QString() : QString::number(exitCode)) << "- restarting in"
            << m_nextDelay.count() << "ms";
    }
    m_restartTimer.start(m_nextDelay);
}
