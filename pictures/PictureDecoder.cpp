#include "pictures/PictureDecoder.h"

#include "pictures/PicturesLog.h"

#include <QFileInfo>
#include <QImageReader>

QSize fitInto(QSize picture, QSize box)
{
    if (picture.isEmpty() || box.isEmpty())
        return box;
    const qint64 w = picture.width();
    const qint64 h = picture.height();
    const qint64 boxW = box.width();
    const qint64 boxH = box.height();
    QSize fitted;
    if (w * boxH >= h * boxW)
        fitted = QSize(int(boxW), int(h * boxW / w));
    else
        fitted = QSize(int(w * boxH / h), int(boxH));
    return fitted.expandedTo(QSize(1, 1));
}

QByteArray decoderFor(const QString& fileName)
{
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return {};
    const QString extension = fileName.mid(dot + 1).toLower();
    if (extension == QLatin1String("jpg") || extension == QLatin1String("jpeg"))
        return "jpeg";
    if (extension == QLatin1String("png") || extension == QLatin1String("bmp") ||
        extension == QLatin1String("ico"))
        return extension.toLatin1();
    return {};
}

DecodedPicture decodePicture(const QString& path, QSize box, qreal devicePixelRatio)
{
    DecodedPicture result;
    const QFileInfo info(path);
    if (!info.exists()) {
        result.outcome = DecodedPicture::Outcome::Missing;
        return result;
    }
    const QByteArray format = decoderFor(info.fileName());
    if (format.isEmpty()) {
        result.error = QStringLiteral("no decoder for this kind of picture");
        return result;
    }
    // Only regular files: reading a pipe or a device named like a picture could block forever.
    if (!info.isFile()) {
        result.error = QStringLiteral("not a regular file");
        return result;
    }
    const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    const QSize target = (QSizeF(box) * ratio).toSize();

    QImageReader reader(path, format);
    reader.setAutoTransform(true);
    const QSize stored = reader.size();
    const bool turned = reader.transformation() & QImageIOHandler::TransformationRotate90;
    if (stored.isValid() && !stored.isEmpty()) {
        // The decoder scales before it turns the picture upright.
        const QSize upright = turned ? stored.transposed() : stored;
        const QSize fitted = fitInto(upright, target);
        reader.setScaledSize(turned ? fitted.transposed() : fitted);
    }
    QImage image = reader.read();
    if (image.isNull()) {
        result.error = reader.errorString();
        return result;
    }
    const QSize fitted = fitInto(image.size(), target);
    if (image.size() != fitted)
        image = image.scaled(fitted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    image.setDevicePixelRatio(ratio);
    result.outcome = DecodedPicture::Outcome::Loaded;
    result.image = std::move(image);
    return result;
}

namespace {

class DecodeWorker : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

signals:
    void decoded(quint64 request, const QString& path, int outcome, const QImage& image,
                 const QString& error);

public slots:
    void decode(quint64 request, const QString& path, QSize box, qreal devicePixelRatio)
    {
        const DecodedPicture picture = decodePicture(path, box, devicePixelRatio);
        if (picture.outcome == DecodedPicture::Outcome::Failed)
            qCDebug(lcPictures).noquote() << "cannot show" << path << "-" << picture.error;
        emit decoded(request, path, static_cast<int>(picture.outcome), picture.image,
                     picture.error);
    }
};

} // namespace

PictureDecoder::PictureDecoder(QObject* parent) : QObject(parent)
{
    m_thread.setObjectName(QStringLiteral("PictureDecoder"));
    auto* worker = new DecodeWorker;
    worker->moveToThread(&m_thread);
    connect(worker, &DecodeWorker::decoded, this, &PictureDecoder::decoded, Qt::QueuedConnection);
    m_worker = worker;
    m_thread.start(QThread::LowPriority);
}

PictureDecoder::~PictureDecoder()
{
    m_thread.quit();
    m_thread.wait();
    // The thread has ended, so nothing runs the worker any more.
    delete m_worker;
}

void PictureDecoder::request(quint64 request, const QString& path, QSize box,
                             qreal devicePixelRatio)
{
    QMetaObject::invokeMethod(
        m_worker,
        [worker = static_cast<DecodeWorker*>(m_worker), request, path, box, devicePixelRatio] {
            worker->decode(request, path, box, devicePixelRatio);
        },
        Qt::QueuedConnection);
}

#include "PictureDecoder.moc"
