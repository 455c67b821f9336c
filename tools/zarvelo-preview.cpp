// zarvelo-preview: converts a post to its preview page on standard output,
// with the same conversion as the program's preview button.

#include "platform/codepage.h"
#include "platform/largepages.h"
#include "platform/textfile.h"
#include "preview/conversion.h"
#include "preview/previewpage.h"

#include <QByteArray>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <array>
#include <condition_variable>
#include <cstdio>
#include <functional>
#include <mutex>
#include <thread>
#include <type_traits>
#include <vector>

namespace {

constexpr const char *kDescription =
    "Converts a forum post written in bulletin-board markup to the HTML of its\n"
    "preview page, as the preview button of Zarvelo does, and writes it to\n"
    "standard output.\n"
    "\n"
    "The output is Windows-1256 text with nothing added at its end; characters\n"
    "that the code page cannot hold are written as HTML character references.\n"
    "Exit status: 0 on success, 1 when the post cannot be read or the output\n"
    "cannot be written, 2 on a wrong command line.";

void printError(const QString &message)
{
    std::fprintf(stderr, "zarvelo-preview: %s\n", message.toLocal8Bit().constData());
}

/** The post's bytes: a named file is mapped rather than copied, since a long
    post is read once from end to end; standard input is read whole. */
class PostBytes final
{
public:
    /** False, with a reason, when the post cannot be read. */
    bool read(const QString &fileName, QString *error)
    {
        const bool opened = fileName.isEmpty()
            ? m_file.open(stdin, QIODevice::ReadOnly)
            : (m_file.setFileName(fileName), m_file.open(QIODevice::ReadOnly));
        if (!opened) {
            *error = m_file.errorString();
            return false;
        }
        const qint64 size = fileName.isEmpty() ? 0 : m_file.size();
        if (size > 0) {
            if (uchar *mapped = m_file.map(0, size)) {
                zarvelo::adviseReadWhole(mapped, size);
                m_bytes = QByteArrayView(mapped, size);
                return true;
            }
        }
        m_read = m_file.readAll();
        m_bytes = m_read;
        if (m_file.error() != QFileDevice::NoError) {
            *error = m_file.errorString();
            return false;
        }
        return true;
    }

    QByteArrayView bytes() const { return m_bytes; }

private:
    QFile m_file;
    QByteArray m_read;
    QByteArrayView m_bytes;
};

/** Writes text to standard output as Windows-1256 with character references,
    a block at a time from one buffer that stays in the cache: the page never
    exists whole in bytes. */
class PageWriter final
{
public:
    bool open() { return m_out.open(1, QIODevice::WriteOnly | QIODevice::Unbuffered); }

    /** Text that comes in pieces: a surrogate pair cut between two pieces is
        put together again, to be written as one reference. */
    bool write(QStringView text)
    {
        if (m_carry != 0 && !text.isEmpty()) {
            const char16_t pair[2] = {m_carry, text[0].unicode()};
            const bool whole = QChar::isLowSurrogate(pair[1]);
            m_carry = 0;
            if (!encode(QStringView(pair, whole ? 2 : 1)))
                return false;
            if (whole)
                text = text.sliced(1);
        }
        if (!text.isEmpty() && text.back().isHighSurrogate()) {
            m_carry = text.back().unicode();
            text.chop(1);
        }
        return encode(text);
    }

    /** Writes what is held back; false when anything could not be written. */
    bool finish()
    {
        const char16_t last = m_carry;
        m_carry = 0;
        return last == 0 || encode(QStringView(&last, 1));
    }

private:
    bool encode(QStringView text)
    {
        while (!text.isEmpty()) {
            qsizetype count = std::min(kBlock, text.size());
            // A surrogate pair stays in one block.
            if (count < text.size() && text[count - 1].isHighSurrogate())
                --count;
            const char *end =
                zarvelo::encodeWindows1256EscapingUnencodable(text.first(count), m_buffer.data());
            const qint64 size = end - m_buffer.data();
            if (m_out.write(m_buffer.data(), size) != size)
                return false;
            text = text.sliced(count);
        }
        return true;
    }

    static constexpr qsizetype kBlock = 64 * 1024; // code units; the buffer stays in the cache
    QFile m_out;
    std::vector<char> m_buffer = std::vector<char>(size_t(kBlock * zarvelo::kMaxEscapedBytesPerUnit));
    char16_t m_carry = 0; // a high surrogate waiting for its other half
};

/** Writes bytes of the page to standard output as they are. */
class ByteWriter final
{
public:
    bool open() { return m_out.open(1, QIODevice::WriteOnly | QIODevice::Unbuffered); }
    bool write(QByteArrayView bytes) { return m_out.write(bytes.data(), bytes.size()) == bytes.size(); }
    bool finish() { return true; }

private:
    QFile m_out;
};

/**
 * Hands the page's blocks to a writer on a thread of its own, so that
 * they are encoded and written while the conversion makes the next ones:
 * writing a long page into a file costs the system nearly as much as
 * converting it. A few blocks wait in a ring of buffers that keep their
 * memory.
 */
template <class Text, class Writer>
class PipedWriter final
{
public:
    using View = std::conditional_t<std::is_same_v<Text, QString>, QStringView, QByteArrayView>;

    explicit PipedWriter(Writer &writer)
        : m_writer(writer)
        , m_thread([this] { run(); })
    {}

    ~PipedWriter() { finish(); }

    PipedWriter(const PipedWriter &) = delete;
    PipedWriter &operator=(const PipedWriter &) = delete;

    /** Queues a copy of text; false once a write has failed. */
    bool write(View text)
    {
        // Pieces are gathered into big slots: handing one over costs a
        // switch between the threads.
        m_filling.append(text);
        return m_filling.size() < kSlotSize ? !failed() : queue();
    }

