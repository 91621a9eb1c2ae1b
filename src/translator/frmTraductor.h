#pragma once
// The translator window: a text typed or pasted, translated word by word in the current
// dictionary direction, or sentence by sentence through the direction's whole Apertium pipeline
// (Frases.h). The reader chooses the mode and the direction in the window itself.
#include "chrome/VentanaPiel.h"
#include "translator/Buscador.h"
#include "translator/Frases.h"
#include "translator/Sesion.h"

#include <memory>

class PanelPalabra;
class QPlainTextEdit;
class QTimer;

class frmTraductor : public VentanaPiel {
    Q_OBJECT
public:
    frmTraductor();

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload() override;
    void CargarImagenes();

    void TraducirTexto();
    QString BuscarTraduccion(const QString& palabra);
    // "Traducir ahora": the translation of the mode chosen.
    void Traducir();
    // The sentence translation, away from this thread: the box says how far it has come, and a
    // second request cancels the first.
    void TraducirFrases();
    void ElegirModo(traductor::Modo modo);
    traductor::Modo Modo() const { return modo_; }
    // Changes the dictionary direction from here, as the dictionary window's list does; the text
    // stays, and a translation already shown is made again in the new direction.
    void ElegirDireccion(int direccion);
    // Sentence mode: lights, in the input box, the words the output word at `posicion` (a
    // character position of the output box) came from, and returns them; nothing when that
    // cannot be told for sure, or when the input changed since it was translated.
    QList<frases::Tramo> ResaltarOrigen(qsizetype posicion);
    // The dictionary entry of the word at `posicion` (a character of `caja`'s text), in the panel
    // beside it: the input's words in the current direction, the translation's in the opposite
    // one. False when there is no word there.
    bool MostrarPalabra(QPlainTextEdit* caja, qsizetype posicion);

    void pctBoton_Click(int Index) override;
    void lblOpciones_Click(int Index) override;
    // No key has a meaning of its own in the input box: Enter starts a new line.
    void txtTexto_KeyPress(int) {}

    QPlainTextEdit* txtTexto = nullptr;
    QPlainTextEdit* txtTraduccion = nullptr;
    // The strip with the two modes over the panel's heading, and the direction's pill under the
    // logo (options 5 and 6, and 7).
    QWidget* pctModo = nullptr;
    QWidget* pctDireccion = nullptr;
    // The sentence translations of this window.
    std::unique_ptr<frases::Traductor> frases;
    // The boxes and the background's card of hints; the guide keeps clear of them.
    QWidget* zonaComoSeUsa = nullptr;
    // One word's entry, over the boxes.
    PanelPalabra* panelPalabra = nullptr;
    // A pointer resting on a word shows its entry after this (single shot).
    QTimer* tmrPausa = nullptr;
    // The lookups of the translation under way (the table's recordset and the forms): only while
    // a translation runs.
    std::unique_ptr<traduccion::Buscador> rsTraduccion;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The window's keys (Teclado.cpp): those of every skinned window, Ctrl+Enter for "Traducir
    // ahora" and Ctrl+1 to Ctrl+6 for the six directions.
    void crearAtajos();
    // The text box the options act on: the one holding the focus, or none.
    QPlainTextEdit* controlActivo() const;
    void mostrarModo();
    void mostrarDireccion();
    void abrirMenuDirecciones();
    void frasesTerminadas(const frases::Resultado& r);
    void pausaSobrePalabra();
    void apartarDe(const QList<frases::Tramo>& tramos);

    traductor::Modo modo_ = traductor::Modo::PalabraPorPalabra;
    // The text and direction the sentence translation on the screen was made from.
    QString textoTraducido_;
    int direccionTraducida_ = -1;
    // Where the pointer rests (a viewport and a point in it), for the pause timer.
    QPlainTextEdit* cajaBajoPuntero_ = nullptr;
    QPoint puntoBajoPuntero_;
    // The sentence pipeline is loaded once the reader types in sentence mode, not before.
    bool precargado_ = false;
};
