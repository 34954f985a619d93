#include "pictures/Slideshow.h"

#include "app/LFGlobals.h"
#include "pictures/PicThread.h"
#include "platform/UserFolders.h"
#include "shell/MainForm.h"
#include "shell/SidebarServices.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QColor>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTimer>

#include <gtest/gtest.h>
#include <memory>
#include <ostream>

void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

constexpr int kBound = 10000; // ms; a bound on waits, never a pace

class RecordingServices : public SidebarServices
{
public:
    void ShowBaloon(const QString&, const QString&, int, int) override {}
    void OpenURL(const QString& address) override { opened << address; }
    QStringList opened;
};

class FixedFolders : public UserFolders
{
public:
    explicit FixedFolders(QString folder) : m_folder(std::move(folder)) {}
    QString picturesFolder() const override
    {
        if (gate)
            gate->acquire();
        return m_folder;
    }
    // When set, the scan waits here until the test lets it go.
    QSemaphore* gate = nullptr;

private:
    QString m_folder;
};

class SlideshowTest : public QObject, public ::testing::Test
{
protected:
    SlideshowTest()
    {
        m_picture = new QLabel(&m_sidebar);
        m_picture->setObjectName("PIC");
        m_picture->setGeometry(34, 17, 150, 114);
        m_status = new QLabel("Scaning My Pictures Folder...", &m_sidebar);
        m_status->setObjectName("PICLabel");
    }

    Slideshow& start()
    {
        m_show = std::make_unique<Slideshow>(m_sidebar, m_files, m_index, m_services, m_folders);
        return *m_show;
    }
    QTimer* timer(const char* name) { return m_sidebar.findChild<QTimer*>(name); }
    // The test drives the ticks itself: notes how the show armed its timer, then stops it.
    QString takeOverShowTimer()
    {
        QTimer* show = timer("ShowPicsTimer");
        const QString state = QString::number(show->interval()) + (show->isActive() ? "" : " off");
        show->stop();
        return state;
    }

    QString picture(const QString& name, QColor colour = Qt::red, QSize size = {300, 200})
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        const QString path = m_folder.filePath(name);
        QDir().mkpath(QFileInfo(path).path());
        EXPECT_TRUE(image.save(path, name.endsWith("png") ? "png" : "jpeg"));
        return path;
    }

    // Runs one tick and waits for its answer, and for nothing else, so that
    // no timer of the show fires meanwhile. Returns which answer came.
    QString tick()
    {
        m_show->ShowPicsTimerTimer();
        if (m_files.isEmpty())
            return "none";
        QString answer = "no answer";
        QEventLoop loop;
        const auto answerWith = [&](const char* what) {
            return [&, what](const QString& path) {
                answer = QString::fromLatin1(what) + " " + QFileInfo(path).fileName();
                loop.quit();
            };
        };
        connect(m_show.get(), &Slideshow::pictureShown, &loop, answerWith("shown"));
        connect(m_show.get(), &Slideshow::pictureMissing, &loop, answerWith("missing"));
        connect(m_show.get(), &Slideshow::pictureFailed, &loop, answerWith("failed"));
        QTimer::singleShot(kBound, &loop, &QEventLoop::quit);
        loop.exec();
        return answer;
    }

    TestFolder m_folder;
    QWidget m_sidebar;
    QLabel* m_picture = nullptr;
    QLabel* m_status = nullptr;
    QStringList m_files;
    int m_index = 0;
    RecordingServices m_services;
    FixedFolders m_folders{m_folder.filePath("Pictures")};
    std::unique_ptr<Slideshow> m_show;
};

