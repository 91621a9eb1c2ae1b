// The real clipboard on a real X display, where it belongs to another program that may or may
// not answer, seen through the translator's "Pegar" and "Copiar".
#include "platform/Clipboard.h"
#include "VentanasPrueba.h"
#include "translator/frmTraductor.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <atomic>
#include <cstring>
#include <poll.h>
#include <thread>
#include <xcb/xcb.h>

namespace {

xcb_atom_t Atomo(xcb_connection_t* c, const char* nombre) {
    auto* r = xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(nombre)), nombre), nullptr);
    const xcb_atom_t a = r ? r->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
    free(r);
    return a;
}

// Another program that takes the clipboard and, when asked for its text, answers with `texto`
// from a thread of its own, or never answers at all.
class OtroPrograma {
public:
    OtroPrograma(const QByteArray& texto, bool responde, bool soloLatin1 = false)
        : texto_(texto), soloLatin1_(soloLatin1) {
        c_ = xcb_connect(nullptr, nullptr);
        xcb_screen_t* s = xcb_setup_roots_iterator(xcb_get_setup(c_)).data;
        w_ = xcb_generate_id(c_);
        xcb_create_window(c_, XCB_COPY_FROM_PARENT, w_, s->root, 0, 0, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY,
                          XCB_COPY_FROM_PARENT, 0, nullptr);
        clipboard_ = Atomo(c_, "CLIPBOARD");
        utf8_ = Atomo(c_, "UTF8_STRING");
        xcb_set_selection_owner(c_, w_, clipboard_, XCB_CURRENT_TIME);
        auto* r = xcb_get_selection_owner_reply(c_, xcb_get_selection_owner(c_, clipboard_), nullptr);
        dueno_ = r && r->owner == w_;
        free(r);
        if (responde) hilo_ = std::thread([this] { Atender(); });
    }
    ~OtroPrograma() {
        fin_ = true;
        if (hilo_.joinable()) hilo_.join();
        xcb_disconnect(c_);
    }
    bool Dueno() const { return dueno_; }

private:
    void Atender() {
        while (!fin_) {
            pollfd p{xcb_get_file_descriptor(c_), POLLIN, 0};
            ::poll(&p, 1, 50);
            while (auto* e = xcb_poll_for_event(c_)) {
                if ((e->response_type & 0x7f) == XCB_SELECTION_REQUEST) {
                    const auto* pedido = reinterpret_cast<xcb_selection_request_event_t*>(e);
                    xcb_selection_notify_event_t aviso{};
                    aviso.response_type = XCB_SELECTION_NOTIFY;
                    aviso.time = pedido->time;
                    aviso.requestor = pedido->requestor;
                    aviso.selection = pedido->selection;
                    aviso.target = pedido->target;
                    aviso.property = XCB_NONE;
                    const xcb_atom_t formato = soloLatin1_ ? static_cast<xcb_atom_t>(XCB_ATOM_STRING) : utf8_;
                    if (pedido->target == formato) {
                        xcb_change_property(c_, XCB_PROP_MODE_REPLACE, pedido->requestor, pedido->property,
                                            formato, 8, static_cast<uint32_t>(texto_.size()),
                                            texto_.constData());
                        aviso.property = pedido->property;
                    }
                    xcb_send_event(c_, 0, pedido->requestor, XCB_EVENT_MASK_NO_EVENT,
                                   reinterpret_cast<const char*>(&aviso));
                    xcb_flush(c_);
                }
                free(e);
            }
        }
    }

    QByteArray texto_;
    xcb_connection_t* c_ = nullptr;
    xcb_window_t w_ = 0;
    xcb_atom_t clipboard_ = 0, utf8_ = 0;
    bool soloLatin1_ = false;
    bool dueno_ = false;
    std::atomic<bool> fin_{false};
    std::thread hilo_;
};

class Pegar : public VentanasPrueba {
protected:
    void SetUp() override {
        VentanasPrueba::SetUp();
        clipboard::Install(nullptr); // the system's, not the test environment's stand-in
        ASSERT_EQ(QGuiApplication::platformName(), "xcb") << "this test needs an X display";
        t = Abrir<frmTraductor>();
        t->txtTexto->setPlainText("una ");
        t->txtTexto->setFocus();
        t->txtTexto->moveCursor(QTextCursor::End);
        entorno.avisos->textos.clear(); // the stand-ins of the pictures this test has not
    }
    frmTraductor* t = nullptr;
};

} // namespace

TEST_F(Pegar, AClipboardOwnerThatNeverAnswersBlocksTheWindowAboutASecondAndIsReported) {
    OtroPrograma mudo("casa", false);
    ASSERT_TRUE(mudo.Dueno());
    QElapsedTimer reloj;
    reloj.start();
    t->lblOpciones_Click(4);
    const qint64 bloqueado = reloj.elapsed();
    EXPECT_LT(bloqueado, 3000); // Qt's own clipboard waited fifteen seconds here
    EXPECT_GE(bloqueado, 500);
    EXPECT_EQ(t->txtTexto->toPlainText(), "una ");
    ASSERT_EQ(entorno.avisos->textos.size(), 1);
    EXPECT_TRUE(entorno.avisos->textos[0].contains("no respondió"))
        << entorno.avisos->textos[0].toStdString();
}

TEST_F(Pegar, TheTextOfAnOwnerThatAnswersIsPasted) {
    OtroPrograma otro(QStringLiteral("canción del ñandú").toUtf8(), true);
    ASSERT_TRUE(otro.Dueno());
    QElapsedTimer reloj;
    reloj.start();
    t->lblOpciones_Click(4);
    EXPECT_LT(reloj.elapsed(), 1000);
    EXPECT_EQ(t->txtTexto->toPlainText(), "una canción del ñandú");
    EXPECT_TRUE(entorno.avisos->textos.isEmpty());
}

TEST_F(Pegar, AnOwnerThatOffersOnlyLatin1TextIsAskedForIt) {
    OtroPrograma viejo(QStringLiteral("canción").toLatin1(), true, true);
    ASSERT_TRUE(viejo.Dueno());
    t->lblOpciones_Click(4);
    EXPECT_EQ(t->txtTexto->toPlainText(), "una canción");
}

TEST_F(Pegar, WhatThisProgramCopiedIsPastedFromItsOwnClipboard) {
    clipboard::Current().SetText("perro");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "perro");
    QElapsedTimer reloj;
    reloj.start();
    t->lblOpciones_Click(4);
    EXPECT_LT(reloj.elapsed(), 1000);
    EXPECT_EQ(t->txtTexto->toPlainText(), "una perro");
}

TEST_F(Pegar, CopyPutsTheSelectionOnTheSystemClipboardAndPasteBringsItBack) {
    t->txtTexto->selectAll();
    t->lblOpciones_Click(1); // "Copiar"
    EXPECT_TRUE(QGuiApplication::clipboard()->ownsClipboard());
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "una ");
    t->txtTexto->moveCursor(QTextCursor::End);
    t->lblOpciones_Click(4); // "Pegar"
    EXPECT_EQ(t->txtTexto->toPlainText(), "una una ");
    EXPECT_TRUE(entorno.avisos->textos.isEmpty());
}
