#pragma once
// The language notes window: grammar notes of Spanish, English, Portuguese and French, one
// rich-text document per language, chosen by flag.
#include "chrome/VentanaPiel.h"

class QScrollBar;
namespace richtext {
class RichTextBox;
}

class frmPropiedades : public VentanaPiel {
    Q_OBJECT
public:
    frmPropiedades();

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload() override;

    // Selects flag n (6 to 9) and shows its notes.
    void CargarPropiedades(int n);
    void pctBoton_Click(int Index) override;
    void lblOpciones_Click(int Index) override;
    // The notes window wears the blue look whatever the direction.
    QColor ColorFoco() const override;

    // The flag whose notes are shown; 0 when the window loads.
    int BanderaActual = 0;
    richtext::RichTextBox* txtTexto = nullptr;
    // The notes' only scroll bar, on the rail the skin paints between the two page buttons; the
    // box's own is never shown.
    QScrollBar* barTexto = nullptr;

    // The flag the window opens on for a direction: the language translated from.
    static int BanderaInicial(int direccion);
    // RutaDatos & "\PROPIEDADES\" & "Prop" & n & ".RTF".
    static QString RutaNotas(int n);
};
