// make-genie: draws Genio from the keyframed poses of art/genie/animations.json and writes the
// character file Genie.ACS.
//
//   make-genie <animations.json> <Genie.ACS> [--sheet <folder>]
//
// With --sheet it also writes one PNG strip per animation, to look at the artwork.
#include "GenieArt.h"
#include "platform/Agent.h"
#include "platform/CharacterFile.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QSaveFile>
#include <cstdio>

namespace {

struct Generador {
    QJsonObject poses;
    int tween = 2;
    int tweenMs = 45;
    agent::CharacterData data;
    QHash<QByteArray, int> known; // identical poses share one picture

    genie::Pose Pose(const QJsonObject& key) const {
        genie::Pose p = genie::RestPose();
        const QString base = key.value(QLatin1String("pose")).toString();
        if (!base.isEmpty() && base != QLatin1String("rest")) {
            if (!poses.contains(base)) throw std::runtime_error("unknown pose " + base.toStdString());
            Apply(p, poses.value(base).toObject());
        }
        Apply(p, key);
        return p;
    }

    static void Apply(genie::Pose& p, const QJsonObject& o) {
        for (auto it = o.begin(); it != o.end(); ++it) {
            const int i = genie::ParamIndex(it.key());
            if (i >= 0)
                p[size_t(i)] = it.value().toDouble();
            else if (it.key() != QLatin1String("pose") && it.key() != QLatin1String("ms") &&
                     it.key() != QLatin1String("tween"))
                throw std::runtime_error("unknown pose value " + it.key().toStdString());
        }
    }

    agent::CharacterFrame Frame(const genie::Pose& p, int ms) {
        const QByteArray key(reinterpret_cast<const char*>(p.data()), int(sizeof(double) * p.size()));
        int index = known.value(key, -1);
        if (index < 0) {
            index = int(data.pictures.size());
            data.pictures.push_back(genie::Draw(p));
            known.insert(key, index);
        }
        return {index, ms, genie::MouthCentre(p)};
    }

    void Animation(const QString& name, const QJsonArray& keys) {
        std::vector<agent::CharacterFrame> frames;
        genie::Pose previous{};
        for (qsizetype k = 0; k < keys.size(); ++k) {
            const QJsonObject key = keys[k].toObject();
            const genie::Pose pose = Pose(key);
            if (k > 0) {
                const int steps = key.value(QLatin1String("tween")).toInt(tween);
                for (int j = 1; j <= steps; ++j) {
                    double t = double(j) / (steps + 1);
                    t = t * t * (3 - 2 * t); // ease in and out
                    frames.push_back(Frame(genie::Mix(previous, pose, t), tweenMs));
                }
            }
            const int ms = key.value(QLatin1String("ms")).toInt(80);
            if (ms > 0) frames.push_back(Frame(pose, ms));
            previous = pose;
        }
        if (frames.empty()) throw std::runtime_error("empty animation " + name.toStdString());
        data.animations[name] = std::move(frames);
    }
};

void Tira(const agent::CharacterData& d, const QString& name, const QString& folder) {
    const auto& frames = d.animations.at(name);
    const int n = int(frames.size());
    QImage sheet(n * genie::kSize, genie::kSize, QImage::Format_ARGB32_Premultiplied);
    sheet.fill(QColor(0x30, 0x34, 0x40));
    QPainter g(&sheet);
    for (int i = 0; i < n; ++i)
        g.drawImage(i * genie::kSize, 0, d.pictures[size_t(frames[size_t(i)].picture)]);
    g.end();
    sheet.save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: make-genie <animations.json> <Genie.ACS> [--sheet <folder>]\n");
        return 2;
    }
    try {
        QFile in(args[1]);
        if (!in.open(QIODevice::ReadOnly)) throw std::runtime_error("cannot read " + args[1].toStdString());
        QJsonParseError err{};
        const QJsonObject src = QJsonDocument::fromJson(in.readAll(), &err).object();
        if (err.error != QJsonParseError::NoError) throw std::runtime_error(err.errorString().toStdString());

        Generador gen;
        gen.poses = src.value(QLatin1String("poses")).toObject();
        gen.tween = src.value(QLatin1String("tween")).toInt(2);
        gen.tweenMs = src.value(QLatin1String("tweenMs")).toInt(45);
        gen.data.name = QStringLiteral("Genie");
        gen.data.size = QSize(genie::kSize, genie::kSize);
        const QJsonObject anims = src.value(QLatin1String("animations")).toObject();
        for (auto it = anims.begin(); it != anims.end(); ++it)
            gen.Animation(it.key(), it.value().toArray());
        for (int m = 0; m < 3; ++m) {
            gen.data.mouths.push_back(int(gen.data.pictures.size()));
            gen.data.pictures.push_back(genie::DrawMouth(m));
        }
        gen.data.rest = src.value(QLatin1String("rest")).toString();
        gen.data.show = src.value(QLatin1String("show")).toString();
        gen.data.hide = src.value(QLatin1String("hide")).toString();
        for (const QJsonValue& v : src.value(QLatin1String("idle")).toArray())
            gen.data.idle << v.toString();

        const QByteArray bytes = agent::characterfile::Write(gen.data);
        agent::characterfile::Parse(bytes); // never ship a file our own reader refuses
        QSaveFile out(args[2]);
        if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit())
            throw std::runtime_error("cannot write " + args[2].toStdString());

        const qsizetype sheet = args.indexOf(QStringLiteral("--sheet"));
        if (sheet > 0 && sheet + 1 < args.size()) {
            QDir().mkpath(args[sheet + 1]);
            for (const auto& [name, frames] : gen.data.animations)
                Tira(gen.data, name, args[sheet + 1]);
        }
        std::printf("make-genie: %zu animations, %zu pictures, %lld bytes\n", gen.data.animations.size(),
                    gen.data.pictures.size(), static_cast<long long>(bytes.size()));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make-genie: %s\n", e.what());
        return 1;
    }
    return 0;
}
