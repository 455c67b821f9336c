#pragma once

#include <QStringView>

namespace zarvelo {

/** What one press of the find window's search button comes to. */
struct FindStep
{
    enum Outcome {
        Skipped, ///< the search text is empty: nothing is sought, nothing said
        Found,
        NotFound, ///< no occurrence at or after the start position
    };
    Outcome outcome = Skipped;
    qsizetype found = 0;     ///< 1-based position of the match; 0 when none
    qsizetype nextStart = 1; ///< where the next press starts; unchanged unless found
};

/** Seeks searchText in post from the 1-based position start, exactly (case
    matters). A match moves the next start just past its end, so matches never
    overlap. Positions are full-width: posts far longer than 32767 characters
    are searched to their end. */
FindStep findStep(QStringView post, QStringView searchText, qsizetype start);

} // namespace zarvelo
