#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QProcess>
#include <QString>
#include <QTimer>

#include <chrono>

// Keeps the indexing service running beside the sidebar: starts
// "lanternfly-index serve" at low priority, restarts it with a growing pause
// when it dies, and ends it with the sidebar. A service already running for
// this user (started elsewhere) is left alone and looked at again later. A
// missing program is logged once; the sidebar runs on without it.
class IndexerSupervisor : public QObject
{
    Q_OBJECT

public:
    struct Timing
    {
        std::chrono::milliseconds firstRestart{1000};
        std::chrono::milliseconds longestRestart{std::chrono::minutes(5)};
        std::chrono::milliseconds otherServiceRecheck{std::chrono::minutes(1)};
        // A run this long counts as healthy and resets the pause.
        std::chrono::milliseconds healthyRun{std::chrono::minutes(1)};
    };

    explicit IndexerSupervisor(QString program, QObject* parent = nullptr);
    IndexerSupervisor(QString program, Timing timing, QObject* parent = nullptr);
    ~IndexerSupervisor() override;

    // lanternfly-index in the folder of the given executable.
    static QString programBeside(const QString& executablePath);

    // False when the program is missing (logged once).
    bool start();
    bool isRunning() const { return m_process.state() != QProcess::NotRunning; }
    qint64 processId() const { return m_process.processId(); }
    // The pause before the pending restart, for tests and the log.
    std::chrono::milliseconds nextDelay() const { return m_nextDelay; }

signals:
    void serviceStarted();
    void serviceEnded(int exitCode, bool crashed);

private:
    void launch();
    void handleFinished(int exitCode, QProcess::ExitStatus status);

    QString m_program;
    Timing m_timing;
    QProcess m_process;
    QTimer m_restartTimer;
    QElapsedTimer m_runTime;
    std::chrono::milliseconds m_nextDelay{0};
    int m_failures = 0;
    bool m_stopping = false;
    bool m_missingLogged = false;
};
