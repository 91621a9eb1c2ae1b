#pragma once
// The credits window, modal over the dictionary window and covering it exactly.
#include "platform/Controls.h"
#include "platform/Form.h"

class QPushButton;

class frmAcercaDe : public Form {
    Q_OBJECT
public:
    frmAcercaDe();

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload() override;

    void cmdSalir_Click();
    void imgFondo_Click();
    void lblLink_Click(int Index);
    void lblLink_MouseMove(int Index);
    void imgFondo_MouseMove();

    int EnlaceResaltado = -1;
    controls::PictureBox* imgFondo = nullptr;
    controls::PictureBox* Image1 = nullptr;
    QPushButton* cmdSalir = nullptr;
    controls::Label* lblLink(int index) const;

protected:
    void keyPressEvent(QKeyEvent* e) override;
};
