// libFuzzer's entry for one target, named at build time (FUZZ_TARGET);
// built only by scripts/fuzz, with clang.

#include "FuzzTargets.h"

#include <QGuiApplication>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The print target lays pages out with fonts: it needs the GUI side of Qt.
    static int argc = 1;
    static char name[] = "ossarion-fuzz";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QGuiApplication(argc, argv);
    }();
    Q_UNUSED(app);
    fuzz::run(QStringLiteral(FUZZ_TARGET),
              QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    return 0;
}
