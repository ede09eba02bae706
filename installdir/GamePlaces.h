#pragma once

#include "installdir/WinePrefixes.h"
#include "platform/Prompts.h"

#include <QString>
#include <QStringList>

// The folders around the game that the Open dialog and the about box show.
struct GamePlaces {
    QString home;
    QString prefix;      // the Wine prefix the game was found in; empty when none
    QString tprsn;       // that prefix's folder of the officer file; empty when it has none
    QStringList driveCs; // drive_c of every prefix found, the game's first
};

GamePlaces FindGamePlaces(const WineScan& scan, const QString& home);

// The Open dialog starts in the game's TPrsn folder, else in the folder of the file last opened,
// else in the home folder; its sidebar lists the TPrsn folder, the prefixes' drive_c, the home
// folder and the root.
OpenFilePlaces OpenDialogPlaces(const GamePlaces& places, const QString& lastFile);
