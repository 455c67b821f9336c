// The draft reader takes any bytes: it never crashes, and a draft it reads
// as sound writes back to the very same bytes, so no file it accepts can
// come back altered.
#include "drafts/draftstore.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const zarvelo::Draft draft = zarvelo::decodeDraft(bytes);
    if (draft.damaged && !draft.text.isEmpty())
        std::abort(); // a damaged draft never hands out a text
    if (draft.damaged)
        return 0;
    const zarvelo::Draft again = zarvelo::decodeDraft(
        zarvelo::encodeDraft(draft.saved, draft.fileName, draft.text, draft.run, draft.unsaved));
    if (again.damaged || again.text != draft.text || again.fileName != draft.fileName
        || again.saved != draft.saved || again.run != draft.run || again.unsaved != draft.unsaved)
        std::abort();
    return 0;
}
