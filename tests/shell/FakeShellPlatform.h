#pragma once

#include "platform/Clock.h"
#include "platform/Notifier.h"
#include "platform/ScreenEdgeDock.h"
#include "platform/UrlOpener.h"
#include "shell/MainForm.h"

#include <QStringList>

// Records what the sidebar asked of the desktop.
struct FakeShellPlatform
{
    struct Dock : ScreenEdgeDock
    {
        bool available() const override { return true; }
        void prepare(QWidget*) override { calls << "prepare"; }
        void reserveRightEdge(QWidget*, const QRect& screen, int width) override
        {
            calls << QStringLiteral("reserve %1 of %2").arg(width).arg(screen.width());
        }
        void release(QWidget*) override { calls << "release"; }
        void keepAbove(QWidget*, bool above) override { calls << (above ? "above" : "normal"); }
        QStringList calls;
    };
    struct RecordingNotifier : Notifier
    {
        bool notify(const QString& title, const QString& text, int icon, int timeoutMs) override
        {
            shown << QStringLiteral("%1|%2|%3|%4").arg(title, text).arg(icon).arg(timeoutMs);
            return serviceRunning;
        }
        QStringList shown;
        bool serviceRunning = true;
    };
    struct Opener : UrlOpener
    {
        void open(const QString& address) override { opened << address; }
        QStringList opened;
    };
    struct FixedClock : Clock
    {
        QDateTime now() const override { return time; }
        QDateTime time = QDateTime(QDate(2026, 12, 11), QTime(9, 5));
    };

    // The results server takes any free port, so tests can run side by side.
    ShellPlatform platform() { return {&dock, &notifier, &opener, &clock, 0}; }

    Dock dock;
    RecordingNotifier notifier;
    Opener opener;
    FixedClock clock;
};
