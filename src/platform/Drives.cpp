#include "platform/Drives.h"

#include "platform/Paths.h"

#include <QDir>
#include <QStorageInfo>
#include <algorithm>

namespace drives {

namespace {

class TablaSistema : public Tabla {
public:
    std::vector<Unidad> Unidades() const override {
        std::vector<Unidad> out;
        out.push_back({QLatin1Char('C'), paths::AppPath(), QStringLiteral("programa")});
        struct Vol {
            QString root, label;
            bool removable;
        };
        std::vector<Vol> vols;
        for (const QStorageInfo& s : QStorageInfo::mountedVolumes()) {
            if (!s.isValid() || !s.isReady()) continue;
            const QString dev = QString::fromLocal8Bit(s.device());
            const QString root = s.rootPath();
            if (!dev.startsWith(QLatin1String("/dev/")) && root != QLatin1String("/")) continue;
            const bool removable = root.startsWith(QLatin1String("/media/")) || root.startsWith(QLatin1String("/run/media/")) ||
                                   root.startsWith(QLatin1String("/mnt/"));
            QString label = s.displayName();
            if (label.isEmpty() || label == root) label = root == QLatin1String("/") ? QStringLiteral("sistema") : QDir(root).dirName();
            vols.push_back({root, label, removable});
        }
        std::stable_sort(vols.begin(), vols.end(), [](const Vol& a, const Vol& b) {
            if (a.removable != b.removable) return a.removable;
            return a.root < b.root;
        });
        char letter = 'D';
        for (const auto& v : vols) {
            if (letter > 'Z') break;
            out.push_back({QLatin1Char(letter++), v.root, v.label});
        }
        return out;
    }
};

std::shared_ptr<Tabla>& instalada() {
    static std::shared_ptr<Tabla> t;
    return t;
}

} // namespace

std::vector<Unidad> Unidades() {
    if (instalada()) return instalada()->Unidades();
    static TablaSistema sistema;
    return sistema.Unidades();
}

void Instalar(std::shared_ptr<Tabla> tabla) { instalada() = std::move(tabla); }

QString RutaNativa(const QString& ruta) {
    QString resto = ruta;
    resto.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (ruta.size() >= 2 && ruta[1] == QLatin1Char(':') && ruta[0].isLetter()) {
        const QChar letra = ruta[0].toUpper();
        for (const Unidad& u : Unidades())
            if (u.letra == letra) {
                QString cola = resto.mid(2);
                while (cola.startsWith(QLatin1Char('/'))) cola.remove(0, 1);
                return QDir(u.raiz).filePath(cola);
            }
        // A letter no volume answers to: a path under a folder that cannot exist.
        return QStringLiteral("/nonexistent-drive-%1/").arg(letra) + resto.mid(2);
    }
    return resto;
}

QString TextoUnidad(const Unidad& u) {
    return QStringLiteral("%1: [%2]").arg(u.letra.toLower()).arg(u.etiqueta);
}

} // namespace drives
