// Draws the weather condition pictures shipped in data/Images/Weather: one
// 54x54 PNG per condition code 0..47 and "na.png". Simple placeholders built
// from a few shapes, with the code in a corner so that every picture differs.
// Usage: lf-weather-icons <output folder>

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kSize = 54;

enum Part : unsigned
{
    Sun = 1u << 0,
    Moon = 1u << 1,
    Cloud = 1u << 2,
    DarkCloud = 1u << 3,
    Rain = 1u << 4,
    Snow = 1u << 5,
    Lightning = 1u << 6,
    Fog = 1u << 7,
    Wind = 1u << 8,
    Hail = 1u << 9,
    Hot = 1u << 10,
    Cold = 1u << 11,
    Funnel = 1u << 12,
};

// The parts of each condition code, by the codes' usual meaning.
constexpr unsigned kParts[48] = {
    Funnel | DarkCloud,                 // 0 tornado
    DarkCloud | Rain | Wind,            // 1 tropical storm
    DarkCloud | Rain | Wind | Funnel,   // 2 hurricane
    DarkCloud | Lightning | Rain,       // 3 severe thunderstorms
    DarkCloud | Lightning,              // 4 thunderstorms
    Cloud | Rain | Snow,                // 5 rain and snow
    Cloud | Rain | Hail,                // 6 rain and sleet
    Cloud | Snow | Hail,                // 7 snow and sleet
    Cloud | Rain | Cold,                // 8 freezing drizzle
    Cloud | Rain,                       // 9 drizzle
    DarkCloud | Rain | Cold,            // 10 freezing rain
    DarkCloud | Rain,                   // 11 showers
    DarkCloud | Rain,                   // 12 showers
    Cloud | Snow,                       // 13 snow flurries
    Cloud | Snow,                       // 14 light snow
    Cloud | Snow | Wind,                // 15 blowing snow
    DarkCloud | Snow,                   // 16 snow
    DarkCloud | Hail,                   // 17 hail
    Cloud | Hail,                       // 18 sleet
    Fog | Sun,                          // 19 dust
    Fog,                                // 20 fog
    Fog | Sun,                          // 21 haze
    Fog | DarkCloud,                    // 22 smoke
    Wind | Cloud,                       // 23 blustery
    Wind,                               // 24 windy
    Cold,                               // 25 cold
    Cloud,                              // 26 cloudy
    Moon | DarkCloud,                   // 27 mostly cloudy, night
    Sun | DarkCloud,                    // 28 mostly cloudy, day
    Moon | Cloud,                       // 29 partly cloudy, night
    Sun | Cloud,                        // 30 partly cloudy, day
    Moon,                               // 31 clear, night
    Sun,                                // 32 sunny
    Moon,                               // 33 fair, night
    Sun,                                // 34 fair, day
    DarkCloud | Rain | Hail,            // 35 rain and hail
    Sun | Hot,                          // 36 hot
    Sun | Cloud | Lightning,            // 37 isolated thunderstorms
    Sun | DarkCloud | Lightning,        // 38 scattered thunderstorms
    Sun | Cloud | Rain,                 // 39 scattered showers
    DarkCloud | Rain | Wind,            // 40 heavy rain
    DarkCloud | Snow | Wind,            // 41 heavy snow
    Sun | Cloud | Snow,                 // 42 scattered snow
    DarkCloud | Snow | Cold,            // 43 heavy snow
    Sun | Cloud,                        // 44 partly cloudy
    DarkCloud | Rain | Lightning,       // 45 thundershowers
    Cloud | Snow | Rain,                // 46 snow showers
    Sun | DarkCloud | Rain | Lightning, // 47 isolated thundershowers
};

void drawSun(QPainter& p, QPointF centre, qreal radius)
{
    p.setPen(QPen(QColor(240, 170, 20), 2));
    for (int i = 0; i < 8; ++i) {
        p.save();
        p.translate(centre);
        p.rotate(i * 45);
        p.drawLine(QPointF(radius + 2, 0), QPointF(radius + 6, 0));
        p.restore();
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 200, 40));
    p.drawEllipse(centre, radius, radius);
}

void drawMoon(QPainter& p, QPointF centre, qreal radius)
{
    QPainterPath disc;
    disc.addEllipse(centre, radius, radius);
    QPainterPath bite;
    bite.addEllipse(centre + QPointF(radius * 0.6, -radius * 0.4), radius, radius);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(230, 225, 160));
    p.drawPath(disc.subtracted(bite));
}

