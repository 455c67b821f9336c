#include "platform/drawingstamp.h"

#include <QCoreApplication>
#include <QCryptographicHash>

#include <fontconfig/fontconfig.h>
#include <sys/stat.h>

namespace zarvelo {

namespace {

/** The file's name, size and time of change: a file written anew changes the stamp. */
void addFile(QCryptographicHash &hash, const char *path)
{
    struct stat info = {};
    if (::stat(path, &info) != 0)
        info = {};
    hash.addData(QByteArrayView(path));
    const qint64 state[] = {qint64(info.st_size), qint64(info.st_ino), qint64(info.st_mtim.tv_sec),
                            qint64(info.st_mtim.tv_nsec)};
    hash.addData(QByteArrayView(reinterpret_cast<const char *>(state), sizeof state));
}

void addFonts(QCryptographicHash &hash, FcSetName set)
{
    const FcFontSet *fonts = FcConfigGetFonts(nullptr, set);
    if (!fonts)
        return;
    for (int i = 0; i < fonts->nfont; ++i) {
        FcPattern *font = fonts->fonts[i];
        FcChar8 *file = nullptr;
        // With its closing zero, so one name never runs on into the numbers after it.
        if (FcPatternGetString(font, FC_FILE, 0, &file) == FcResultMatch)
            hash.addData(QByteArrayView(reinterpret_cast<const char *>(file),
                                        qsizetype(qstrlen(reinterpret_cast<const char *>(file))) + 1));
        int numbers[2] = {};
        FcPatternGetInteger(font, FC_INDEX, 0, &numbers[0]);
        FcPatternGetInteger(font, FC_FONTVERSION, 0, &numbers[1]);
        hash.addData(QByteArrayView(reinterpret_cast<const char *>(numbers), sizeof numbers));
    }
}

} // namespace

QByteArray drawingStamp()
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    addFonts(hash, FcSetSystem);
    addFonts(hash, FcSetApplication);
    if (FcStrList *files = FcConfigGetConfigFiles(nullptr)) {
        while (const FcChar8 *file = FcStrListNext(files))
            addFile(hash, reinterpret_cast<const char *>(file));
        FcStrListDone(files);
    }
    hash.addData(qVersion());
    addFile(hash, QCoreApplication::applicationFilePath().toLocal8Bit().constData());
    return hash.result().toHex();
}

} // namespace zarvelo
