#include "pictures/PictureDecoder.h"

#include "tests/support/TestSupport.h"

#include <QColor>
#include <QFile>
#include <QImage>
#include <QImageWriter>

#include <gtest/gtest.h>

namespace {

TEST(PictureDecoderTest, FitKeepsTheRatioAndCutsToWholePixels)
{
    const QSize box(150, 114);
    const struct
    {
        QSize picture;
        QSize fitted;
    } cases[] = {
        {{300, 228}, {150, 114}},                            // same ratio, down
        {{30, 10}, {150, 50}},                               // wide, scaled up
        {{10, 30}, {38, 114}},                               // tall: 10 * 114 / 30 = 38
        {{999, 1000}, {113, 114}},                           // 999 * 114 / 1000 = 113.886, cut
        {{8000, 6000}, {150, 112}}, {{100000, 1}, {150, 1}}, // never below one pixel
    };
    for (const auto& c : cases)
        EXPECT_EQ(fitInto(c.picture, box), c.fitted)
            << c.picture.width() << "x" << c.picture.height();
}

TEST(PictureDecoderTest, DecoderChosenByExtensionAlone)
{
    const struct
    {
        const char* name;
        const char* decoder;
    } cases[] = {{"PHOTO.JPG", "jpeg"}, {"scan.Jpeg", "jpeg"}, {"logo.png", "png"},
                 {"a.BMP", "bmp"},      {"fav.ico", "ico"},    {"clip.wmf", ""},
                 {"chart.emf", ""},     {"holidayjpg", ""},    {"x.jpg.gif", ""}};
    for (const auto& c : cases)
        EXPECT_EQ(decoderFor(QString::fromLatin1(c.name)), QByteArray(c.decoder)) << c.name;
}

class DecodeTest : public ::testing::Test
{
protected:
    QString save(const QString& name, QSize size, const char* format)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(QColor(200, 40, 40));
        const QString path = m_folder.filePath(name);
        EXPECT_TRUE(image.save(path, format)) << name.toStdString();
        return path;
    }
    TestFolder m_folder;
};

TEST_F(DecodeTest, LoadsScaledToFitTheBox)
{
    const struct
    {
        const char* name;
        QSize size;
        const char* format;
        QSize shown;
    } cases[] = {
        {"big.jpg", {4000, 3000}, "jpeg", {150, 112}},
        {"small.PNG", {30, 10}, "png", {150, 50}},
        {"tall.bmp", {10, 30}, "bmp", {38, 114}},
    };
    for (const auto& c : cases) {
        const DecodedPicture picture =
            decodePicture(save(c.name, c.size, c.format), QSize(150, 114), 1.0);
        ASSERT_EQ(picture.outcome, DecodedPicture::Outcome::Loaded) << c.name;
        EXPECT_EQ(picture.image.size(), c.shown) << c.name;
        EXPECT_EQ(QColor(picture.image.pixel(5, 5)).red() > 150, true) << c.name;
    }
    // At a device pixel ratio of 2 the picture has twice the pixels.
    const DecodedPicture sharp = decodePicture(m_folder.filePath("big.jpg"), {150, 114}, 2.0);
    EXPECT_EQ(sharp.image.size(), QSize(300, 225));
    EXPECT_EQ(sharp.image.devicePixelRatio(), 2.0);
}

TEST_F(DecodeTest, BrokenMissingAndUndecodableFilesFail)
{
    const QString realJpeg = save("holiday.jpg", {40, 30}, "jpeg");
    ASSERT_TRUE(QFile::copy(realJpeg, m_folder.filePath("holidayjpg")));
    m_folder.write("clip.wmf", "not a metafile decoder here");
    m_folder.write("broken.jpg", "\xff\xd8\xff garbage");
    m_folder.write("empty.png", "");
    ASSERT_TRUE(QFile::rename(save("png-inside.png", {20, 20}, "png"),
                              m_folder.filePath("png-inside.jpg")));
    for (const char* name : {"holidayjpg", "clip.wmf", "broken.jpg", "empty.png", "png-inside.jpg"})
        EXPECT_EQ(decodePicture(m_folder.filePath(name), {150, 114}, 1.0).outcome,
                  DecodedPicture::Outcome::Failed)
            << name;
    EXPECT_EQ(decodePicture(m_folder.filePath("gone.jpg"), {150, 114}, 1.0).outcome,
              DecodedPicture::Outcome::Missing);
    // A folder named like a picture is no picture.
    QDir(m_folder.path()).mkdir("folder.jpg");
    EXPECT_EQ(decodePicture(m_folder.filePath("folder.jpg"), {150, 114}, 1.0).outcome,
              DecodedPicture::Outcome::Failed);
}

} // namespace
