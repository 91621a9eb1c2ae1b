#pragma once
// The opening window: the logo forms frame by frame, a picture, then the title; it closes
// itself after about six seconds, or at the first click.
#include "platform/Controls.h"
#include "platform/Form.h"

#include <cstdint>

class QTimer;

class frmPresentacion : public Form {
    Q_OBJECT
public:
    static constexpr int kIntervalo = 130; // ms a tick

    frmPresentacion();
    void Form_Load() override;
    // One step of the sequence: frames at ticks 0 to 8, the picture at 18, the title replacing
    // it at 30, closing at 48.
    void Timer1_Timer();
    void Form_Click() { Unload(); }

    int16_t Ticks = 0;
    controls::PictureBox* pctPres = nullptr;
    controls::PictureBox* imgPres(int index) const;
    controls::PictureBox* imgPresenta = nullptr;
    controls::Label* lblTitulo = nullptr;
    QTimer* Timer1 = nullptr;

protected:
    void mouseReleaseEvent(QMouseEvent* e) override;
    // A message box or notice that opens while the splash is up ends it: staying on top of
    // everything, it would cover the message (the notice that pictures are missing after the
    // drive question, say).
    bool eventFilter(QObject* objeto, QEvent* e) override;
};
