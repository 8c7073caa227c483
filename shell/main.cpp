// cs-tolvar: the desktop program.
#include <QApplication>
#include <cstdio>

#include "document/Product.h"
#include "shell/TolvarApp.h"

int main(int argc, char* argv[]) {
    // --help and --version answer before a window system is needed.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const SCommandLine line = ParseCommandLine(arguments);
    if (line.help) {
        std::printf("Usage: cs-tolvar [/VURARID] [--no-splash]\n"
                    "       cs-tolvar --print-pdf DATAFILE PDFFILE [--view ID]\n\n"
                    "Cloning software for the VK-Tolvar repeater.\n\n"
                    "  /VURARID, -vurarid   start in maker-reserved mode (asks first)\n"
                    "  --open FILE          open a data file (.zcf) at start\n"
                    "  --print-pdf DATAFILE PDFFILE [--view ID]\n"
                    "                       print all sheets of the data file's variant (or\n"
                    "                       the one view) to a PDF file, without a window\n"
                    "  --no-splash          start without the splash window\n"
                    "  --version            print the version and exit\n"
                    "  --help               print this help and exit\n\n"
                    "A file name without --open is not opened.\n"
                    "The command-line companion is tolvar (see tolvar --help).\n");
        return 0;
    }
    if (line.version) {
        std::printf("cs-tolvar %s (%s %s)\n", TOLVAR_VERSION, kProductName, kRevisionShort);
        return 0;
    }
    if (!line.usageError.isEmpty()) {
        std::fprintf(stderr, "cs-tolvar: %s (see cs-tolvar --help)\n", qPrintable(line.usageError));
        return 64;
    }
    if (line.printPdf) {
        // No window: no display is needed.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        QApplication app(argc, argv);
        QApplication::setApplicationName(QString::fromUtf8(kProfileApplication));
        QApplication::setOrganizationName(QString::fromUtf8(kProfileOrganisation));
        CTolvarApp tolvar;
        return tolvar.PrintFileToPdf(line.printData, line.printOutput, line.printView);
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(kProfileApplication));
    QApplication::setOrganizationName(QString::fromUtf8(kProfileOrganisation));
    QApplication::setApplicationVersion(QStringLiteral(TOLVAR_VERSION));
    CTolvarApp tolvar;
    if (!tolvar.InitInstance(QApplication::arguments())) return 0;
    return QApplication::exec();
}
