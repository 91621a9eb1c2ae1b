#pragma once
// What the reader sees of one entry, read off the dictionary window and off the translator's word
// panel in the same terms, so the two can be compared whole: the word, the hint of the headword,
// the translation and its colour, the six grammar labels, the further meanings offered and the
// name of the direction.
#include "dictionary_data/BaseDatos.h"
#include "dictionary_data/Direcciones.h"
#include "dictionary_window/frmPrincipal.h"
#include "translator/PanelPalabra.h"

#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QTest>

inline QStringList TextosEntrada(const QString& palabra, const QString& forma, controls::Label* traduccion,
                                 const std::initializer_list<controls::Label*>& gramatica,
                                 const QStringList& acepciones, const QString& direccion) {
    QStringList t{"palabra=" + palabra, "forma=" + forma, "traduccion=" + traduccion->text(),
                  traduccion->ForeColor() == controls::vbRed ? "color=rojo" : "color=blanco"};
    for (controls::Label* l : gramatica)
        t << l->objectName() + "=" + l->text();
    t << "acepciones=" + acepciones.join(" | ") << "direccion=" + direccion;
    return t;
}

// The dictionary window after the reader chose `direccion`, typed `palabra` and pressed Enter, then
// opened the further meanings when they were offered.
inline QStringList TextosDiccionario(frmPrincipal* w, int direccion, const QString& palabra) {
    if (direccion != DiccionarioActual) w->lblDiccionarios_Click(direccion);
    w->txtPalabra->setText(palabra);
    QTest::keyClick(w->txtPalabra, Qt::Key_Return);
    QStringList acepciones;
    if (!w->pctAcepciones->isHidden()) {
        w->lblOpciones_Click(1);
        acepciones << w->lblAcepcion1->text();
        if (!w->lblAcepcion2->text().isEmpty()) acepciones << w->lblAcepcion2->text();
    }
    // The name of the direction is the heading of the meanings panel.
    return TextosEntrada(
        w->txtPalabra->text(), w->lblForma->text(), w->lblTraduccion,
        {w->lblTipo, w->lblGenero, w->lblNumero, w->lblTipoT, w->lblGeneroT, w->lblNumeroT}, acepciones,
        w->pctContAcep->isHidden() ? NombreDireccion(DiccionarioActual) : w->lblDireccionAcep->text());
}

// The panel as shown: a label it hides counts as empty.
inline QStringList TextosPanel(const PanelPalabra& p) {
    const auto visible = [](controls::Label* l) { return l->isHidden() ? QString() : l->text(); };
    QStringList acepciones;
    if (!p.lblAcepciones->isHidden()) {
        acepciones << visible(p.lblAcepcion1);
        if (!p.lblAcepcion2->isHidden()) acepciones << visible(p.lblAcepcion2);
    }
    QStringList t =
        TextosEntrada(visible(p.lblPalabra), visible(p.lblForma), p.lblTraduccion,
                      {p.lblTipo, p.lblGenero, p.lblNumero, p.lblTipoT, p.lblGeneroT, p.lblNumeroT},
                      acepciones, visible(p.lblDireccion));
    // A grammar label the panel hides must have nothing to show.
    for (controls::Label* l : {p.lblTipo, p.lblGenero, p.lblNumero, p.lblTipoT, p.lblGeneroT, p.lblNumeroT})
        if (l->isHidden() && !l->text().isEmpty()) t << "oculta con texto: " + l->objectName();
    return t;
}
