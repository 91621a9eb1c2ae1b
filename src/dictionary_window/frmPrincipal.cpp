#include "dictionary_window/frmPrincipal.h"

#include "platform/Screen.h"

frmPrincipal::frmPrincipal() { Tag = QStringLiteral("prin"); }

void frmPrincipal::Form_Load() {
    SetHeight(7200);
    SetWidth(9600);
    Screen::SetMousePointer(Screen::vbDefault);
}
