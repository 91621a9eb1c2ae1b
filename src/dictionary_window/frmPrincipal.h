#pragma once
// The dictionary window: choose one of six directions, look a word up, browse every headword,
// open the further meanings, move to the translator or the language notes, call the guide.
#include "chrome/VentanaPiel.h"

#include <optional>

class QLineEdit;
class TiraSugerencias;
namespace controls {
class SimpleCombo;
}

class frmPrincipal : public VentanaPiel {
    Q_OBJECT
public:
    frmPrincipal();

    // Life of the window.
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload() override;

    // Lookup and its helpers.
    void TradicirPalabra(const QString& palabra);
    void ElegirConsulta();
    void LimpiarResultado();
    void MostrarIdiomas();
    void CargarImagenes();

    // The words looked up in this run (Historial.h), Alt+Left and Alt+Right or the mouse's back
    // and forward buttons: the word before or after the one shown, looked up again. Back from a
    // word that was not found, or from a window just cleared, is the last word found.
    void IrAtras();
    void IrAdelante();

    // Word list.
    void MostrarLista(bool abrir);
    void CargarLista(controls::SimpleCombo* lista);
    void cboLista_Click();
    void cboLista_DblClick();
    void cboLista_KeyPress(int KeyAscii);

    // Events.
    void lblDiccionarios_Click(int Index);
    void lblDiccionarios_MouseMove(int Index);
    // Returns true when the key was swallowed.
    bool txtPalabra_KeyPress(int KeyAscii);
    void pctBoton_Click(int Index) override;
    void lblOpciones_Click(int Index) override;
    void imgFondo_MouseMove() override;
    void pctContAcep_LostFocus();

    // Window state.
    QString ConsultaActual;
    bool ListaCargada = false;
    int DiccionarioResaltado = -1;

    // Controls.
    QLineEdit* txtPalabra = nullptr;
    controls::SimpleCombo* cboLista = nullptr;
    controls::Label *lblSelDic = nullptr, *lblTPalabra = nullptr, *lblTTraduccion = nullptr;
    controls::Label *lblTraduccion = nullptr, *lblTipo = nullptr, *lblGenero = nullptr, *lblNumero = nullptr;
    controls::Label *lblTipoT = nullptr, *lblGeneroT = nullptr, *lblNumeroT = nullptr;
    controls::Label* lblForma = nullptr;
    TiraSugerencias* lblSugerencias = nullptr; // after a word not found, the words it may have meant
    controls::Label *lblTraduccionAcep = nullptr, *lblAcepcion1 = nullptr, *lblAcepcion2 = nullptr;
    controls::Label* lblDireccionAcep = nullptr; // the panel's heading: the current direction
    controls::PictureBox *pctAcepciones = nullptr, *pctContAcep = nullptr, *imgPronun = nullptr,
                         *pctOpcActual = nullptr;
    controls::PictureBox *pctMLTop = nullptr, *pctMLCenter = nullptr, *pctMLBottom = nullptr,
                         *pctMLLeft = nullptr, *pctMLRight = nullptr;
    controls::Label* lblDiccionarios(int index) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void crearControles();
    // The window's keys (Teclado.cpp): those of every skinned window, Ctrl+1 to Ctrl+6 for the
    // directions, F4 and Alt+Down for the word list, Alt+Left and Alt+Right for the history.
    void crearAtajos();
    // Looks `palabra` up and shows its entry; the guide reacts to a word not found when
    // `reaccionar`. The word as the word box shows it when found ("árbol" for "arbol").
    std::optional<QString> mostrarEntrada(const QString& palabra, bool reaccionar);
    // A word of the history (or the view left behind), shown as a lookup shows it.
    void mostrarOtraVez(const QString& palabra, bool enHistorial);

    // The word whose entry (or "not found") is on show, empty when none; and whether it is the
    // word the direction's history stands at.
    QString palabraMostrada_;
    bool enHistorial_ = false;
};
