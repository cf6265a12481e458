#include <QApplication>
#include <QFileInfo>
#include <cstdio>
#include <optional>
#include <string>

#include "app/tform1.h"
#include "core/version.h"

namespace {

void usage(std::FILE* out) {
    std::fputs(
        "Usage: climstat [--data-dir DIR]\n"
        "The desktop window of climstat; climstat-cli is its command-line twin.\n"
        "\n"
        "Options:\n"
        "  --data-dir DIR   folder of the climate files (else CLIMSTAT_DATA_DIR, then the\n"
        "                   folder chosen on the station page, then database/ beside the\n"
        "                   program, then ~/.local/share/climstat/database)\n"
        "  -h, --help       print this help and exit\n"
        "  --version        print the version and exit\n",
        out);
}

}  // namespace

int main(int argc, char** argv) {
    std::optional<std::string> dataDir;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--data-dir" && i + 1 < argc) {
            dataDir = argv[++i];
        } else if (arg.rfind("--data-dir=", 0) == 0) {
            dataDir = arg.substr(11);
        } else if (arg == "-h" || arg == "--help") {
            usage(stdout);
            return 0;
        } else if (arg == "--version") {
            std::printf("climstat %s\n", climstat::kVersion);
            return 0;
        } else if (arg.rfind("-", 0) == 0 && arg.rfind("-platform", 0) != 0) {
            std::fprintf(stderr, "climstat: unknown option '%s'\n", arg.c_str());
            usage(stderr);
            return 2;
        }
    }
    try {
        QApplication application(argc, argv);
        QApplication::setApplicationDisplayName(climstat::app::kProgramName);
        climstat::app::installSpanishTranslation(application);
        climstat::app::TForm1 window(
            climstat::app::windowSetup(QApplication::applicationDirPath().toStdString(), dataDir));
        window.show();
        return QApplication::exec();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "climstat: %s\n", error.what());
        return 1;
    }
}