TEST_F(SlideshowTest, ScanOneSecondAfterStartThenShowEveryTenSeconds)
{
    picture("Pictures/a.jpg");
    picture("Pictures/sub/b.png");
    m_folder.write("Pictures/notes.txt", "x");
    start();
    ASSERT_NE(timer("LoadPicsTimer"), nullptr);
    EXPECT_TRUE(timer("LoadPicsTimer")->isActive());
    EXPECT_TRUE(timer("LoadPicsTimer")->isSingleShot());
    EXPECT_EQ(timer("LoadPicsTimer")->interval(), 1000);
    ASSERT_NE(timer("ShowPicsTimer"), nullptr);
    EXPECT_FALSE(timer("ShowPicsTimer")->isActive());

    QSignalSpy published(m_show.get(), &Slideshow::picturesPublished);
    m_show->LoadPicsTimerTimer();
    EXPECT_FALSE(timer("LoadPicsTimer")->isActive());
    ASSERT_TRUE(published.wait(kBound));
    m_files.sort();
    EXPECT_EQ(m_files, QStringList({m_folder.filePath("Pictures/a.jpg"),
                                    m_folder.filePath("Pictures/sub/b.png")}));
    EXPECT_TRUE(timer("ShowPicsTimer")->isActive());
    EXPECT_EQ(timer("ShowPicsTimer")->interval(), 10000);
    EXPECT_EQ(m_status->text(), "Scaning My Pictures Folder...");
}

