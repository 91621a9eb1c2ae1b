#pragma once
// Effect sounds and pronunciations from the data folder. Failures are silence, always.
#include <QString>

// RutaDatos & "\SONIDOS\" & nombre.
QString RutaSonido(const QString& nombre);
// RutaDatos & "\PRONUN\" & first character & "\" & nombre; no extension is added.
QString RutaPronunciacion(const QString& nombre);

void ReproducirSonido(const QString& nombre, bool esperar);
void ReproducirPronunciacion(const QString& nombre, bool esperar);
// The English pronunciation of a translated form ("books"): its recording when there is one,
// else spoken live by espeak-ng, asynchronously.
void PronunciarForma(const QString& texto);
// True when the computer can play sound. Otherwise false, after a notice (once a run) that the
// pronunciation cannot be heard: the one sound a user asks for must not fail in silence.
bool PuedeSonar();
