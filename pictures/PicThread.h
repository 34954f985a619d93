#pragma once

#include <QStringList>
#include <QThread>

class UserFolders;

// The once-per-run scan of the user's pictures folder. The thread touches
// nothing but its own list; the result leaves it through picturesFound, to be
// connected with Qt::BlockingQueuedConnection so the scan waits for its
// hand-over. Stop it with requestInterruption() and wait().
class PicThread : public QThread
{
    Q_OBJECT
public:
    // folders must outlive the thread's run.
    explicit PicThread(const UserFolders& folders, QObject* parent = nullptr);

signals:
    // Emitted on the scanning thread right before the hand-over.
    void handOverStarting();
    void picturesFound(const QStringList& files);

protected:
    void run() override { Execute(); }

private:
    void Execute();

    const UserFolders& m_folders;
};
