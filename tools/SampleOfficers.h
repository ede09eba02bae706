#pragma once

#include "officers/OfficerTable.h"

#include <QByteArray>

// The sample officers: a dozen filled slots (officers 650..661) with Chinese names and
// biographies, faces from both archives and relations among themselves; the other slots empty.
// Texts are GBK, as the table holds them.
OfficerTable MakeSampleOfficerTable();

// A whole officer file for that table: random header and unowned bytes, the owned bytes written
// by the program's own record code, and a few bytes after the last record. The code table must
// be loaded.
QByteArray MakeSampleOfficerFile();
