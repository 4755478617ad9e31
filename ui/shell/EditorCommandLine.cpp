#include "ui/shell/EditorCommandLine.h"

#include <QCommandLineParser>
#include <cstdio>

#include "TolvaneVersion.h"

namespace {

constexpr int kExitUsage = 64;

const char* const kUsage =
    "Aufruf: tolvane [OPTION] [DATEI]\n"
    "Startet den Editor für GUI-Ressourcenbibliotheken mit einer neuen Bibliothek oder mit "
    "DATEI.\n"
    "Läuft der Editor schon, öffnet er DATEI.\n\n"
    "  -h, --help       zeigt diese Hilfe\n"
    "  -v, --version    zeigt die Versionsnummer\n";

void print(std::FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
}

EditorStart usageError(const QString& problem) {
    print(stderr, QStringLiteral("tolvane: %1\n").arg(problem));
    std::fputs(kUsage, stderr);
    return {kExitUsage, {}};
}

}  // namespace

EditorStart readEditorCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")}, QString());
    parser.addOption(help);
    parser.addOption(version);
    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        if (unknown.isEmpty()) {
            return usageError(parser.errorText());
        }
        const QString& name = unknown.constFirst();
        return usageError(
            QStringLiteral("unbekannte Option: %1%2")
                .arg(name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--"), name));
    }
    if (parser.isSet(help)) {
        std::fputs(kUsage, stdout);
        return {0, {}};
    }
    if (parser.isSet(version)) {
        std::printf("tolvane %s\n", kTolvaneVersion);
        return {0, {}};
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        return usageError(QStringLiteral("nur eine Datei kann geöffnet werden"));
    }
    return {std::nullopt, files.value(0)};
}
