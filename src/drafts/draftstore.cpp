#include "drafts/draftstore.h"

#include "drafts/runrecord.h"
#include "platform/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QStringDecoder>

#include <algorithm>
#include <atomic>
#include <limits>
#include <set>
#include <utility>

namespace zarvelo {

namespace {

constexpr int kFormatVersion = 1;
// A header line is a few hundred bytes; a longer first line is not a header.
constexpr qint64 kHeaderLimit = 64 * 1024;

const QString kVersionKey = QStringLiteral("zarvelo-draft");
const QString kSavedKey = QStringLiteral("saved");
const QString kFileKey = QStringLiteral("file");
const QString kBytesKey = QStringLiteral("bytes");
const QString kRunKey = QStringLiteral("run");
const QString kUnsavedKey = QStringLiteral("unsaved");

struct Header
{
    QDateTime saved;
    QString fileName;
    QString run;
    bool unsaved = true;
    qint64 bytes = -1;
    QString problem; // empty when the header is sound
};

Header parseHeader(QByteArrayView line)
{
    Header header;
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(line.toByteArray(), &error);
    const QJsonObject object = document.object();
    if (error.error != QJsonParseError::NoError || !document.isObject()
        || object.value(kVersionKey).toInt() != kFormatVersion) {
        header.problem = QStringLiteral("ليست ملف مسودة");
        return header;
    }
    header.saved = QDateTime::fromString(object.value(kSavedKey).toString(), Qt::ISODateWithMs);
    header.fileName = object.value(kFileKey).toString();
    header.bytes = object.value(kBytesKey).toInteger(-1);
    // Drafts written before runs were recorded have neither.
    header.run = object.value(kRunKey).toString();
    header.unsaved = object.value(kUnsavedKey).toBool(true);
    // Only years the written form spells in four digits come back the same.
    const int year = header.saved.toUTC().date().year();
    if (!header.saved.isValid() || year < 1 || year > 9999 || header.bytes < 0)
        header.problem = QStringLiteral("رأس المسودة ناقص");
    return header;
}

QDateTime fileTime(const QString &path)
{
    return QFileInfo(path).lastModified();
}

/** When a draft was written and by which run, from its header alone, so
    that ordering fifty drafts never reads their posts. */
Header headerOf(const QString &path)
{
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        Header header = parseHeader(file.readLine(kHeaderLimit));
        if (header.problem.isEmpty())
            return header;
    }
    Header header;
    header.saved = fileTime(path);
    return header;
}

bool newestFirst(const std::pair<QDateTime, QString> &a, const std::pair<QDateTime, QString> &b)
{
    return a.first != b.first ? a.first > b.first : a.second > b.second;
}

struct Kept
{
    QDateTime saved;
    QString name;
    QString run;
};

} // namespace

QByteArray encodeDraft(const QDateTime &saved, const QString &fileName, const QString &text,
                       const QString &run, bool unsaved)
{
    const QByteArray body = text.toUtf8();
    QJsonObject header;
    header.insert(kVersionKey, kFormatVersion);
    header.insert(kSavedKey, saved.toUTC().toString(Qt::ISODateWithMs));
    header.insert(kFileKey, fileName);
    header.insert(kBytesKey, qint64(body.size()));
    if (!run.isEmpty())
        header.insert(kRunKey, run);
    header.insert(kUnsavedKey, unsaved);
    // The compact form never holds a raw line break, so the header is one line.
    return QJsonDocument(header).toJson(QJsonDocument::Compact) + '\n' + body;
}

Draft decodeDraft(const QByteArray &bytes)
{
    Draft draft;
    draft.damaged = true;
    const qsizetype end = bytes.indexOf('\n');
    if (end < 0 || end > kHeaderLimit) {
        draft.problem = QStringLiteral("ليست ملف مسودة");
        return draft;
    }
    const Header header = parseHeader(QByteArrayView(bytes).first(end));
    draft.saved = header.saved;
    draft.fileName = header.fileName;
    draft.run = header.run;
    draft.unsaved = header.unsaved;
    if (!header.problem.isEmpty()) {
        draft.problem = header.problem;
        return draft;
    }
    const QByteArrayView body = QByteArrayView(bytes).sliced(end + 1);
    if (body.size() != header.bytes) {
        draft.problem =
            QStringLiteral("المسودة مقطوعة أو زائدة: %1 بايت من %2").arg(body.size()).arg(header.bytes);
        return draft;
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    draft.text = utf8.decode(body);
    if (utf8.hasError()) {
        draft.text.clear();
        draft.problem = QStringLiteral("نص المسودة ليس UTF-8 سليماً");
        return draft;
    }
    draft.damaged = false;
    return draft;
}

DraftStore::DraftStore(QString folder, Clock clock)
    : m_folder(std::move(folder))
    , m_clock(clock ? std::move(clock) : Clock([] { return QDateTime::currentDateTimeUtc(); }))
{}

QString DraftStore::defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/drafts");
}

