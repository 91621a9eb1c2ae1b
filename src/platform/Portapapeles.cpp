#include "platform/Portapapeles.h"

#include <QClipboard>
#include <QGuiApplication>

#ifdef PALAVRIX_HAVE_XCB
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <xcb/xcb.h>
#endif

namespace portapapeles {

namespace {

#ifdef PALAVRIX_HAVE_XCB

using Reloj = std::chrono::steady_clock;

// One X connection for one question, closed whatever happens.
class ConexionX {
public:
    ConexionX() : c_(xcb_connect(nullptr, nullptr)) {}
    ~ConexionX() { xcb_disconnect(c_); }
    ConexionX(const ConexionX&) = delete;
    ConexionX& operator=(const ConexionX&) = delete;
    bool valida() const { return !xcb_connection_has_error(c_); }
    xcb_connection_t* get() const { return c_; }
    xcb_atom_t atomo(const char* nombre) {
        auto* r = xcb_intern_atom_reply(c_, xcb_intern_atom(c_, 0, static_cast<uint16_t>(strlen(nombre)), nombre),
                                        nullptr);
        const xcb_atom_t a = r ? r->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
        std::free(r);
        return a;
    }
    // The next event, waiting no later than `limite`; nullptr when the time is up or the
    // connection broke.
    xcb_generic_event_t* siguiente(Reloj::time_point limite) {
        for (;;) {
            if (auto* e = xcb_poll_for_event(c_)) return e;
            if (xcb_connection_has_error(c_)) return nullptr;
            const auto falta = std::chrono::duration_cast<std::chrono::milliseconds>(limite - Reloj::now());
            if (falta.count() <= 0) return nullptr;
            pollfd p{xcb_get_file_descriptor(c_), POLLIN, 0};
            ::poll(&p, 1, static_cast<int>(falta.count()));
        }
    }

private:
    xcb_connection_t* c_;
};

// Reads and deletes the property; its bytes, and its type through `tipo`.
QByteArray leerPropiedad(ConexionX& x, xcb_window_t ventana, xcb_atom_t propiedad, xcb_atom_t* tipo) {
    auto* r = xcb_get_property_reply(
        x.get(), xcb_get_property(x.get(), 1, ventana, propiedad, XCB_GET_PROPERTY_TYPE_ANY, 0, 0x1fffffff), nullptr);
    QByteArray datos;
    if (r) {
        *tipo = r->type;
        const int largo = xcb_get_property_value_length(r);
        datos = QByteArray(static_cast<const char*>(xcb_get_property_value(r)), largo);
        std::free(r);
    }
    xcb_flush(x.get());
    return datos;
}

std::optional<QString> textoX11(std::chrono::milliseconds espera) {
    const auto limite = Reloj::now() + espera;
    ConexionX x;
    if (!x.valida()) return std::nullopt;
    const xcb_atom_t clipboard = x.atomo("CLIPBOARD"), utf8 = x.atomo("UTF8_STRING"), incr = x.atomo("INCR"),
                     propiedad = x.atomo("PALAVRIX_PORTAPAPELES");
    {
        auto* r = xcb_get_selection_owner_reply(x.get(), xcb_get_selection_owner(x.get(), clipboard), nullptr);
        const bool sinDueno = !r || r->owner == XCB_NONE;
        std::free(r);
        if (sinDueno) return QString();
    }
    xcb_screen_t* pantalla = xcb_setup_roots_iterator(xcb_get_setup(x.get())).data;
    const xcb_window_t ventana = xcb_generate_id(x.get());
    const uint32_t eventos = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(x.get(), XCB_COPY_FROM_PARENT, ventana, pantalla->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &eventos);
    // UTF-8 first; an owner that only offers Latin-1 text (STRING) is asked again for that.
    xcb_atom_t formato = utf8;
    const auto decodificar = [&](const QByteArray& b) {
        return formato == utf8 ? QString::fromUtf8(b) : QString::fromLatin1(b);
    };
    xcb_convert_selection(x.get(), ventana, clipboard, formato, propiedad, XCB_CURRENT_TIME);
    xcb_flush(x.get());

    QByteArray texto;
    bool porPartes = false;
    while (auto* e = x.siguiente(limite)) {
        const uint8_t clase = e->response_type & 0x7f;
        if (clase == XCB_SELECTION_NOTIFY && !porPartes) {
            const auto* n = reinterpret_cast<xcb_selection_notify_event_t*>(e);
            const bool sinTexto = n->property == XCB_NONE;
            std::free(e);
            if (sinTexto && formato == utf8) {
                formato = XCB_ATOM_STRING;
                xcb_convert_selection(x.get(), ventana, clipboard, formato, propiedad, XCB_CURRENT_TIME);
                xcb_flush(x.get());
                continue;
            }
            if (sinTexto) return QString();
            xcb_atom_t tipo = XCB_ATOM_NONE;
            texto = leerPropiedad(x, ventana, propiedad, &tipo);
            // A long text comes in pieces: each new value of the property is one, an empty one
            // ends it.
            if (tipo != incr) return decodificar(texto);
            porPartes = true;
            texto.clear();
        } else if (clase == XCB_PROPERTY_NOTIFY && porPartes) {
            const auto* n = reinterpret_cast<xcb_property_notify_event_t*>(e);
            const bool nuevo = n->atom == propiedad && n->state == XCB_PROPERTY_NEW_VALUE;
            std::free(e);
            if (!nuevo) continue;
            xcb_atom_t tipo = XCB_ATOM_NONE;
            const QByteArray parte = leerPropiedad(x, ventana, propiedad, &tipo);
            if (parte.isEmpty()) return decodificar(texto);
            texto += parte;
        } else {
            std::free(e);
        }
    }
    return std::nullopt;
}

#endif

class Sistema : public Portapapeles {
public:
    std::optional<QString> Texto(std::chrono::milliseconds espera) override {
        QClipboard* c = QGuiApplication::clipboard();
#ifdef PALAVRIX_HAVE_XCB
        // What this program copied, Qt holds itself; asked through X, it would have to answer
        // while this very thread waits.
        if (QGuiApplication::platformName() == QLatin1String("xcb") && !c->ownsClipboard()) return textoX11(espera);
#else
        (void)espera;
#endif
        return c->text();
    }
};

std::shared_ptr<Portapapeles>& instalado() {
    static std::shared_ptr<Portapapeles> p;
    return p;
}

} // namespace

Portapapeles& Actual() {
    if (instalado()) return *instalado();
    static Sistema real;
    return real;
}

void Instalar(std::shared_ptr<Portapapeles> portapapeles) { instalado() = std::move(portapapeles); }

} // namespace portapapeles
