#pragma once

#include <QString>
#include <QStringView>

namespace zarvelo {

/** How a post file ends its lines. */
enum class LineBreaks {
    CrLf, ///< CR LF pairs throughout, as the editor holds them, or no line break at all
    Lf,   ///< lone LFs throughout, as Linux programs write them
    Cr,   ///< lone CRs throughout
    Mixed ///< more than one kind: the text is held exactly as the file has it
};

/** The kind of line break a file's text holds throughout; a CR that ends
    the text does not count. */
LineBreaks lineBreaksOf(QStringView text);

/** A file's text as the editor holds it: with breaks of one lone kind, every
    break becomes a CR LF pair, so that Enter, the counts and the preview
    treat the lines as lines; any other text stays exactly as it is. */
QString toEditorLineBreaks(const QString &text, LineBreaks breaks);

/** The editor's text as its file holds it: each CR LF pair becomes the
    file's lone break again; lone CRs and LFs typed or pasted in stay. */
QString toFileLineBreaks(const QString &text, LineBreaks breaks);

} // namespace zarvelo
