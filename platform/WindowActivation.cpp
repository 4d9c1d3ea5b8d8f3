#include "platform/WindowActivation.h"

#include <QGuiApplication>
#include <QRegularExpression>
#include <QWidget>

#include <xcb/xcb.h>

#include <cstring>

namespace quillora {

namespace {

xcb_atom_t atom(xcb_connection_t* connection, const char* name)
{
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, uint16_t(std::strlen(name)), name), nullptr);
    const xcb_atom_t result = reply ? reply->atom : XCB_ATOM_NONE;
    std::free(reply);
    return result;
}

// The moment of the click that started the later start, which the startup
// id carries as "_TIME<n>"; the current time where it does not.
uint32_t clickTime(const QByteArray& startupId)
{
    const QRegularExpressionMatch time = QRegularExpression(QStringLiteral("_TIME(\\d+)$")).match(QString::fromLatin1(startupId));
    return time.hasMatch() ? time.captured(1).toUInt() : XCB_CURRENT_TIME;
}

// Tells the launcher that the start it announced is over, so its busy cursor
// stops: a "remove" message of the startup notification protocol, sent to
// the root window in pieces of 20 bytes.
void endStartupNotice(xcb_connection_t* connection, xcb_window_t root, xcb_window_t from, const QByteArray& startupId)
{
    QByteArray id = startupId;
    id.replace('\\', "\\\\").replace('"', "\\\"");
    const QByteArray message = "remove: ID=\"" + id + '"' + '\0';
    const xcb_atom_t begin = atom(connection, "_NET_STARTUP_INFO_BEGIN");
    const xcb_atom_t more = atom(connection, "_NET_STARTUP_INFO");
    for (qsizetype at = 0; at < message.size(); at += 20) {
        xcb_client_message_event_t event{};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 8;
        event.window = from;
        event.type = at == 0 ? begin : more;
        std::memcpy(event.data.data8, message.constData() + at, size_t(std::min<qsizetype>(20, message.size() - at)));
        xcb_send_event(connection, 0, root, XCB_EVENT_MASK_PROPERTY_CHANGE, reinterpret_cast<const char*>(&event));
    }
}

// Qt asks an X11 window manager for the focus as an application, which most
// refuse to a window in the background; asking as the user's own tool (a
// pager) with the click's time is what they grant.
void askX11WindowManager(QWidget& window, const QByteArray& startupId)
{
    // Other platforms (Wayland, offscreen) have no X11 connection, or one
    // that is not the window's.
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const auto own = xcb_window_t(window.winId());

    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = own;
    event.type = atom(connection, "_NET_ACTIVE_WINDOW");
    event.data.data32[0] = 2; // source: a pager
    event.data.data32[1] = clickTime(startupId);
    xcb_send_event(connection, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&event));
    if (!startupId.isEmpty())
        endStartupNotice(connection, root, own, startupId);
    xcb_flush(connection);
}

} // namespace

void bringToFront(QWidget& window, const ActivationRequest& request)
{
    // Qt's Wayland plugin takes the activation token from the environment
    // when the window asks for the focus.
    if (!request.activationToken.isEmpty())
        qputenv("XDG_ACTIVATION_TOKEN", request.activationToken);
    window.setWindowState((window.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window.show();
    window.raise();
    window.activateWindow();
    askX11WindowManager(window, request.startupId);
}

} // namespace quillora
