#include "platform/Drives.h"

#include "platform/Locator.h"
#include "platform/Paths.h"

#include <QDir>
#include <QStorageInfo>
#include <algorithm>

namespace drives {

namespace {

class SystemTable : public Table {
public:
    std::vector<Drive> All() const override {
        std::vector<Drive> out;
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
            const bool removable = root.startsWith(QLatin1String("/media/")) ||
                                   root.startsWith(QLatin1String("/run/media/")) ||
                                   root.startsWith(QLatin1String("/mnt/"));
            QString label = s.displayName();
            if (label.isEmpty() || label == root)
                label = root == QLatin1String("/") ? QStringLiteral("sistema") : QDir(root).dirName();
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

constinit platform::Locator<Table> locator([]() -> std::shared_ptr<Table> {
    return std::make_shared<SystemTable>();
});

} // namespace

std::vector<Drive> All() {
    return locator.Current().All();
}

void Install(std::shared_ptr<Table> table) {
    locator.Install(std::move(table));
}

QString NativePath(const QString& path) {
    QString rest = path;
    rest.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (path.size() >= 2 && path[1] == QLatin1Char(':') && path[0].isLetter()) {
        const QChar letter = path[0].toUpper();
        for (const Drive& d : All())
            if (d.letter == letter) {
                QString tail = rest.mid(2);
                while (tail.startsWith(QLatin1Char('/')))
                    tail.remove(0, 1);
                return QDir(d.root).filePath(tail);
            }
        // A letter no volume answers to: a path under a folder that cannot exist.
        return QStringLiteral("/nonexistent-drive-%1/").arg(letter) + rest.mid(2);
    }
    return rest;
}

QString DisplayText(const Drive& d) {
    return QStringLiteral("%1: [%2]").arg(d.letter.toLower()).arg(d.label);
}

} // namespace drives
