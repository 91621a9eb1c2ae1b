#pragma once
// The dictionary window: choose one of six directions, look a word up, browse every headword,
// open the further meanings, move to the translator or the language notes, call the guide.
#include "chrome/VentanaPiel.h"

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
};
