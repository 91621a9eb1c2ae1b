#pragma once
// Notices to the user: something went wrong that the user should know of, but the program goes
// on (a setting that could not be saved, a picture that could not be read). A notice never
// waits for an answer, so no window freezes behind it, and it never outlives the program: the
// exit sequence closes whatever notice is still open.
#include <QString>
#include <memory>

namespace avisos {

class Avisador {
public:
    virtual ~Avisador() = default;
    // Shows `texto` (Spanish, one or two sentences) and returns at once.
    virtual void Avisar(const QString& texto) = 0;
    // Closes every notice still shown.
    virtual void CerrarTodos() = 0;
};

// The one in use: a small warning window on top of the program's, unless a test installed another.
Avisador& Actual();
// Installs another (tests install a recording one); nullptr restores the default.
void Instalar(std::shared_ptr<Avisador> avisador);

inline void Avisar(const QString& texto) { Actual().Avisar(texto); }
inline void CerrarTodos() { Actual().CerrarTodos(); }

} // namespace avisos