    /** Waits for everything queued to be written; false when anything failed. */
    bool finish()
    {
        if (m_thread.joinable()) {
            const bool queued = m_filling.isEmpty() || queue();
            {
                const std::lock_guard lock(m_mutex);
                m_closed = true;
            }
            m_changed.notify_all();
            m_thread.join();
            m_failed = m_failed || !queued;
        }
        return !m_failed;
    }

private:
    static constexpr size_t kSlots = 4;
    static constexpr qsizetype kSlotSize = 256 * 1024; // characters or bytes

    bool failed()
    {
        const std::lock_guard lock(m_mutex);
        return m_failed;
    }

    /** Hands the slot being filled to the writer, and takes a free one back. */
    bool queue()
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_waiting < kSlots || m_failed; });
        if (m_failed)
            return false;
        // The writer only reads queued slots: this one is free.
        std::swap(m_filling, m_slots[(m_first + m_waiting) % kSlots]);
        ++m_waiting;
        lock.unlock();
        m_changed.notify_all();
        m_filling.truncate(0); // keeps its memory for the next slot
        return true;
    }

    void run()
    {
        for (;;) {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [this] { return m_waiting > 0 || m_closed; });
            if (m_waiting == 0) {
                lock.unlock();
                if (!m_writer.finish())
                    fail();
                return;
            }
            const Text &slot = m_slots[m_first];
            lock.unlock();
            const bool written = m_writer.write(slot);
            lock.lock();
            m_first = (m_first + 1) % kSlots;
            --m_waiting;
            m_failed = m_failed || !written;
            m_changed.notify_all();
        }
    }

    void fail()
    {
        const std::lock_guard lock(m_mutex);
        m_failed = true;
        m_changed.notify_all();
    }

    Writer &m_writer;
    Text m_filling;
    std::array<Text, kSlots> m_slots;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    size_t m_first = 0;
    size_t m_waiting = 0;
    bool m_closed = false;
    bool m_failed = false;
    std::thread m_thread; // last: it starts once everything above is ready
};

/** Writes the page's head, the converted post that convert hands to its
    sink, and the page's tail (either may be empty) to standard output,
    through a writer on a thread of its own. False when anything failed. */
template <class Text, class Writer, class Convert>
bool writePage(typename PipedWriter<Text, Writer>::View head, typename PipedWriter<Text, Writer>::View tail,
               const Convert &convert)
{
    using View = typename PipedWriter<Text, Writer>::View;
    Writer writer;
    if (!writer.open())
        return false;
    PipedWriter<Text, Writer> page(writer);
    const bool written = page.write(head)
        && convert(std::function<bool(View)>([&](View block) { return page.write(block); }))
        && page.write(tail);
    return page.finish() && written;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zarvelo-preview"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromLatin1(kDescription));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption bodyOnly(
        QStringLiteral("body"), QStringLiteral("Write only the converted post, without the page around it."));
    parser.addOption(bodyOnly);
    parser.addPositionalArgument(
        QStringLiteral("FILE"),
        QStringLiteral(
            "The post, as Windows-1256 or UTF-8 text; standard input when FILE is absent or \"-\"."),
        QStringLiteral("[FILE]"));
    if (!parser.parse(QCoreApplication::arguments())) {
        printError(parser.errorText() + QStringLiteral(" (try --help)"));
        return 2;
    }
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        // The usage line names the program as it is called, not by its path.
        QString usage = parser.helpText();
        const QString called = QCoreApplication::arguments().constFirst();
        usage.replace(usage.indexOf(called), called.size(), QCoreApplication::applicationName());
        std::fputs(usage.toLocal8Bit().constData(), stdout);
        return 0;
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        printError(QStringLiteral("only one FILE may be given (try --help)"));
        return 2;
    }
    const QString file = files.isEmpty() || files[0] == QLatin1String("-") ? QString() : files[0];
    if (!zarvelo::isWindows1256Available()) {
        printError(QStringLiteral("Qt's windows-1256 converter is not available here"));
        return 1;
    }

    PostBytes input;
    QString error;
    if (!input.read(file, &error)) {
        const QString source = file.isEmpty() ? QStringLiteral("standard input") : file;
        printError(QStringLiteral("cannot read %1: %2").arg(source, error));
        return 1;
    }
    // The converted post goes out as it is made, each block written (and
    // encoded) beside the conversion of the next. The post is read as the
    // editor opens it, UTF-8 or Windows-1256; a Windows-1256 post, which
    // needs neither converter, is converted as the bytes it is.
    const bool whole = !parser.isSet(bodyOnly);
    const zarvelo::TextEncoding encoding = zarvelo::postTextEncoding(input.bytes());
    bool written = false;
    if (encoding == zarvelo::TextEncoding::Windows1256) {
        const auto bytes = [whole](QStringView text) {
            return whole ? zarvelo::encodeWindows1256EscapingUnencodable(text) : QByteArray();
        };
        written = writePage<QByteArray, ByteWriter>(
            bytes(zarvelo::previewPageHead()), bytes(zarvelo::previewPageTail()),
            [&](const auto &sink) { return zarvelo::convertWindows1256MarkupInBlocks(input.bytes(), sink); });
    } else {
        const QString post = zarvelo::decodePostText(input.bytes(), encoding).text;
        written = writePage<QString, PageWriter>(
            whole ? zarvelo::previewPageHead() : QStringView(),
            whole ? zarvelo::previewPageTail() : QStringView(),
            [&](const auto &sink) { return zarvelo::convertMarkupToHtmlInBlocks(post, sink); });
    }
    if (!written) {
        printError(QStringLiteral("cannot write to standard output"));
        return 1;
    }
    return 0;
}
