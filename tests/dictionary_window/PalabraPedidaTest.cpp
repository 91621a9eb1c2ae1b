// Another window sends the reader to the dictionary window to see a word ("Ver en el diccionario"):
// the request through chrome/Registro, and the dictionary window that takes it when it loads.
#include "VentanasPrueba.h"
#include "chrome/Registro.h"
#include "dictionary_window/frmPrincipal.h"
#include "startup/General.h"
#include "translator/frmTraductor.h"

#include <QLineEdit>
#include <gtest/gtest.h>

namespace {

class PalabraPedida : public VentanasPrueba {
protected:
    void LlenarDiccionario() override {
        db.Insert(0, {Fila("casa", "house", "n", "f", "s")});
        esquema::Fila bank = Fila("bank", "banco", "n", "", "s");
        bank.acepcion1 = QString("orilla");
        bank.acepcion2 = QString("");
        db.Insert(1, {bank});
        db.Insert(5, {Fila("maison", "casa", "n", "f", "s")});
    }
    // The direction's languages, the word box and the translation.
    static QStringList Vista(frmPrincipal* w) {
        return {w->lblTPalabra->text(), w->lblTTraduccion->text(), w->txtPalabra->text(),
                w->lblTraduccion->text()};
    }
};

} // namespace

TEST_F(PalabraPedida, IsTakenOnceANewOneReplacesTheLastAndNothingToShowAsksForNothing) {
    EXPECT_TRUE(registro::PedirPalabra(1, "bank"));
    EXPECT_TRUE(registro::PedirPalabra(5, "maison"));
    EXPECT_FALSE(registro::PedirPalabra(6, "casa"));
    EXPECT_FALSE(registro::PedirPalabra(-1, "casa"));
    EXPECT_FALSE(registro::PedirPalabra(1, ""));
    const auto pedida = registro::TomarPalabraPedida();
    ASSERT_TRUE(pedida);
    EXPECT_EQ((std::pair{pedida->direccion, pedida->palabra}), (std::pair{5, QString("maison")}));
    EXPECT_FALSE(registro::TomarPalabraPedida());
    registro::PedirPalabra(0, "casa");
    registro::OlvidarPalabraPedida();
    EXPECT_FALSE(registro::TomarPalabraPedida());
}

TEST_F(PalabraPedida, TheDictionaryWindowOpensOnTheWordAsIfTheDirectionWereChosenAndTheWordTyped) {
    registro::PedirPalabra(1, "bank");
    auto* w = Abrir<frmPrincipal>();
    EXPECT_EQ(DiccionarioActual, 1);
    EXPECT_EQ(w->ConsultaActual, "qryBuscarIngEsp");
    EXPECT_EQ(Vista(w), (QStringList{"Inglés", "Español", "bank", "banco"}));
    EXPECT_EQ(w->txtPalabra->selectedText(), "bank");
    EXPECT_FALSE(w->pctAcepciones->isHidden());
    // Taken once: the next visit opens as usual, in the direction now chosen (the window emptied
    // first, or it would show again the word it was left on).
    w->lblDiccionarios_Click(1);
    w->Unload();
    Forms::FlushUnloaded();
    w = Abrir<frmPrincipal>();
    EXPECT_EQ(Vista(w), (QStringList{"Inglés", "Español", "", ""}));
    // A word the direction lacks shows as typed and not found.
    w->Unload();
    Forms::FlushUnloaded();
    registro::PedirPalabra(5, "house");
    w = Abrir<frmPrincipal>();
    EXPECT_EQ(Vista(w), (QStringList{"Francés", "Español", "house", "<Palabra no encontrada>"}));
    EXPECT_EQ(w->lblTraduccion->ForeColor(), controls::vbRed);
}

TEST_F(PalabraPedida, TheTranslatorMovesThereInOneCallOrNotAtAllLeavingNoRequestBehind) {
    auto* t = Abrir<frmTraductor>(4500, 3000);
    EXPECT_EQ(t->VerEnDiccionario(7, "casa"), nullptr);
    EXPECT_EQ(t->VerEnDiccionario(0, ""), nullptr);
    // No dictionary window is made (none registered): the request does not wait for a later visit.
    registro::Registrar(Destino::Diccionario, nullptr);
    EXPECT_EQ(t->VerEnDiccionario(1, "bank"), nullptr);
    RegistrarVentanas();
    EXPECT_TRUE(t->Loaded());
    EXPECT_FALSE(registro::TomarPalabraPedida());

    Form* nueva = t->VerEnDiccionario(5, "maison");
    Forms::FlushUnloaded();
    auto* w = Forms::Find<frmPrincipal>();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(nueva, w);
    EXPECT_EQ(Forms::Find<frmTraductor>(), nullptr) << "one main window at a time";
    EXPECT_EQ((std::pair{w->Left(), w->Top()}), (std::pair{4500, 3000}));
    EXPECT_EQ(Vista(w), (QStringList{"Francés", "Español", "maison", "casa"}));
    // A window already on its way out goes nowhere, and asks for nothing.
    w->Unload();
    EXPECT_EQ(w->VerEnDiccionario(0, "casa"), nullptr);
    EXPECT_FALSE(registro::TomarPalabraPedida());
}