TEST_F(SlideshowTest, ShowsInTurnStartingWithTheSecondAndOpensThePictureOnShow)
{
    start().PublishPictures(
        {picture("A.jpg"), picture("B.png", Qt::green, {30, 10}), picture("C.jpg", Qt::blue)});
    m_services.opened.clear();
    QStringList shown;
    for (int i = 0; i < 4; ++i)
        shown << tick();
    EXPECT_EQ(shown, QStringList({"shown B.png", "shown C.jpg", "shown A.jpg", "shown B.png"}));
    EXPECT_EQ(m_status->text(), "");
    EXPECT_EQ(m_picture->pixmap().size(), QSize(150, 50)); // B scaled up to fit, ratio kept
    EXPECT_EQ(timer("ShowPicsTimer")->interval(), 10000);

    // A click on the picture box, even through the status label's area, opens B.
    const QPoint middle = m_picture->rect().center();
    QMouseEvent release(QEvent::MouseButtonRelease, middle, m_picture->mapToGlobal(middle),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(m_picture, &release);
    EXPECT_EQ(m_services.opened, QStringList{m_folder.filePath("B.png")});
    EXPECT_TRUE(m_status->testAttribute(Qt::WA_TransparentForMouseEvents));
}

TEST_F(SlideshowTest, SinglePictureIsShownAtEveryTick)
{
    start().PublishPictures({picture("only.jpg")});
    EXPECT_EQ(tick(), "shown only.jpg");
    EXPECT_EQ(tick(), "shown only.jpg");
}

TEST_F(SlideshowTest, EmptyFolderSaysNoPicturesAndClicksDoNothing)
{
    QDir().mkpath(m_folder.filePath("Pictures"));
    start();
    m_show->PICClick(); // before the scan ends
    QSignalSpy published(m_show.get(), &Slideshow::picturesPublished);
    m_show->LoadPicsTimerTimer();
    ASSERT_TRUE(published.wait(kBound));
    EXPECT_EQ(tick(), "none");
    EXPECT_EQ(m_status->text(), "No Pictures...");
    m_show->PICClick();
    EXPECT_TRUE(m_services.opened.isEmpty());
}

TEST_F(SlideshowTest, RemovedFileKeepsThePictureOnShowForItsTurn)
{
    start().PublishPictures({picture("A.jpg"), picture("B.jpg"), picture("C.jpg")});
    ASSERT_EQ(tick(), "shown B.jpg");
    const QPixmap onShow = m_picture->pixmap();
    QFile::remove(m_folder.filePath("C.jpg"));
    EXPECT_EQ(tick(), "missing C.jpg");
    EXPECT_EQ(m_picture->pixmap().cacheKey(), onShow.cacheKey());
    EXPECT_EQ(timer("ShowPicsTimer")->interval(), 10000);
    EXPECT_EQ(tick(), "shown A.jpg");
}

TEST_F(SlideshowTest, FailingPictureIsSkippedAfterTenMilliseconds)
{
    QFile::copy(picture("real.jpg"), m_folder.filePath("holidayjpg"));
    start().PublishPictures(
        {m_folder.filePath("real.jpg"), m_folder.filePath("holidayjpg"), picture("next.jpg")});
    takeOverShowTimer();
    EXPECT_EQ(tick(), "failed holidayjpg");
    EXPECT_EQ(takeOverShowTimer(), "10");
    EXPECT_EQ(tick(), "shown next.jpg");
    EXPECT_EQ(takeOverShowTimer(), "10000 off");
}

TEST_F(SlideshowTest, WhenEveryPictureFailsOneRoundIsQuickThenTheNormalPace)
{
    m_folder.write("a.wmf", "metafile");
    m_folder.write("b.jpg", "not a jpeg");
    m_folder.write("c.emf", "metafile");
    start().PublishPictures(
        {m_folder.filePath("a.wmf"), m_folder.filePath("b.jpg"), m_folder.filePath("c.emf")});
    takeOverShowTimer();
    QStringList answers;
    for (int i = 0; i < 4; ++i) {
        const QString answer = tick();
        answers << answer + ", then " + takeOverShowTimer();
    }
    // Every picture failed in turn: no spinning through the list every 10 ms.
    EXPECT_EQ(answers,
              QStringList({"failed b.jpg, then 10", "failed c.emf, then 10",
                           "failed a.wmf, then 10000 off", "failed b.jpg, then 10000 off"}));
    EXPECT_TRUE(m_picture->pixmap().isNull());
}

TEST_F(SlideshowTest, ExitDuringTheScanOfALargeTreeLeavesTheListAlone)
{
    for (int folder = 0; folder < 150; ++folder) {
        const QString name = QStringLiteral("Pictures/f%1/").arg(folder);
        QDir().mkpath(m_folder.filePath(name));
        for (int file = 0; file < 20; ++file)
            m_folder.write(name + QStringLiteral("p%1.jpg").arg(file), QByteArray());
    }
    start().LoadPicsTimerTimer();
    m_show.reset(); // the exit: cancels and waits, no hand-over
    EXPECT_TRUE(m_files.isEmpty());
}

TEST_F(SlideshowTest, ExitWhileTheScanWaitsInItsHandOverDoesNotHang)
{
    picture("Pictures/a.jpg");
    QSemaphore gate;
    m_folders.gate = &gate;
    start().LoadPicsTimerTimer();
    QSemaphore atHandOver;
    // No context object: the slot runs on the scanning thread, right where it signals.
    QObject::connect(m_show->scanner(), &PicThread::handOverStarting,
                     [&atHandOver] { atHandOver.release(); });
    gate.release();
    // This thread runs no events meanwhile, so the scan ends up blocked in its hand-over.
    ASSERT_TRUE(atHandOver.tryAcquire(1, kBound));
    m_show->stop();
    EXPECT_EQ(m_show->scanner(), nullptr);
    QApplication::processEvents();
    EXPECT_TRUE(m_files.isEmpty());
}

TEST_F(SlideshowTest, RunsOnTheSidebarsOwnPanel)
{
    m_folder.write("Temp.ini", {});
    LFGlobals globals;
    FakeSystemInfo system(m_folder.filePath("lanternfly-desktop"));
    MainForm sidebar(globals, system, m_folder.filePath("lanternfly-desktop.INI"));
    auto* status = sidebar.findChild<QLabel*>("PICLabel");
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->text(), "Scaning My Pictures Folder...");
    Slideshow show(sidebar, sidebar.pictureFiles(), globals.PictureIndex, sidebar, m_folders);
    show.PublishPictures({picture("A.jpg"), picture("B.jpg", Qt::darkCyan, {1600, 1200})});
    QSignalSpy shown(&show, &Slideshow::pictureShown);
    show.ShowPicsTimerTimer();
    ASSERT_TRUE(shown.wait(kBound));
    EXPECT_EQ(globals.PictureIndex, 1);
    EXPECT_EQ(sidebar.findChild<QLabel*>("PIC")->pixmap().size(), QSize(150, 112));
    EXPECT_EQ(status->text(), "");
    EXPECT_NE(sidebar.findChild<QTimer*>("ShowPicsTimer"), nullptr);
    // A screenshot of the lower panels when asked for: LF_SCREENSHOT=/path/to.png
    if (const QString path = qEnvironmentVariable("LF_SCREENSHOT"); !path.isEmpty()) {
        sidebar.resize(217, 900);
        sidebar.show();
        QApplication::processEvents();
        QWidget* note = sidebar.findChild<QWidget*>("NodePanel");
        QWidget* pictures = sidebar.findChild<QWidget*>("PicPanel");
        sidebar.grab(QRect(0, note->y(), 217, note->height() + pictures->height())).save(path);
    }
    show.stop();
    sidebar.FormDestroy();
}

} // namespace
