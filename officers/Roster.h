#pragma once

#include "OfficerTable.h"

#include <QByteArray>
#include <QStringList>
#include <cstdint>

// The persons the relation fields (Father, Mother, Another, Xiangxing) refer to. A position in
// the relation lists is the person's roster number; the last position is "无" (no person).

inline constexpr int kRosterSize = 861;
inline constexpr int kRosterNone = 860;
inline constexpr int kRosterFirstOfficer = kFirstOfficerNumber; // position 650 + k is slot k

// The 861 entries the relation lists start with, in roster order.
const QStringList& InitialRoster();

// The list position that shows a stored relation value: a person below 860 is itself,
// every other value (65535 for none included) is "无".
int RelationToPosition(std::uint16_t value);

// The value stored for a list position: "无" and no selection (-1) store kNoPerson.
std::uint16_t PositionToRelation(int position);

// "新武将" followed by slot + 1, as GBK bytes: the name of an officer without one.
QByteArray NewOfficerName(int slot);

// The roster name of a slot after a load: Xing then Ming (GBK), or NewOfficerName when both
// are empty. Zi takes no part.
QByteArray RosterName(const OfficerTable& table, int slot);

// The roster name a commit gives the slot: Xing then Ming, empty when both are.
QByteArray CommittedRosterName(const OfficerTable& table, int slot);
