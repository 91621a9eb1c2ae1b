#pragma once
// The drive question: the data folder is not where the saved letter says.
#include "platform/Form.h"

class QComboBox;
class QLabel;
class QPushButton;

class frmVerDrive : public Form {
    Q_OBJECT
public:
    frmVerDrive();
    void Form_Load() override;
    void cmdAceptar_Click();
    void cmdCancelar_Click();

    QLabel* lblInfo = nullptr;
    QLabel* lblIndi = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Image1 = nullptr;
    QComboBox* Drive1 = nullptr;
    QPushButton* cmdAceptar = nullptr;
    QPushButton* cmdCancelar = nullptr;
};
