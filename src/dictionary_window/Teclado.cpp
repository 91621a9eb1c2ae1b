// The dictionary window's keys and the mouse's back and forward buttons.
#include "chrome/Atajos.h"
#include "dictionary_window/frmPrincipal.h"
#include "platform/SimpleCombo.h"

void frmPrincipal::crearAtajos() {
    CrearAtajosComunes();
    for (int d = 0; d < 6; ++d)
        atajos::Enlazar(this, QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_1 + d)),
                        [this, d] { lblDiccionarios_Click(d); });
    // F4 opens and closes the list as it does on a drop-down list; Alt+Down only opens it. Esc,
    // which closes it, goes to keyPressEvent, after the meanings panel that lies over it.
    atajos::Enlazar(this, QKeySequence(Qt::Key_F4), [this] { pctBoton_Click(cboLista->isHidden() ? 4 : 5); });
    atajos::Enlazar(this, QKeySequence(Qt::ALT | Qt::Key_Down), [this] { pctBoton_Click(4); });
    atajos::Enlazar(this, QKeySequence(Qt::ALT | Qt::Key_Left), [this] { IrAtras(); });
    atajos::Enlazar(this, QKeySequence(Qt::ALT | Qt::Key_Right), [this] { IrAdelante(); });
    atajos::BotonesRaton(
        this, [this] { IrAtras(); }, [this] { IrAdelante(); });
}