QString DraftStore::newId() const
{
    // The time and a count keep names in the order they were started, even
    // within one millisecond; the random part keeps two programs running at
    // once from sharing a name.
    static std::atomic<unsigned> started{0};
    return m_clock().toUTC().toString(QStringLiteral("yyyyMMdd-HHmmsszzz")) + u'-'
        + QString::number(started++ % 100000).rightJustified(5, u'0') + u'-'
        + QString::number(QRandomGenerator::global()->generate(), 16).rightJustified(8, u'0')
        + QLatin1String(kSuffix);
}

QString DraftStore::pathOf(const QString &id) const
{
    return m_folder + u'/' + id;
}

DraftWrite DraftStore::write(const QString &id, const QString &text, const QString &fileName, bool unsaved)
{
    DraftWrite result;
    // A failure here shows as the save file's own reason just below.
    QDir().mkpath(m_folder);
    const QString path = pathOf(id);
    const bool isNew = !QFileInfo::exists(path);
    // Recorded before its first draft is on disk, so that a crash is never
    // missed; a run that writes none leaves nothing behind. Unrecorded (a
    // folder that refuses it), a draft is still kept, only never offered.
    const QString run = m_run && m_run->start() ? m_run->id() : QString();
    const TextFileWrite written =
        writeFileAtomically(path, encodeDraft(m_clock(), fileName, text, run, unsaved));
    if (!written.ok) {
        result.error = written.error;
        return result;
    }
    if (isNew)
        prune(id);
    result.ok = true;
    return result;
}

void DraftStore::prune(const QString &keep) const
{
    const QDir dir(m_folder);
    const QStringList names = dir.entryList({u'*' + QLatin1String(kSuffix)}, QDir::Files);
    if (names.size() <= kKept)
        return;
    std::vector<Kept> drafts;
    for (const QString &name : names) {
        if (name == keep) {
            drafts.push_back({QDateTime::fromMSecsSinceEpoch(std::numeric_limits<qint64>::max() / 2), name,
                              m_run ? m_run->id() : QString()});
            continue;
        }
        Header header = headerOf(dir.filePath(name));
        drafts.push_back({header.saved, name, std::move(header.run)});
    }
    std::sort(drafts.begin(), drafts.end(), [](const Kept &a, const Kept &b) {
        return newestFirst({a.saved, a.name}, {b.saved, b.name});
    });
    const QSet<QString> recorded = RunRecord::recordedRuns(m_folder);
    std::set<QString> runsSeen;
    for (size_t i = 0; i < drafts.size(); ++i) {
        // Newest first, so a run's first draft here is its newest.
        const QString &run = drafts[i].run;
        const bool newestOfRecordedRun =
            !run.isEmpty() && runsSeen.insert(run).second && recorded.contains(run);
        if (i >= size_t(kKept) && !newestOfRecordedRun)
            QFile::remove(dir.filePath(drafts[i].name));
    }
}

std::vector<Draft> DraftStore::list() const
{
    const QDir dir(m_folder);
    std::vector<Draft> drafts;
    for (const QString &name : dir.entryList({u'*' + QLatin1String(kSuffix)}, QDir::Files)) {
        const QString path = dir.filePath(name);
        QFile file(path);
        Draft draft;
        if (file.open(QIODevice::ReadOnly)) {
            draft = decodeDraft(file.readAll());
        } else if (!file.exists()) {
            continue; // removed while the folder was read, by a newer draft's write
        } else {
            draft.damaged = true;
            draft.problem = file.errorString();
        }
        draft.id = name;
        if (!draft.saved.isValid())
            draft.saved = fileTime(path);
        drafts.push_back(std::move(draft));
    }
    std::sort(drafts.begin(), drafts.end(), [](const Draft &a, const Draft &b) {
        return newestFirst({a.saved, a.id}, {b.saved, b.id});
    });
    return drafts;
}

bool DraftStore::remove(const QString &id, QString *error) const
{
    QFile file(pathOf(id));
    if (id.contains(u'/') || !file.remove()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace zarvelo
