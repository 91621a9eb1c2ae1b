#pragma once
// What the three skinned main windows share: a background picture, bitmap buttons with their
// two hidden faces, the options strip, label highlighting with its reset, and the drag strip.
// Each window adds its own controls and answers pctBoton_Click and lblOpciones_Click.
#include "chrome/Arrastre.h"
#include "chrome/Registro.h"
#include "platform/Controls.h"
#include "platform/Form.h"

#include <map>
#include <set>

class MarcoFoco;

class VentanaPiel : public Form {
    Q_OBJECT
public:
    explicit VentanaPiel(const char* nombre);

    controls::PictureBox* imgFondo = nullptr;
    controls::PictureBox* imgMMover = nullptr;
    controls::PictureBox* pctBoton(int index) const;
    controls::PictureBox* imgBotonSF(int index) const;
    controls::PictureBox* imgBotonCF(int index) const;
    controls::Label* lblOpciones(int index) const;

    // Index of the option label drawn lit, -1 for none.
    int OpcionResaltada = -1;
    // The drag by the strip along the top.
    Arrastre arrastre;
    // The ring around the control that holds the focus.
    MarcoFoco* marcoFoco = nullptr;
    // The accent of the look the window wears, which the focus ring is drawn in: the current
    // direction's.
    virtual QColor ColorFoco() const;

    // Moves to another main window: makes it (through the registry), puts it at this window's
    // place, shows it, then unloads this one. A window already on its way out goes nowhere
    // (nullptr): exactly one main window exists at any moment, however fast the tabs are clicked.
    Form* IrA(Destino destino);
    // Moves to the dictionary window showing `palabra` looked up in `direccion` (0..5), which
    // becomes the current direction as if the reader had chosen it there. Nothing happens
    // (nullptr) for a direction outside 0..5, an empty word, or when this window cannot move; no
    // request is then left behind for a later visit to find.
    Form* VerEnDiccionario(int direccion, const QString& palabra);
    // The exit button: the exit sequence the start registered.
    void Salir();

    virtual void pctBoton_Click(int Index) = 0;
    virtual void lblOpciones_Click(int Index) = 0;
    void pctBoton_MouseMove(int Index, int Button, int Shift, double X, double Y);
    void lblOpciones_MouseMove(int Index);
    // The reset of the highlight when the pointer is back on the background (and the text boxes).
    virtual void imgFondo_MouseMove();
    void imgMMover_MouseDown(int Button, int Shift, double X, double Y);
    void imgMMover_MouseMove(int Button, int Shift, double X, double Y);
    void imgMMover_MouseUp(int Button, int Shift, double X, double Y);

protected:
    // Builds the background (lowest) and the drag strip (just above it) at their positions.
    void CrearFondo(int arrastreLeft, int arrastreTop, int arrastreWidth, int arrastreHeight);
    // A bitmap button with its two hidden faces; clicks and moves wired to the handlers.
    controls::PictureBox* CrearBoton(int index, int left, int top, int width, int height,
                                     QWidget* padre = nullptr);
    // An option word, white bold italic, with the pointing hand.
    controls::Label* CrearOpcion(int index, const QString& caption, int left, int top, int width, int height,
                                 double puntos = 9, QWidget* padre = nullptr);
    // What every skinned window has, in the same place and with the same spoken name and
    // description: the exit button (index 0), the tab to each main window (1 the translator, 2
    // the notes, 3 the dictionary; the window's own tab, `propia`, is disabled) and the help
    // option (option 0).
    controls::PictureBox* CrearSalir();
    controls::PictureBox* CrearPestana(int index, bool propia = false);
    controls::Label* CrearAyuda(int left);
    // The keys every skinned window answers, each as the button or option of the same meaning:
    // F1 the help (option 0), Ctrl+D, Ctrl+T and Ctrl+N the tabs to the dictionary, the translator
    // and the notes (the window's own tab, disabled or absent, does nothing).
    void CrearAtajosComunes();
    // Puts a picture on a button and its two faces (resting on the button and its SF face).
    void FijarCaras(int index, const QPixmap& reposo, const QPixmap& luz);

    // Gives the box the focus and sends it one key, handled before this returns: how the arrow and
    // page buttons scroll their boxes.
    static void EnviarTecla(QWidget* caja, int tecla);
    // Paints a label of an array lit, the previously lit one back to white (the rule shared by
    // the options and the dictionary window's direction menu). Lit is `color`, or another
    // highlight colour where `color` would not read on what is painted under that label
    // (contraste::ColorLegible).
    static void Resaltar(QWidget* frm, const char* arreglo, int& resaltada, int index, uint32_t color);
    // The mean luminance of what is painted under a label, the label's own text left out.
    static double LuminanciaBajo(controls::Label* l);
    static void Apagar(QWidget* frm, const char* arreglo, int& resaltada);

private:
    std::map<int, controls::PictureBox*> botones_, sf_, cf_;
    std::map<int, controls::Label*> opciones_;
    std::set<int> pestanas_; // the indices of the buttons that are tabs
};

// The pointing hand shown over buttons and option words.
QCursor CursorBoton();
