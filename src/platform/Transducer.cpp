#include "platform/Transducer.h"

#include "platform/Files.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <lttoolbox/fst_processor.h>
#include <lttoolbox/input_file.h>
#include <unicode/ustdio.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace lt {

namespace {

// lttoolbox reads and writes C streams; one call runs over a string in memory both ways.
class Stream {
public:
    explicit Stream(const QByteArray& input) : input_bytes_(input) {
        in_ = fmemopen(input_bytes_.data(), static_cast<size_t>(input_bytes_.size()), "r");
        out_ = open_memstream(&buffer_, &size_);
        if (out_) uout_ = u_finit(out_, nullptr, "UTF-8");
        if (in_) input_.wrap(in_);
    }
    ~Stream() {
        if (uout_) u_fclose(uout_);
        if (out_) std::fclose(out_);
        // The input stream belongs to input_, which closes it.
        std::free(buffer_);
    }
    Stream(const Stream&) = delete;
    Stream& operator=(const Stream&) = delete;
    bool Ready() const { return in_ && uout_; }
    InputFile& Input() { return input_; }
    UFILE* Output() { return uout_; }
    QString Text() {
        u_fflush(uout_);
        std::fflush(out_);
        return QString::fromUtf8(buffer_, static_cast<qsizetype>(size_));
    }

private:
    QByteArray input_bytes_;
    InputFile input_;
    FILE* in_ = nullptr;
    FILE* out_ = nullptr;
    UFILE* uout_ = nullptr;
    char* buffer_ = nullptr;
    size_t size_ = 0;
};

// Far above any transducer or description Apertium ships: a bigger file is not ours.
constexpr qint64 kMaxFile = 256 * 1024 * 1024;
constexpr qint64 kMaxDescription = 64 * 1024;

} // namespace

std::optional<QByteArray> ReadRegularFile(const QString& path, qint64 maxSize) {
    files::Contents c = files::ReadRegular(path, maxSize);
    if (!c.ok()) return std::nullopt;
    return std::move(c.bytes);
}

std::optional<QByteArray> ReadVerified(const QString& path, const Recorded& record) {
    auto bytes = ReadRegularFile(path, record.size);
    if (!bytes || bytes->size() != record.size ||
        QCryptographicHash::hash(*bytes, QCryptographicHash::Sha256).toHex() != record.sha256)
        return std::nullopt;
    return bytes;
}

std::optional<Records> ReadRecords(const QString& folder, const QString& pair) {
    const auto text =
        ReadRegularFile(QDir(folder).filePath(pair + QStringLiteral(".frases")), kMaxDescription);
    if (!text) return std::nullopt;
    Records records;
    for (const QByteArray& line : text->split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.first() != "archivo") continue;
        bool ok = false;
        const qint64 size = fields.size() == 4 ? fields[2].toLongLong(&ok) : -1;
        const QString name = QString::fromUtf8(fields.value(1));
        QByteArray digest = fields.value(3).toLower();
        const bool hex = digest.size() == 64 && std::all_of(digest.cbegin(), digest.cend(), [](char c) {
                             return std::isxdigit(static_cast<unsigned char>(c)) != 0;
                         });
        if (!ok || size < 0 || !hex || name.isEmpty() || name.contains(QLatin1Char('/')) ||
            name.startsWith(QLatin1Char('.')))
            return std::nullopt;
        records.insert(name, {size, std::move(digest)});
    }
    return records;
}

QString Escape(const QString& text) {
    static const QString reserved = QStringLiteral("^$/\\@*[]{}<>#~+");
    QString r;
    r.reserve(text.size() + 4);
    for (QChar c : text) {
        if (reserved.contains(c)) r += QLatin1Char('\\');
        // A line break would end the word early; nobody looks up a word that holds one.
        r += (c == QLatin1Char('\n') || c == QLatin1Char('\r')) ? QLatin1Char(' ') : c;
    }
    return r;
}

QStringList Readings(const QString& unit) {
    const qsizetype start = unit.indexOf(QLatin1Char('^'));
    if (start < 0) return {};
    QStringList parts{QString()};
    for (qsizetype i = start + 1; i < unit.size(); ++i) {
        const QChar c = unit[i];
        if (c == QLatin1Char('\\') && i + 1 < unit.size()) {
            parts.last() += c;
            parts.last() += unit[++i];
        } else if (c == QLatin1Char('$')) {
            break;
        } else if (c == QLatin1Char('/')) {
            parts << QString();
        } else {
            parts.last() += c;
        }
    }
    parts.removeFirst();
    QStringList readings;
    for (const QString& p : parts)
        if (!p.isEmpty() && !p.startsWith(QLatin1Char('*')) && !p.startsWith(QLatin1Char('@')) &&
            !p.startsWith(QLatin1Char('#')))
            readings << p;
    return readings;
}

std::unique_ptr<Transducer> Transducer::Load(const QString& file, Mode mode) {
    auto bytes = ReadRegularFile(file, kMaxFile);
    if (!bytes) return nullptr;
    return FromBytes(std::move(*bytes), mode);
}

