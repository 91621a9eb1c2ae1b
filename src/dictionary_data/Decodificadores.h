#pragma once
// The grammatical codes of the dictionary rows and their names. A code is compared whole and
// case-sensitively; anything else, the empty text included, has no name.
#include <QString>

QString DescribirTipo(const QString& codigo);
QString DescribirGenero(const QString& codigo);
QString DescribirNumero(const QString& codigo);
