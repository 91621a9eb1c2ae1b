#pragma once
#include "platform/Form.h"

class frmPrincipal : public Form {
    Q_OBJECT
public:
    frmPrincipal();
    void Form_Load() override;
};