std::unique_ptr<Transducer> Transducer::LoadVerified(const QString& folder, const QString& name,
                                                     const Records& records, Mode mode) {
    const auto record = records.constFind(name);
    if (record == records.constEnd() || record->size > kMaxFile) return nullptr;
    auto bytes = ReadVerified(QDir(folder).filePath(name), *record);
    if (!bytes) return nullptr;
    return FromBytes(std::move(*bytes), mode);
}

std::unique_ptr<Transducer> Transducer::FromBytes(QByteArray bytes, Mode mode) {
    // lttoolbox reads whatever it is given and trusts it; only bytes that start as its own
    // format does ("LTTB") are handed over.
    if (!bytes.startsWith("LTTB")) return nullptr;
    FILE* f = fmemopen(bytes.data(), static_cast<size_t>(bytes.size()), "rb");
    if (!f) return nullptr;
    auto fst = std::make_unique<FSTProcessor>();
    try {
        fst->load(f);
    } catch (...) {
        std::fclose(f);
        return nullptr;
    }
    std::fclose(f);
    try {
        switch (mode) {
        case Mode::Analysis:
            fst->setDictionaryCaseMode(true);
            fst->initAnalysis();
            break;
        case Mode::Bilingual:
            fst->initBiltrans();
            break;
        case Mode::Generation:
            fst->initGeneration();
            break;
        case Mode::Postgeneration:
            fst->initPostgeneration();
            break;
        }
    } catch (...) {
        return nullptr;
    }
    if (!fst->valid()) return nullptr;
    return std::unique_ptr<Transducer>(new Transducer(std::move(fst), mode));
}

namespace {
std::atomic<int> vivos{0};
} // namespace

Transducer::Transducer(std::unique_ptr<FSTProcessor> fst, Mode mode) : fst_(std::move(fst)), mode_(mode) {
    ++vivos;
}
Transducer::~Transducer() {
    --vivos;
}

int Transducer::Live() {
    return vivos.load();
}

QString Transducer::Process(const QString& input) {
    // The processor keeps what it read ahead between calls; input that ends on a blank leaves
    // nothing behind for the next word.
    Stream stream(input.toUtf8() + '\n');
    if (!stream.Ready()) return {};
    try {
        switch (mode_) {
        case Mode::Analysis:
            fst_->analysis(stream.Input(), stream.Output());
            break;
        case Mode::Bilingual:
            fst_->bilingual(stream.Input(), stream.Output());
            break;
        case Mode::Generation:
            fst_->generation(stream.Input(), stream.Output(), gm_unknown);
            break;
        case Mode::Postgeneration:
            fst_->postgeneration(stream.Input(), stream.Output());
            break;
        }
    } catch (...) {
        return {};
    }
    return stream.Text();
}

QStringList Transducer::Analyse(const QString& word) {
    if (mode_ != Mode::Analysis || word.isEmpty() || word.size() > kLongestWord) return {};
    return Readings(Process(Escape(word)));
}

QStringList Transducer::Translate(const QString& reading) {
    if (mode_ != Mode::Bilingual || reading.isEmpty()) return {};
    // The bilingual lookup has a call of its own that needs no stream: four times faster, and a
    // text translation makes one for every reading of every word that is no headword.
    const QString unit = QLatin1Char('^') + reading + QLatin1Char('$');
    UString r;
    try {
        r = fst_->biltrans(
            UStringView(reinterpret_cast<const UChar*>(unit.utf16()), static_cast<size_t>(unit.size())),
            true);
    } catch (...) {
        return {};
    }
    // It answers "^t1/t2$", the translations alone: give it a surface form to drop.
    const QString text =
        QString::fromUtf16(reinterpret_cast<const char16_t*>(r.data()), static_cast<qsizetype>(r.size()));
    if (!text.startsWith(QLatin1Char('^'))) return {};
    return Readings(QStringLiteral("^-/") + text.mid(1));
}

QString Transducer::Generate(const QString& reading) {
    if (mode_ != Mode::Generation || reading.isEmpty()) return {};
    const QString r = Process(QLatin1Char('^') + reading + QLatin1Char('$')).trimmed();
    if (r.isEmpty() || r.contains(QLatin1Char('#')) || r.contains(QLatin1Char('@')) ||
        r.contains(QLatin1Char('<')))
        return {};
    // Escapes in the output ("\/") are the stream's, not the word's.
    QString clean;
    for (qsizetype i = 0; i < r.size(); ++i) {
        if (r[i] == QLatin1Char('\\') && i + 1 < r.size()) ++i;
        clean += r[i];
    }
    return clean;
}

QString Transducer::Postgenerate(const QString& text) {
    if (mode_ != Mode::Postgeneration || text.isEmpty()) return text;
    if (!text.contains(QLatin1Char('~'))) return text;
    // A marked word joins the next only when a blank and something more follow it: "~de ~o" at
    // the end of the text stays apart, "~de ~o ." becomes "do .". Those are added and taken off.
    QString r = Process(text + QLatin1String(" ."));
    while (r.endsWith(QLatin1Char('\n')))
        r.chop(1);
    if (!r.endsWith(QLatin1String(" ."))) return QString(text).remove(QLatin1Char('~'));
    r.chop(2);
    r.remove(QLatin1Char('~'));
    return r;
}

} // namespace lt
