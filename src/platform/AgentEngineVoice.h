#pragma once
// The guide's voice: Spanish speech from the espeak-ng library, synthesised off the user-interface
// thread. espeak-ng keeps global state and is not reentrant, so every synthesis runs on one
// worker thread, one sentence after another.
#include <QByteArray>
#include <QObject>
#include <QString>
#include <functional>

namespace agent::voice {

// Whether speech can be heard at all: the program was built with espeak-ng and the system has an
// audio output. Asked once; the answer is kept for the run.
bool OutputAvailable();

// Whether the program was built with espeak-ng.
bool SynthesisAvailable();

// Starts synthesising `text` in the espeak-ng voice `voiceName` (Spanish, "es", unless another is
// named: "en" speaks English) and returns at once with a job number (0 when synthesis
// is not available). When done, `done(job, pcm, sampleRate)` runs on `context`'s thread with
// mono signed 16-bit samples (empty when the synthesis failed); never if `context` is gone.
using Done = std::function<void(int job, const QByteArray& pcm, int sampleRate)>;
int Synthesize(const QString& text, QObject* context, Done done,
               const QString& voiceName = QStringLiteral("es"));

// A WAV file's bytes for mono signed 16-bit samples.
QByteArray Wav(const QByteArray& pcm, int sampleRate);

} // namespace agent::voice
