#pragma once
// The small panel the translator shows over a word of its text or of its translation: that word's
// dictionary entry, as the dictionary window shows it after the same lookup (the same search, the
// same decoders, the same texts for a word not found and for a dictionary that cannot be read),
// with the direction it was looked up in and a way to see it in the dictionary window itself.
//
// The panel is a child of the window it is given, drawn over the window's other controls, so it
// moves with the window and never leaves its 640 x 480 skin. It does not take the keyboard focus
// when shown (the reader may be typing); Esc anywhere in its window, or a click anywhere but on the
// panel, hides it.
#include "dictionary_data/Consulta.h"

#include <QFrame>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QString>

class QPlainTextEdit;
class QPushButton;
namespace controls {
class Label;
}

class PanelPalabra : public QFrame {
    Q_OBJECT
public:
    // What the panel shows after a lookup.
    enum class Estado { Vacio, Encontrada, NoEncontrada, Error };

    explicit PanelPalabra(QWidget* padre);
    ~PanelPalabra() override;

    // Looks `palabra` up in `direccion` (0..5) and shows its entry beside `punto`, a point in the
    // parent's coordinates (where the word is). The same word and direction while the panel is
    // shown leave it as it is, so a pointer resting on a word does not make it jump. An empty
    // word or a direction outside 0..5 hides the panel.
    void Mostrar(int direccion, const QString& palabra, const QPoint& punto);
    void Ocultar();

    // The lookup on show, for tests and for the window that shows the panel.
    Estado EstadoActual() const { return estado_; }
    const consulta::Entrada& EntradaActual() const { return entrada_; }
    int DireccionActual() const { return direccion_; }
    QString PalabraActual() const { return palabra_; }

    // Where a panel of size `panel` goes for a word at `punto` inside an `area` (the parent's
    // rectangle from 0, 0): below and to the right of the point; to its left when it would leave
    // the area on the right, above it when it would leave it at the bottom; pushed back inside
    // when the area is too small for either.
    static QRect Ubicar(const QSize& panel, const QPoint& punto, const QSize& area);

    // The panel's controls, named as the dictionary window names the same texts.
    controls::Label* lblDireccion = nullptr;
    controls::Label* lblPalabra = nullptr;
    controls::Label* lblForma = nullptr;
    controls::Label* lblTraduccion = nullptr;
    controls::Label *lblIdiomaPalabra = nullptr, *lblIdiomaTraduccion = nullptr;
    controls::Label *lblTipo = nullptr, *lblGenero = nullptr, *lblNumero = nullptr;
    controls::Label *lblTipoT = nullptr, *lblGeneroT = nullptr, *lblNumeroT = nullptr;
    controls::Label* lblAcepciones = nullptr;
    controls::Label *lblAcepcion1 = nullptr, *lblAcepcion2 = nullptr;
    QPushButton* cmdVerEnDiccionario = nullptr;

signals:
    // "Ver en el diccionario": the reader wants the dictionary window on this word.
    void VerEnDiccionario(int direccion, QString palabra);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    void llenar();
    void ajustarAlto();

    Estado estado_ = Estado::Vacio;
    consulta::Entrada entrada_;
    int direccion_ = -1;
    QString palabra_;
    // The control that had the focus when the panel was shown; it gets it back when the panel,
    // reached with Tab, is closed.
    QPointer<QWidget> foco_;
};

// The character of a text box under `enVista`, a point of the box's viewport: its index in the
// box's text, or -1 when the point is on no character (past the end of a line, below the text,
// in a margin). What a window passes to traduccion::PalabraEn for the word under the pointer.
int CaracterBajo(const QPlainTextEdit& caja, const QPoint& enVista);