void drawCloud(QPainter& p, QRectF box, const QColor& colour)
{
    const auto ellipse = [](QRectF rect) {
        QPainterPath path;
        path.addEllipse(rect);
        return path;
    };
    const QPainterPath cloud =
        ellipse(QRectF(box.left(), box.top() + box.height() * 0.35, box.width() * 0.45,
                       box.height() * 0.65))
            .united(ellipse(QRectF(box.left() + box.width() * 0.2, box.top(), box.width() * 0.5,
                                   box.height() * 0.8)))
            .united(ellipse(QRectF(box.left() + box.width() * 0.5, box.top() + box.height() * 0.25,
                                   box.width() * 0.5, box.height() * 0.75)));
    p.setPen(QPen(colour.darker(130), 1));
    p.setBrush(colour);
    p.drawPath(cloud);
}

void drawBelow(QPainter& p, unsigned parts)
{
    const qreal top = 36;
    if (parts & Rain) {
        p.setPen(QPen(QColor(40, 110, 220), 2));
        for (int x : {14, 24, 34})
            p.drawLine(QPointF(x, top), QPointF(x - 3, top + 8));
    }
    if (parts & Snow) {
        p.setPen(QPen(QColor(120, 170, 230), 1.5));
        for (int x : {19, 29, 39}) {
            p.drawLine(QPointF(x - 3, top + 4), QPointF(x + 3, top + 4));
            p.drawLine(QPointF(x, top + 1), QPointF(x, top + 7));
        }
    }
    if (parts & Hail) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(170, 200, 230));
        for (int x : {16, 28, 40})
            p.drawEllipse(QPointF(x, top + 9), 2.5, 2.5);
    }
    if (parts & Lightning) {
        QPolygonF bolt;
        bolt << QPointF(29, 30) << QPointF(22, 42) << QPointF(28, 42) << QPointF(24, 52)
             << QPointF(35, 38) << QPointF(29, 38) << QPointF(33, 30);
        p.setPen(QPen(QColor(200, 140, 0), 1));
        p.setBrush(QColor(255, 220, 0));
        p.drawPolygon(bolt);
    }
}

QImage drawIcon(int code)
{
    QImage image(kSize, kSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const unsigned parts = code >= 0 ? kParts[code] : 0u;
    const bool cloudy = parts & (Cloud | DarkCloud);
    if (parts & Sun)
        drawSun(p, cloudy ? QPointF(18, 16) : QPointF(27, 25), cloudy ? 8 : 11);
    if (parts & Moon)
        drawMoon(p, cloudy ? QPointF(18, 16) : QPointF(27, 25), cloudy ? 8 : 12);
    if (parts & Funnel) {
        QPolygonF funnel;
        funnel << QPointF(12, 18) << QPointF(42, 18) << QPointF(30, 48) << QPointF(26, 48);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(110, 110, 120));
        p.drawPolygon(funnel);
    }
    if (cloudy)
        drawCloud(p, QRectF(8, 14, 40, 22),
                  (parts & DarkCloud) ? QColor(140, 145, 160) : QColor(235, 238, 245));
    drawBelow(p, parts);
    if (parts & Fog) {
        p.setPen(QPen(QColor(150, 150, 150), 2));
        for (int y : {30, 36, 42})
            p.drawLine(QPointF(8, y), QPointF(46, y));
    }
    if (parts & Wind) {
        p.setPen(QPen(QColor(90, 140, 190), 2));
        for (int y : {22, 30, 38})
            p.drawLine(QPointF(6, y), QPointF(34 + (y % 3) * 4, y));
    }
    if (parts & (Hot | Cold)) {
        const QColor colour = (parts & Hot) ? QColor(220, 40, 30) : QColor(40, 120, 220);
        p.setPen(QPen(QColor(90, 90, 90), 1));
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(40, 8, 6, 28), 3, 3);
        p.setBrush(colour);
        p.drawEllipse(QPointF(43, 38), 5, 5);
        p.fillRect(QRectF(42, (parts & Hot) ? 14 : 28, 2, (parts & Hot) ? 22 : 8), colour);
    }
    if (code < 0) {
        p.setPen(QPen(QColor(150, 150, 150), 2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(27, 25), 15, 15);
    }
    // The code (or "n/a") in a corner keeps every picture distinct.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(9);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(60, 60, 60));
    const QString label = code >= 0 ? QString::number(code) : QStringLiteral("n/a");
    p.drawText(QRectF(0, 0, kSize - 1, kSize - 1),
               code >= 0 ? (Qt::AlignRight | Qt::AlignBottom) : Qt::AlignCenter, label);
    return image;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: lf-weather-icons <output folder>\n");
        return EXIT_FAILURE;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral(".")))
        return EXIT_FAILURE;
    for (int code = -1; code < 48; ++code) {
        const QString name = code >= 0 ? QString::number(code) : QStringLiteral("na");
        if (!drawIcon(code).save(folder.filePath(name + QStringLiteral(".png")), "PNG", 9)) {
            std::fprintf(stderr, "cannot write %s.png\n", qPrintable(name));
            return EXIT_FAILURE;
        }
    }
    return EXIT_SUCCESS;
}
