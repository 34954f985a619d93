#pragma once

#include <QImage>
#include <QObject>
#include <QSize>
#include <QString>
#include <QThread>

// The largest size with picture's width-to-height ratio that fits box, cut to
// whole pixels (at least one pixel each way).
QSize fitInto(QSize picture, QSize box);

// The decoder a picture file gets, chosen by its lower-cased extension alone:
// "jpeg", "png", "bmp" or "ico"; empty when there is none (metafiles, a name
// that merely ends in "jpg").
QByteArray decoderFor(const QString& fileName);

struct DecodedPicture
{
    enum class Outcome
    {
        Loaded,
        Missing,
        Failed
    };
    Outcome outcome = Outcome::Failed;
    // Scaled to fit the box at the device pixel ratio; null unless Loaded.
    QImage image;
    QString error;
};

// Reads path and scales it, smoothly, to fit box. Large JPEGs are decoded
// straight at a reduced size, so a huge photo costs little time and memory.
DecodedPicture decodePicture(const QString& path, QSize box, qreal devicePixelRatio);

// Decodes pictures one at a time on a thread of its own and reports each
// result on the thread that created it.
class PictureDecoder : public QObject
{
    Q_OBJECT
public:
    explicit PictureDecoder(QObject* parent = nullptr);
    ~PictureDecoder() override;

    // Queues a decode; the answer is decoded(request, ...).
    void request(quint64 request, const QString& path, QSize box, qreal devicePixelRatio);

signals:
    void decoded(quint64 request, const QString& path, int outcome, const QImage& image,
                 const QString& error);

private:
    QThread m_thread;
    QObject* m_worker = nullptr;
};
