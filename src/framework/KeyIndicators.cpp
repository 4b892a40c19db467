#include "framework/KeyIndicators.h"

#include <QGuiApplication>

#ifdef VEX_HAVE_XKB
// The C header names a structure member "explicit", a keyword of C++.
#if defined(__clang__)
#pragma clang diagnostic push
#pragma clang diagnostic ignored "-Wkeyword-macro"
#endif
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit
#if defined(__clang__)
#pragma clang diagnostic pop
#endif

#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#endif

#ifdef VEX_HAVE_XKB
namespace {

// The indicators by the names the keyboard extension gives them; their bit positions depend on the
// keyboard description, the names do not.
constexpr std::array<const char*, 3> kIndicatorNames{"Caps Lock", "Num Lock", "Scroll Lock"};

std::array<xcb_atom_t, 3> IndicatorAtoms(xcb_connection_t* connection)
{
    // The display connection lives as long as the application, so the atoms are looked up once.
    static std::array<xcb_atom_t, 3> atoms{};
    static bool known = false;
    if (known) {
        return atoms;
    }
    std::array<xcb_intern_atom_cookie_t, 3> cookies{};
    for (std::size_t i = 0; i < kIndicatorNames.size(); ++i) {
        cookies[i] = xcb_intern_atom(
            connection, 0, static_cast<std::uint16_t>(std::strlen(kIndicatorNames[i])), kIndicatorNames[i]);
    }
    for (std::size_t i = 0; i < cookies.size(); ++i) {
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookies[i], nullptr);
        atoms[i] = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
        std::free(reply);
    }
    known = true;
    return atoms;
}

} // namespace
#endif

std::optional<SKeyLockStates> ReadKeyLockStates()
{
#ifdef VEX_HAVE_XKB
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (connection && !xcb_connection_has_error(connection)) {
        const std::array<xcb_atom_t, 3> atoms = IndicatorAtoms(connection);
        // All three questions go out before the first answer is awaited: one round trip.
        std::array<xcb_xkb_get_named_indicator_cookie_t, 3> cookies{};
        for (std::size_t i = 0; i < atoms.size(); ++i) {
            cookies[i] =
                xcb_xkb_get_named_indicator(connection, XCB_XKB_ID_USE_CORE_KBD,
                                            XCB_XKB_LED_CLASS_DFLT_XI_CLASS, XCB_XKB_ID_DFLT_XI_ID, atoms[i]);
        }
        std::array<bool, 3> on{};
        bool answered = true;
        for (std::size_t i = 0; i < cookies.size(); ++i) {
            xcb_xkb_get_named_indicator_reply_t* reply =
                xcb_xkb_get_named_indicator_reply(connection, cookies[i], nullptr);
            answered = answered && reply;
            // A keyboard without that indicator counts as unlocked.
            on[i] = reply && reply->found && reply->on;
            std::free(reply);
        }
        if (answered) {
            return SKeyLockStates{on[0], on[1], on[2]};
        }
    }
#endif
    // Wayland lets a client see the locked modifiers only as part of its own key events, and Qt
    // passes them on to nobody; offscreen there is no keyboard at all. The panes stay grey there.
    return std::nullopt;
}
