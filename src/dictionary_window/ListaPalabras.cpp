// The dictionary window's word list: every headword of the current direction, filled from the
// database once per direction and window load; the filled list is the cache.
#include "dictionary_data/BaseDatos.h"
#include "dictionary_data/Direcciones.h"
#include "dictionary_window/frmPrincipal.h"
#include "guide/MSAgent.h"
#include "platform/Screen.h"
#include "platform/SimpleCombo.h"
#include "platform/Twips.h"

#include <QLineEdit>

void frmPrincipal::MostrarLista(bool abrir) {
    Screen::SetMousePointer(Screen::vbHourglass);
    if (abrir && !ListaCargada) {
        cboLista->Clear();
        try {
            CargarLista(cboLista);
            // A dictionary with no words (emptied, or replaced by an empty one, while the program
            // runs) says so in the list's box, and is read again at the next opening.
            const bool vacia = cboLista->ListCount() == 0;
            ListaCargada = !vacia;
            cboLista->Edit()->setPlaceholderText(vacia ? QStringLiteral("El diccionario no tiene palabras")
                                                       : QString());
            cboLista->setToolTip(QString());
            if (AgenteActivo) AgenteReposo(false);
        } catch (const dao::DaoError& e) {
            // The list stays empty and is tried again at the next opening; it says why in its
            // own box, the details under the pointer.
            cboLista->Clear();
            cboLista->Edit()->setPlaceholderText(ErrorBreve(e));
            cboLista->setToolTip(QStringLiteral("No se pudo leer la lista de palabras. ") +
                                 ErrorDetallado(e));
        }
    }
    cboLista->move(twips::ToPixels(2040), twips::ToPixels(3810));
    for (QWidget* w : {static_cast<QWidget*>(pctMLTop), static_cast<QWidget*>(pctMLCenter),
                       static_cast<QWidget*>(pctMLBottom), static_cast<QWidget*>(pctMLLeft),
                       static_cast<QWidget*>(pctMLRight), static_cast<QWidget*>(cboLista)}) {
        w->setVisible(abrir);
        if (abrir) w->raise();
    }
    if (abrir) {
        // The last search (typed here, or the word looked up last) is highlighted and in view,
        // its text selected so that the next letters start a new one. Nothing goes into the word
        // box until the reader moves in the list: the entry on show is still that box's word's.
        const QString ultima = cboLista->Text();
        cboLista->SetListIndex(ultima.isEmpty() ? -1 : cboLista->FindPrefix(ultima));
        cboLista->setFocus();
        cboLista->Edit()->selectAll();
    }
    Screen::SetMousePointer(Screen::vbDefault);
}

void frmPrincipal::CargarLista(controls::SimpleCombo* lista) {
    if (DireccionValida(DiccionarioActual))
        TablaActual = QString::fromUtf8(kDirecciones[DiccionarioActual].tabla);
    ExigirBaseAbierta();
    auto filas = dbDiccionario->OpenRecordset(QStringLiteral("SELECT Palabra FROM ") + TablaActual +
                                                  QStringLiteral(" GROUP BY Palabra"),
                                              dao::dbOpenForwardOnly);
    // Gathered first and handed to the list in one go: one model reset instead of thousands.
    QStringList palabras;
    for (; !filas->Eof(); filas->MoveNext())
        palabras << filas->Fields(QStringLiteral("Palabra")).Value().toString();
    filas->Close();
    lista->SetItems(palabras);
}

void frmPrincipal::cboLista_Click() {
    txtPalabra->setText(cboLista->Text());
}

void frmPrincipal::cboLista_DblClick() {
    txtPalabra->setText(cboLista->Text());
    pctBoton_Click(5);
    TradicirPalabra(txtPalabra->text());
    txtPalabra->setSelection(0, static_cast<int>(txtPalabra->text().size()));
}

void frmPrincipal::cboLista_KeyPress(int KeyAscii) {
    if (KeyAscii != 13) return;
    txtPalabra->setText(cboLista->Text());
    TradicirPalabra(txtPalabra->text());
    txtPalabra->setSelection(0, static_cast<int>(txtPalabra->text().size()));
}
