#include "pictures/Slideshow.h"

#include "pictures/PicThread.h"
#include "pictures/PictureDecoder.h"
#include "pictures/PicturesLog.h"
#include "pictures/ShowOrder.h"
#include "shell/SidebarServices.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <stdexcept>

Slideshow::Slideshow(QWidget& sidebar, QStringList& pictureFiles, int& pictureIndex,
                     SidebarServices& services, const UserFolders& folders)
    : m_pictureFiles(pictureFiles), m_pictureIndex(pictureIndex), m_services(services),
      m_folders(folders), m_picture(sidebar.findChild<QLabel*>(QStringLiteral("PIC"))),
      m_status(sidebar.findChild<QLabel*>(QStringLiteral("PICLabel"))),
      m_decoder(std::make_unique<PictureDecoder>())
{
    if (!m_picture || !m_status)
        throw std::logic_error("the sidebar has no picture box PIC or status label PICLabel");
    m_picture->installEventFilter(this);
    // The status lies over the middle of the picture; clicks go through to it.
    m_status->setAttribute(Qt::WA_TransparentForMouseEvents);
    connect(m_decoder.get(), &PictureDecoder::decoded, this,
            [this](quint64 request, const QString& path, int outcome, const QImage& image,
                   const QString&) { showDecoded(request, path, outcome, image); });

    m_loadTimer = new QTimer(&sidebar);
    m_loadTimer->setObjectName(QStringLiteral("LoadPicsTimer"));
    m_loadTimer->setInterval(1000);
    m_loadTimer->setSingleShot(true);
    connect(m_loadTimer, &QTimer::timeout, this, &Slideshow::LoadPicsTimerTimer);

    m_showTimer = new QTimer(&sidebar);
    m_showTimer->setObjectName(QStringLiteral("ShowPicsTimer"));
    m_showTimer->setInterval(kShowInterval);
    connect(m_showTimer, &QTimer::timeout, this, &Slideshow::ShowPicsTimerTimer);

    // The scan must never hand over once the exit steps have begun.
    connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this, &Slideshow::stop);
    m_loadTimer->start();
}

Slideshow::~Slideshow()
{
    stop();
}

void Slideshow::stop()
{
    if (m_loadTimer)
        m_loadTimer->stop();
    if (m_showTimer)
        m_showTimer->stop();
    // First the receiver, so a scan blocked in its hand-over is let go, then the wait.
    m_handOver.reset();
    if (m_scanner) {
        m_scanner->requestInterruption();
        m_scanner->wait();
        m_scanner.reset();
    }
}

void Slideshow::LoadPicsTimerTimer()
{
    m_loadTimer->stop();
    if (m_scanner)
        return;
    m_scanner = std::make_unique<PicThread>(m_folders);
    m_handOver = std::make_unique<QObject>();
    connect(
        m_scanner.get(), &PicThread::picturesFound, m_handOver.get(),
        [this](const QStringList& files) { PublishPictures(files); }, Qt::BlockingQueuedConnection);
    m_scanner->start(QThread::LowestPriority);
}

void Slideshow::PublishPictures(const QStringList& foundFiles)
{
    m_pictureFiles = foundFiles;
    qCInfo(lcPictures) << m_pictureFiles.size() << "pictures to show";
    m_showTimer->start();
    emit picturesPublished();
}

void Slideshow::ShowPicsTimerTimer()
{
    m_showTimer->setInterval(kShowInterval);
    if (m_pictureFiles.isEmpty()) {
        m_status->setText(QStringLiteral("No Pictures..."));
        return;
    }
    m_status->clear();
    m_pictureIndex = nextPictureIndex(m_pictureIndex, int(m_pictureFiles.size()));
    // The picture on show stays until the next one is decoded.
    m_decoder->request(++m_lastRequest, m_pictureFiles.at(m_pictureIndex), m_picture->size(),
                       m_picture->devicePixelRatioF());
}

void Slideshow::showDecoded(quint64 request, const QString& path, int outcome, const QImage& image)
{
    // A late answer to an earlier tick has been overtaken.
    if (request != m_lastRequest || !m_picture || !m_showTimer)
        return;
    switch (static_cast<DecodedPicture::Outcome>(outcome)) {
    case DecodedPicture::Outcome::Loaded:
        m_failuresInARow = 0;
        m_picture->setPixmap(QPixmap::fromImage(image));
        qCDebug(lcPictures).noquote() << "showing" << path;
        emit pictureShown(path);
        return;
    case DecodedPicture::Outcome::Missing:
        m_failuresInARow = 0;
        emit pictureMissing(path);
        return;
    case DecodedPicture::Outcome::Failed:
        // Skip it at once, but once every picture in turn has failed, try on
        // at the normal pace instead of spinning.
        if (++m_failuresInARow < m_pictureFiles.size()) {
            m_showTimer->stop();
            m_showTimer->setInterval(kSkipInterval);
            m_showTimer->start();
        }
        emit pictureFailed(path);
        return;
    }
}

void Slideshow::PICClick()
{
    if (m_pictureIndex < 0 || m_pictureIndex >= m_pictureFiles.size())
        return;
    m_services.OpenURL(m_pictureFiles.at(m_pictureIndex));
}

bool Slideshow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_picture && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && m_picture->rect().contains(mouse->pos())) {
            PICClick();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
