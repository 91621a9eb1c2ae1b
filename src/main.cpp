// Palavrix: a multi-language dictionary for Spanish speakers.
#include "startup/General.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Palavrix"));
    QApplication::setOrganizationName(QStringLiteral("Palavrix"));

    RegistrarVentanas();
    PasosPrograma pasos;
    switch (Main(pasos)) {
    case ResultadoMain::InstanciaRepetida:
        return 0;
    case ResultadoMain::ErrorBaseDatos:
        return 1;
    case ResultadoMain::Continuar:
        break;
    }
    return QApplication::exec();
}
