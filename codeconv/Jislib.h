#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

// The GBK / Shift-JIS pair table and the in-place conversions of zero-terminated texts.
// Row i pairs GbkCodes[i] (lead + 256 * trail) with JisCodes[i] (256 * lead + trail);
// 0 means no code. FindGbk returns the first matching row. FindJis returns the row that pairs
// the character with itself when there is one, else the first matching row.

inline constexpr int kCodeTableRows = 7200;
inline constexpr int kCodeTableBytes = 4 * kCodeTableRows;

// The GBK column's entry for a kanji that has no counterpart: the text "? ".
inline constexpr std::uint16_t kUnshownGbk = 0x3F + 256 * 0x20;

extern std::array<std::uint16_t, kCodeTableRows> GbkCodes;
extern std::array<std::uint16_t, kCodeTableRows> JisCodes;
extern bool CodeTableLoaded;

// Reads the table from the embedded resource once. Returns false if the resource is unusable.
bool LoadCodeTable();

// Fills the table from 28800 bytes laid out as the resource is (for tests and tools).
void LoadCodeTableFrom(const unsigned char* bytes);

std::uint16_t FindJis(std::uint16_t gbk);
std::uint16_t FindGbk(std::uint16_t jis);

// Whether some row holds a GBK character (lead + 256 * trail), so that it can go to the game.
bool MapsToJis(std::uint16_t gbk);

// The GBK characters of a text that no row holds, in order and each once: double-byte
// characters as lead + 256 * trail, a lone lead byte at the end as its byte value.
std::vector<std::uint16_t> UnmappableCharacters(std::string_view gbk);

// How many characters of a Shift-JIS text come into the editor as "? ".
int CountUnshownJis(std::string_view jis);

// The plain scans the indexed lookups must agree with.
std::uint16_t FindJisLinear(std::uint16_t gbk);
std::uint16_t FindGbkLinear(std::uint16_t jis);

// Convert a zero-terminated text in place and return it. Its length never changes.
char* ToJis(char* text);
char* FromJis(char* text);

// Convert the first `length` bytes in place; nothing outside them is read or written.
void ToJis(char* text, std::size_t length);
void FromJis(char* text, std::size_t length);
