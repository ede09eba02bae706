#pragma once

#include <QString>

// A folder laid out like an installed game, as far as the editor reads one: the two portrait
// archives below grp/ and an officer file below My Documents/.

inline const QString kSampleMainArchive = QStringLiteral("grp/grpfaces.s10");
inline const QString kSampleAddArchive = QStringLiteral("grp/grpaface.s10");
inline const QString kSampleOfficerFile = QStringLiteral("My Documents/Koei/San10/TPrsn/TPERSON.S10");

struct SampleGameOptions {
    bool additionalArchive = true;
    bool officerFile = true;
};

// Writes the sample game into dir (created when missing; files there are replaced). On failure
// returns false and, when error is given, a message naming the file.
bool MakeSampleGame(const QString& dir, const SampleGameOptions& options = {}, QString* error = nullptr);
