// SPDX-License-Identifier: GPL-3.0-or-later
// On X11, a window manager names itself on the root window (_NET_SUPPORTING_WM_CHECK); Wayland
// compositors place every window themselves.
#include "windowmanager.h"

#include <QGuiApplication>

#include <cstdlib>
#include <memory>
#include <string_view>
#include <xcb/xcb.h>

namespace {

struct FreeReply
{
    void operator()(void *reply) const { std::free(reply); }
};

xcb_atom_t ExistingAtom(xcb_connection_t *connection, std::string_view name)
{
    const std::unique_ptr<xcb_intern_atom_reply_t, FreeReply> reply(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 1, uint16_t(name.size()), name.data()), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// The window a window's property of type WINDOW names, or none.
xcb_window_t WindowProperty(xcb_connection_t *connection, xcb_window_t window, xcb_atom_t property)
{
    const std::unique_ptr<xcb_get_property_reply_t, FreeReply> reply(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, property, XCB_ATOM_WINDOW, 0, 1),
        nullptr));
    if (!reply || reply->type != XCB_ATOM_WINDOW || reply->format != 32 ||
        xcb_get_property_value_length(reply.get()) < int(sizeof(xcb_window_t)))
        return XCB_WINDOW_NONE;
    return *static_cast<const xcb_window_t *>(xcb_get_property_value(reply.get()));
}

// Whether a window manager runs on the application's X server: the root window's
// _NET_SUPPORTING_WM_CHECK names a window that names itself.
bool X11WindowManagerRunning()
{
    const auto *x11 =
        qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return false;
    const xcb_atom_t check = ExistingAtom(connection, "_NET_SUPPORTING_WM_CHECK");
    if (check == XCB_ATOM_NONE)
        return false;
    // The first screen's root: the program's windows are on it.
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    // A window manager that ended leaves the property behind, naming a window that is gone.
    const xcb_window_t wm = WindowProperty(connection, root, check);
    return wm != XCB_WINDOW_NONE && WindowProperty(connection, wm, check) == wm;
}

} // namespace

bool ProgramPlacesFullScreenWindow()
{
    return QGuiApplication::platformName() == u"xcb" && !X11WindowManagerRunning();
}
