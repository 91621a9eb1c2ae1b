#include "Muestras.h"

#include "dictionary_data/Direcciones.h"
#include "dictionary_data/Formas.h"
#include "platform/Dao.h"
#include "platform/Paths.h"
#include "translator/Buscador.h"

#include <QFile>

namespace generador {

namespace {
constexpr const char* kIdiomas[] = {"spa", "eng", "spa", "por", "spa", "fra"};
}

std::vector<Medida> MedirMuestras(const QString& baseDatos, const QString& carpetaPrograma,
                                  const QString& carpetaMuestras) {
    std::vector<Medida> medidas;
    paths::SetAppPath(carpetaPrograma);
    formas::Olvidar();
    auto db = dao::DBEngine().Workspaces(0).OpenDatabase(baseDatos);
    for (size_t d = 0; d < kDirecciones.size(); ++d) {
        QFile f(carpetaMuestras + QStringLiteral("/%1.txt").arg(QLatin1String(kIdiomas[d])));
        if (!f.open(QIODevice::ReadOnly)) continue;
        const QString texto = QString::fromUtf8(f.readAll());
        Medida m;
        m.tabla = QLatin1String(kDirecciones[d].tabla);
        m.idioma = QLatin1String(kIdiomas[d]);
        traduccion::Buscador b(*db, static_cast<int>(d));
        traduccion::Traducir(texto, [&](const QString& p) {
            ++m.palabras;
            const QString t = b.BuscarTraduccion(p);
            if (!(t.size() == p.size() + 2 && t.startsWith(QLatin1Char('<')) && t.endsWith(QLatin1Char('>'))))
                ++m.traducidas;
            return t;
        });
        medidas.push_back(m);
    }
    db->Close();
    formas::Olvidar();
    paths::SetAppPath(QString());
    return medidas;
}

} // namespace generador
