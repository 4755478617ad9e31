#include "ui/shell/EditorCommandLine.h"

#include <QCommandLineParser>
#include <QStringDecoder>
#include <QStringList>
#include <cstdio>
#include <optional>

#include "TolvaneVersion.h"

namespace {

constexpr int kExitUsage = 64;
constexpr int kExitUnreadableName = 1;

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

// The arguments as text; none, after telling why, when one after the program's name is not
// valid UTF-8.
std::optional<QStringList> decodedArguments(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        arguments.append(decoder.decode(QByteArrayView(argv[i])));
        if (decoder.hasError() && i > 0) {
            std::fprintf(stderr, "tolvane: %s: der Name ist kein gültiges UTF-8\n", argv[i]);
            return std::nullopt;
        }
    }
    return arguments;
}

}  // namespace

EditorStart readEditorCommandLine(int argc, char** argv) {
    const std::optional<QStringList> arguments = decodedArguments(argc, argv);
    if (!arguments) {
        return {kExitUnreadableName, {}};
    }
    QCommandLineParser parser;
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")}, QString());
    parser.addOption(help);
    parser.addOption(version);
    if (!parser.parse(*arguments)) {
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
