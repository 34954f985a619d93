#include "platform/ScreenEdgeDock.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>
#include <xcb/xcb_ewmh.h>

struct X11ScreenEdgeDock::Atoms
{
    xcb_connection_t* connection = nullptr;
    xcb_ewmh_connection_t ewmh = {};
};

namespace {

xcb_connection_t* qtConnection()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    // Under the offscreen platform the interface exists but has no connection.
    return x11 ? x11->connection() : nullptr;
}

xcb_window_t windowOf(QWidget* window)
{
    return static_cast<xcb_window_t>(window->winId());
}

} // namespace

X11ScreenEdgeDock::X11ScreenEdgeDock()
{
    xcb_connection_t* connection = qtConnection();
    if (!connection)
        return;
    m_atoms = new Atoms;
    m_atoms->connection = connection;
    xcb_intern_atom_cookie_t* cookies = xcb_ewmh_init_atoms(connection, &m_atoms->ewmh);
    if (!xcb_ewmh_init_atoms_replies(&m_atoms->ewmh, cookies, nullptr)) {
        delete m_atoms;
        m_atoms = nullptr;
    }
}

X11ScreenEdgeDock::~X11ScreenEdgeDock()
{
    if (m_atoms) {
        xcb_ewmh_connection_wipe(&m_atoms->ewmh);
        delete m_atoms;
    }
}

bool X11ScreenEdgeDock::available() const
{
    return m_atoms != nullptr;
}

void X11ScreenEdgeDock::prepare(QWidget* window)
{
    if (!m_atoms)
        return;
    const xcb_window_t id = windowOf(window);
    xcb_atom_t type = m_atoms->ewmh._NET_WM_WINDOW_TYPE_DOCK;
    xcb_ewmh_set_wm_window_type(&m_atoms->ewmh, id, 1, &type);
    xcb_atom_t states[] = {m_atoms->ewmh._NET_WM_STATE_SKIP_TASKBAR,
                           m_atoms->ewmh._NET_WM_STATE_SKIP_PAGER};
    xcb_ewmh_set_wm_state(&m_atoms->ewmh, id, 2, states);
    // On every desktop.
    xcb_ewmh_set_wm_desktop(&m_atoms->ewmh, id, 0xFFFFFFFF);
    xcb_flush(m_atoms->connection);
}

void X11ScreenEdgeDock::reserveRightEdge(QWidget* window, const QRect& screen, int width)
{
    if (!m_atoms)
        return;
    const xcb_window_t id = windowOf(window);
    // Struts count physical pixels from the root window's edges.
    const qreal ratio = window->devicePixelRatioF();
    const auto pixels = [ratio](int value) {
        return static_cast<uint32_t>(value * ratio + 0.5);
    };
    xcb_ewmh_wm_strut_partial_t strut = {};
    strut.right = pixels(width);
    strut.right_start_y = pixels(screen.top());
    strut.right_end_y = pixels(screen.top() + screen.height()) - 1;
    xcb_ewmh_set_wm_strut_partial(&m_atoms->ewmh, id, strut);
    xcb_ewmh_set_wm_strut(&m_atoms->ewmh, id, 0, strut.right, 0, 0);
    xcb_flush(m_atoms->connection);
}

void X11ScreenEdgeDock::release(QWidget* window)
{
    if (!m_atoms)
        return;
    const xcb_window_t id = windowOf(window);
    xcb_ewmh_wm_strut_partial_t none = {};
    xcb_ewmh_set_wm_strut_partial(&m_atoms->ewmh, id, none);
    xcb_ewmh_set_wm_strut(&m_atoms->ewmh, id, 0, 0, 0, 0);
    xcb_flush(m_atoms->connection);
}

void X11ScreenEdgeDock::keepAbove(QWidget* window, bool above)
{
    // Through the toolkit's window, which tells the window manager when the
    // window is mapped and sets the initial state when it is not yet.
    if (QWindow* handle = window->windowHandle())
        handle->setFlag(Qt::WindowStaysOnTopHint, above);
}
