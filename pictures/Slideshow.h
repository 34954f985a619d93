#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <memory>

class PicThread;
class PictureDecoder;
class QImage;
class QLabel;
class QTimer;
class QWidget;
class SidebarServices;
class UserFolders;

// The picture panel's behaviour: a scan of the pictures folder one second
// after start-up, then the next picture every ten seconds. Fills the
// sidebar's picture box PIC and status label PICLabel, and owns the timers
// LoadPicsTimer and ShowPicsTimer (children of the sidebar). User-interface
// thread only; the scan and the decoding run on threads of their own.
class Slideshow : public QObject
{
    Q_OBJECT
public:
    static constexpr int kShowInterval = 10000;
    static constexpr int kSkipInterval = 10;

    // pictureFiles and pictureIndex are the sidebar's PictureFiles and
    // PictureIndex; they, services and folders must outlive the slideshow.
    // Throws std::logic_error when the sidebar lacks PIC or PICLabel.
    Slideshow(QWidget& sidebar, QStringList& pictureFiles, int& pictureIndex,
              SidebarServices& services, const UserFolders& folders);
    ~Slideshow() override;

    void LoadPicsTimerTimer();
    // The scan's hand-over: takes its list as PictureFiles and starts the show.
    void PublishPictures(const QStringList& foundFiles);
    void ShowPicsTimerTimer();
    void PICClick();

    // Ends a running scan, dropping its result, and the show; for the exit.
    void stop();

    // The scan thread while it exists; for tests.
    PicThread* scanner() const { return m_scanner.get(); }

signals:
    void picturesPublished();
    // One of these answers every tick that had a picture to show.
    void pictureShown(const QString& path);
    void pictureMissing(const QString& path);
    void pictureFailed(const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showDecoded(quint64 request, const QString& path, int outcome, const QImage& image);

    QStringList& m_pictureFiles;
    int& m_pictureIndex;
    SidebarServices& m_services;
    const UserFolders& m_folders;

    QPointer<QLabel> m_picture;
    QPointer<QLabel> m_status;
    QPointer<QTimer> m_loadTimer;
    QPointer<QTimer> m_showTimer;

    std::unique_ptr<PicThread> m_scanner;
    // Receives the scan's blocking hand-over; deleting it releases a scan
    // waiting in the hand-over without running it.
    std::unique_ptr<QObject> m_handOver;
    std::unique_ptr<PictureDecoder> m_decoder;
    quint64 m_lastRequest = 0;
    // Pictures that failed one after the other; a full round of them ends the
    // quick skipping until a picture loads again.
    int m_failuresInARow = 0;
};
