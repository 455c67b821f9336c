// zarvelo-preview: converts a post to its preview page on standard output,
// with the same conversion as the program's preview button.

#include "platform/codepage.h"
#include "platform/textfile.h"
#include "preview/conversion.h"
#include "preview/previewpage.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

#include <cstdio>

namespace {

constexpr const char *kUsage = "Usage: zarvelo-preview [--body] [FILE]\n"
                               "\n"
                               "Converts a forum post written in bulletin-board markup to the HTML of its\n"
                               "preview page, as the preview button of Zarvelo does, and writes it to\n"
                               "standard output.\n"
                               "\n"
                               "  FILE     the post, as Windows-1256 or UTF-8 text; standard input when\n"
                               "           FILE is absent or \"-\"\n"
                               "  --body   write only the converted post, without the page around it\n"
                               "  --help   show this help and exit\n"
                               "\n"
                               "The output is Windows-1256 text with nothing added at its end; characters\n"
                               "that the code page cannot hold are written as HTML character references.\n"
                               "Exit status: 0 on success, 1 when the post cannot be read or the output\n"
                               "cannot be written, 2 on a wrong command line.\n";

struct Options
{
    bool body = false;
    bool help = false;
    QString file; // empty: standard input
    QString error;
};

Options parseArguments(int argc, char *argv[])
{
    Options options;
    bool haveFile = false;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            options.help = true;
        } else if (arg == QLatin1String("--body")) {
            options.body = true;
        } else if (arg.startsWith(QLatin1Char('-')) && arg != QLatin1String("-")) {
            options.error = QStringLiteral("unknown option %1").arg(arg);
        } else if (haveFile) {
            options.error = QStringLiteral("only one FILE may be given");
        } else {
            haveFile = true;
            if (arg != QLatin1String("-"))
                options.file = arg;
        }
    }
    return options;
}

/** Reads the whole post; false with a reason when it cannot. */
bool readPost(const QString &fileName, QByteArray *bytes, QString *error)
{
    QFile file;
    const bool opened = fileName.isEmpty() ? file.open(stdin, QIODevice::ReadOnly)
                                           : (file.setFileName(fileName), file.open(QIODevice::ReadOnly));
    if (!opened) {
        *error = file.errorString();
        return false;
    }
    *bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *error = file.errorString();
        return false;
    }
    return true;
}

void printError(const QString &message)
{
    std::fprintf(stderr, "zarvelo-preview: %s\n", message.toLocal8Bit().constData());
}

} // namespace

int main(int argc, char *argv[])
{
    const Options options = parseArguments(argc, argv);
    if (!options.error.isEmpty()) {
        printError(options.error + QStringLiteral(" (try --help)"));
        return 2;
    }
    if (options.help) {
        std::fputs(kUsage, stdout);
        return 0;
    }

    QByteArray input;
    QString error;
    if (!readPost(options.file, &input, &error)) {
        const QString source = options.file.isEmpty() ? QStringLiteral("standard input") : options.file;
        printError(QStringLiteral("cannot read %1: %2").arg(source, error));
        return 1;
    }
    // The post is read as the editor opens it, UTF-8 or Windows-1256.
    zarvelo::PostTextDecoder decoder;
    decoder.feed(input);
    const QString body = zarvelo::convertMarkupToHtml(decoder.finish(input.size()).text);
    const QString text = options.body ? body : zarvelo::previewPageText(body);
    const QByteArray output = zarvelo::encodeWindows1256(zarvelo::escapeUnencodableAsHtml(text)).bytes;
    if (std::fwrite(output.constData(), 1, size_t(output.size()), stdout) != size_t(output.size())
        || std::fflush(stdout) != 0) {
        printError(QStringLiteral("cannot write to standard output"));
        return 1;
    }
    return 0;
}
