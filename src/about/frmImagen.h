#pragma once
// A small borderless window showing one picture under a title; dragged by its top strip,
// closed by a click on the picture or on its "X".
#include "chrome/Arrastre.h"
#include "platform/Controls.h"
#include "platform/Form.h"

class frmImagen : public Form {
    Q_OBJECT
public:
    frmImagen();

    void imgImagen_Click() { Unload(); }
    void lblSalir_Click() { Unload(); }
    void imgMMover_MouseDown(int Button, int Shift, double X, double Y);
    void imgMMover_MouseMove(int Button, int Shift, double X, double Y);
    void imgMMover_MouseUp(int Button, int Shift, double X, double Y);

    // What an opener does: the picture and its title.
    void Mostrar(const QPixmap& imagen, const QString& titulo);

    controls::Label* lblImagen = nullptr;
    controls::PictureBox* imgMMover = nullptr;
    controls::Label* lblSalir = nullptr;
    controls::PictureBox* imgImagen = nullptr;
    Arrastre arrastre;
};
