#include "platform/AgentEngineVoice.h"

#include <QAudioDevice>
#include <QCoreApplication>
#include <QMediaDevices>
#include <QPointer>
#include <QRunnable>
#include <QThreadPool>
#include <atomic>

#ifdef PALAVRIX_HAVE_ESPEAK
#include <espeak-ng/speak_lib.h>
#endif

namespace agent::voice {

namespace {

#ifdef PALAVRIX_HAVE_ESPEAK
// Only ever touched from the single worker thread of Pool().
int g_rate = 0;
bool g_ready = false;
QString g_voice;
bool g_tried = false;

int Collect(short* wav, int samples, espeak_EVENT* events) {
    if (wav && samples > 0 && events && events->user_data)
        static_cast<QByteArray*>(events->user_data)
            ->append(reinterpret_cast<const char*>(wav), qsizetype(samples) * qsizetype(sizeof(short)));
    return 0;
}

bool Initialise() {
    if (g_tried) return g_ready;
    g_tried = true;
    // DONT_EXIT: a missing voice data folder must be an error here, not the end of the program.
    g_rate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, espeakINITIALIZE_DONT_EXIT);
    if (g_rate <= 0) return false;
    espeak_SetSynthCallback(&Collect);
    if (espeak_SetVoiceByName("es") != EE_OK) return false;
    g_voice = QStringLiteral("es");
    espeak_SetParameter(espeakRATE, 165, 0);
    espeak_SetParameter(espeakPITCH, 62, 0);
    g_ready = true;
    return true;
}

QByteArray SynthesizeNow(const QString& text, const QString& voiceName) {
    QByteArray pcm;
    if (!Initialise()) return pcm;
    if (voiceName != g_voice) {
        if (espeak_SetVoiceByName(voiceName.toUtf8().constData()) != EE_OK) return pcm;
        g_voice = voiceName;
    }
    const QByteArray utf8 = text.toUtf8();
    if (espeak_Synth(utf8.constData(), size_t(utf8.size()) + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8,
                     nullptr, &pcm) != EE_OK)
        pcm.clear();
    return pcm;
}
#endif

QThreadPool& Pool() {
    // Deliberately never destroyed: an idle worker costs nothing at exit, while a destructor
    // running after the application object is gone could wait on a sentence being spoken.
    static QThreadPool* pool = [] {
        auto* p = new QThreadPool;
        p->setMaxThreadCount(1);
        return p;
    }();
    return *pool;
}

std::atomic<int> g_job{0};

} // namespace

bool SynthesisAvailable() {
#ifdef PALAVRIX_HAVE_ESPEAK
    return true;
#else
    return false;
#endif
}

bool OutputAvailable() {
    static const bool available = SynthesisAvailable() && QCoreApplication::instance() &&
                                  !QMediaDevices::audioOutputs().isEmpty() &&
                                  !QMediaDevices::defaultAudioOutput().isNull();
    return available;
}

int Synthesize(const QString& text, QObject* context, Done done, const QString& voiceName) {
#ifdef PALAVRIX_HAVE_ESPEAK
    const int job = ++g_job;
    QPointer<QObject> target(context);
    Pool().start([job, text, voiceName, target, done = std::move(done)]() {
        const QByteArray pcm = SynthesizeNow(text, voiceName);
        const int rate = g_rate;
        // Handed to the main thread, where the target is looked at: it may be gone by then.
        QCoreApplication* app = QCoreApplication::instance();
        if (!app) return;
        QMetaObject::invokeMethod(
            app,
            [job, pcm, rate, target, done]() {
                if (target) done(job, pcm, rate);
            },
            Qt::QueuedConnection);
    });
    return job;
#else
    Q_UNUSED(text);
    Q_UNUSED(context);
    Q_UNUSED(done);
    Q_UNUSED(voiceName);
    return 0;
#endif
}

QByteArray Wav(const QByteArray& pcm, int sampleRate) {
    QByteArray wav;
    auto n32 = [&wav](quint32 v) {
        for (int i = 0; i < 4; ++i)
            wav.append(char((v >> (8 * i)) & 0xFF));
    };
    auto n16 = [&wav](quint16 v) {
        wav.append(char(v & 0xFF));
        wav.append(char(v >> 8));
    };
    wav.append("RIFF", 4);
    n32(quint32(36 + pcm.size()));
    wav.append("WAVEfmt ", 8);
    n32(16);
    n16(1); // PCM
    n16(1); // mono
    n32(quint32(sampleRate));
    n32(quint32(sampleRate) * 2);
    n16(2);
    n16(16);
    wav.append("data", 4);
    n32(quint32(pcm.size()));
    wav.append(pcm);
    return wav;
}

} // namespace agent::voice
