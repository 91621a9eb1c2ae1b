// libFuzzer target for the RTF reader: any bytes, read into a fresh document, must neither crash,
// hang, nor misuse memory. Every other input gets the RTF header in front, so the fuzzer spends
// its time inside the reader rather than on the "not RTF" early return.
#include "platform/RichText.h"

#include <QGuiApplication>
#include <QTextDocument>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char nombre[] = "fuzz_rtf";
    static char* argv[] = {nombre, nullptr};
    static QGuiApplication app(argc, argv);
    // Broken pictures make the image decoders complain on every input; that is expected.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QByteArray rtf(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (size > 0 && (data[0] & 1)) rtf.prepend("{\\rtf1\\ansi ");
    QTextDocument doc;
    QString error;
    const bool ok = richtext::ReadRtf(rtf, doc, &error);
    // The plain text walk touches every block, table cell and image the reader made.
    const QString texto = doc.toPlainText();
    if (ok != richtext::IsRtf(rtf)) __builtin_trap();
    if (!ok && (error.isEmpty() || !doc.isEmpty())) __builtin_trap();
    (void)texto;
    return 0;
}
