#pragma once

#include <QRect>

class QWidget;

// Keeps a window at a screen edge: reserving a strip of the screen so that
// maximised windows stop beside it, and hiding it from taskbars and pagers.
class ScreenEdgeDock
{
public:
    virtual ~ScreenEdgeDock() = default;

    // False where the session offers no way to reserve screen space (no X11).
    virtual bool available() const = 0;
    // Once, after the native window exists and before it is first shown.
    virtual void prepare(QWidget* window) = 0;
    // Reserves width pixels along the right edge of screen, its full height.
    virtual void reserveRightEdge(QWidget* window, const QRect& screen, int width) = 0;
    // Gives the reserved strip back.
    virtual void release(QWidget* window) = 0;
    // Above normal windows, or in the normal stacking order.
    virtual void keepAbove(QWidget* window, bool above) = 0;
};

// EWMH over Qt's own xcb connection: a dock window with a partial strut.
class X11ScreenEdgeDock : public ScreenEdgeDock
{
public:
    X11ScreenEdgeDock();
    ~X11ScreenEdgeDock() override;
    bool available() const override;
    void prepare(QWidget* window) override;
    void reserveRightEdge(QWidget* window, const QRect& screen, int width) override;
    void release(QWidget* window) override;
    void keepAbove(QWidget* window, bool above) override;

private:
    struct Atoms;
    Atoms* m_atoms = nullptr;
};
