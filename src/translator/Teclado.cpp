// The translator's keys.
#include "chrome/Atajos.h"
#include "translator/frmTraductor.h"

void frmTraductor::crearAtajos() {
    CrearAtajosComunes();
    // Enter alone starts a new line in the text; with Ctrl it translates, as the option does.
    for (Qt::Key intro : {Qt::Key_Return, Qt::Key_Enter})
        atajos::Enlazar(this, QKeySequence(Qt::CTRL | intro), [this] { lblOpciones_Click(3); });
    for (int d = 0; d < 6; ++d)
        atajos::Enlazar(this, QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_1 + d)),
                        [this, d] { ElegirDireccion(d); });
}
