#include "platform/Clipboard.h"

#include "platform/Locator.h"

#include <QClipboard>
#include <QGuiApplication>

#ifdef PALAVRIX_HAVE_XCB
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <xcb/xcb.h>
#endif

namespace clipboard {

namespace {

#ifdef PALAVRIX_HAVE_XCB

using Clock = std::chrono::steady_clock;

// One X connection for one question, closed whatever happens.
class XConnection {
public:
    XConnection() : c_(xcb_connect(nullptr, nullptr)) {}
    ~XConnection() { xcb_disconnect(c_); }
    XConnection(const XConnection&) = delete;
    XConnection& operator=(const XConnection&) = delete;
    bool valid() const { return !xcb_connection_has_error(c_); }
    xcb_connection_t* get() const { return c_; }
    xcb_atom_t atom(const char* name) {
        auto* r = xcb_intern_atom_reply(c_, xcb_intern_atom(c_, 0, static_cast<uint16_t>(strlen(name)), name),
                                        nullptr);
        const xcb_atom_t a = r ? r->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
        std::free(r);
        return a;
    }
    // The next event, waiting no later than `deadline`; nullptr when the time is up or the
    // connection broke.
    xcb_generic_event_t* next(Clock::time_point deadline) {
        for (;;) {
            if (auto* e = xcb_poll_for_event(c_)) return e;
            if (xcb_connection_has_error(c_)) return nullptr;
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            if (left.count() <= 0) return nullptr;
            pollfd p{xcb_get_file_descriptor(c_), POLLIN, 0};
            ::poll(&p, 1, static_cast<int>(left.count()));
        }
    }

private:
    xcb_connection_t* c_;
};

// Reads and deletes the property; its bytes, and its type through `type`.
QByteArray takeProperty(XConnection& x, xcb_window_t window, xcb_atom_t property, xcb_atom_t* type) {
    auto* r = xcb_get_property_reply(
        x.get(), xcb_get_property(x.get(), 1, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 0x1fffffff),
        nullptr);
    QByteArray bytes;
    if (r) {
        *type = r->type;
        const int length = xcb_get_property_value_length(r);
        bytes = QByteArray(static_cast<const char*>(xcb_get_property_value(r)), length);
        std::free(r);
    }
    xcb_flush(x.get());
    return bytes;
}

std::optional<QString> x11Text(std::chrono::milliseconds wait) {
    const auto deadline = Clock::now() + wait;
    XConnection x;
    if (!x.valid()) return std::nullopt;
    const xcb_atom_t clipboard = x.atom("CLIPBOARD"), utf8 = x.atom("UTF8_STRING"), incr = x.atom("INCR"),
                     property = x.atom("PALAVRIX_PORTAPAPELES");
    {
        auto* r =
            xcb_get_selection_owner_reply(x.get(), xcb_get_selection_owner(x.get(), clipboard), nullptr);
        const bool noOwner = !r || r->owner == XCB_NONE;
        std::free(r);
        if (noOwner) return QString();
    }
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(x.get())).data;
    const xcb_window_t window = xcb_generate_id(x.get());
    const uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(x.get(), XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &events);
    // UTF-8 first; an owner that only offers Latin-1 text (STRING) is asked again for that.
    xcb_atom_t format = utf8;
    const auto decode = [&](const QByteArray& b) {
        return format == utf8 ? QString::fromUtf8(b) : QString::fromLatin1(b);
    };
    xcb_convert_selection(x.get(), window, clipboard, format, property, XCB_CURRENT_TIME);
    xcb_flush(x.get());

    QByteArray text;
    bool inPieces = false;
    while (auto* e = x.next(deadline)) {
        const uint8_t kind = e->response_type & 0x7f;
        if (kind == XCB_SELECTION_NOTIFY && !inPieces) {
            const auto* n = reinterpret_cast<xcb_selection_notify_event_t*>(e);
            const bool noText = n->property == XCB_NONE;
            std::free(e);
            if (noText && format == utf8) {
                format = XCB_ATOM_STRING;
                xcb_convert_selection(x.get(), window, clipboard, format, property, XCB_CURRENT_TIME);
                xcb_flush(x.get());
                continue;
            }
            if (noText) return QString();
            xcb_atom_t type = XCB_ATOM_NONE;
            text = takeProperty(x, window, property, &type);
            // A long text comes in pieces: each new value of the property is one, an empty one
            // ends it.
            if (type != incr) return decode(text);
            inPieces = true;
            text.clear();
        } else if (kind == XCB_PROPERTY_NOTIFY && inPieces) {
            const auto* n = reinterpret_cast<xcb_property_notify_event_t*>(e);
            const bool fresh = n->atom == property && n->state == XCB_PROPERTY_NEW_VALUE;
            std::free(e);
            if (!fresh) continue;
            xcb_atom_t type = XCB_ATOM_NONE;
            const QByteArray piece = takeProperty(x, window, property, &type);
            if (piece.isEmpty()) return decode(text);
            text += piece;
        } else {
            std::free(e);
        }
    }
    return std::nullopt;
}

#endif

class SystemClipboard : public Clipboard {
public:
    std::optional<QString> Text(std::chrono::milliseconds wait) override {
        QClipboard* c = QGuiApplication::clipboard();
#ifdef PALAVRIX_HAVE_XCB
        // What this program copied, Qt holds itself; asked through X, it would have to answer
        // while this very thread waits.
        if (QGuiApplication::platformName() == QLatin1String("xcb") && !c->ownsClipboard())
            return x11Text(wait);
#else
        (void)wait;
#endif
        return c->text();
    }
    // Qt replaces every format the clipboard held with the text alone.
    void SetText(const QString& text) override {
        QGuiApplication::clipboard()->setText(text);
    }
};

constinit platform::Locator<Clipboard> locator([]() -> std::shared_ptr<Clipboard> {
    return std::make_shared<SystemClipboard>();
});

} // namespace

Clipboard& Current() {
    return locator.Current();
}

void Install(std::shared_ptr<Clipboard> clipboard) {
    locator.Install(std::move(clipboard));
}

} // namespace clipboard
