#pragma once
// The translator window: a text typed or pasted, translated word by word in the current
// dictionary direction.
#include "chrome/VentanaPiel.h"
#include "translator/Buscador.h"

#include <memory>

class QPlainTextEdit;

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

    void pctBoton_Click(int Index) override;
    void lblOpciones_Click(int Index) override;
    // No key has a meaning of its own in the input box: Enter starts a new line.
    void txtTexto_KeyPress(int) {}

    QPlainTextEdit* txtTexto = nullptr;
    QPlainTextEdit* txtTraduccion = nullptr;
    // The lookups of the translation under way (the table's recordset and the forms): only while
    // a translation runs.
    std::unique_ptr<traduccion::Buscador> rsTraduccion;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The text box the options act on: the one holding the focus, or none.
    QPlainTextEdit* controlActivo() const;
};
