#pragma once
// Start and end of the program.
#include <QString>

class Form;

// The steps of the start, in the order Main takes them. The program's own steps are in
// PasosPrograma; tests substitute recording ones.
class PasosArranque {
public:
    virtual ~PasosArranque() = default;
    virtual bool InstanciaPrevia() = 0;
    virtual void LocalizarDatos() = 0;
    virtual void PunteroEspera() = 0;
    virtual void MostrarPresentacion() = 0;
    virtual void MostrarPrincipal() = 0;
    virtual void CargarAgente(const QString& nombre) = 0;
    virtual void AbrirBaseDatos() = 0; // throws dao::DaoError
    // The database could not be opened: tell the user (path, error number, description).
    virtual void InformarError(const QString& mensaje) = 0;
};

enum class ResultadoMain {
    Continuar,         // the windows are up: run the event loop
    InstanciaRepetida, // another instance runs: end quietly, status 0
    ErrorBaseDatos,    // the database could not be opened: end with status 1
};

// The start of the program, in its fixed order.
ResultadoMain Main(PasosArranque& pasos);

// The real steps. The sound back end and the guide's character are made once the first window
// has painted (see PrimeraPintura.h): the splash's sound and the greeting come then.
class PasosPrograma : public PasosArranque {
public:
    bool InstanciaPrevia() override;
    void LocalizarDatos() override;
    void PunteroEspera() override;
    void MostrarPresentacion() override;
    void MostrarPrincipal() override;
    void CargarAgente(const QString& nombre) override;
    void AbrirBaseDatos() override;
    void InformarError(const QString& mensaje) override;
};

// Tells the skinned windows how each window they lead to is made, which exit sequence their exit
// button runs, and how the data folder's drive is asked for. The program does it once before
// Main; the test programs do it too, so their windows move as the program's do.
void RegistrarVentanas();

// The exit sequence of a main window's exit button, after its click feedback: put the guide
// away when active, close the database, unload the window, pointer back to default. The process
// ends when no window is left.
void SecuenciaSalida(Form* ventana);

// The text of the message shown when the database cannot be opened.
QString MensajeErrorBaseDatos(const QString& ruta, int numero, const QString& descripcion);
