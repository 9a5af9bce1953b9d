#pragma once

#include <cstddef>
#include <string_view>

namespace tallyfold {

// What the listing's choice between one enumeration of a folder and one look-up per listed file
// rests on: the cost of each step under Wine, measured on a warm cache. A look-up of one named
// file costs about as much as starting an enumeration; each further entry of an enumeration
// costs a small part of that.
inline constexpr std::size_t LookUpMicroseconds = 190;
inline constexpr std::size_t FolderStartMicroseconds = 160;
inline constexpr std::size_t FolderEntryMicroseconds = 8;
// A folder may have grown since the walk: its enumeration gives up after this many entries per
// catalogued file (plus a margin for subfolders), so that a folder that grew huge costs no more
// than about twice its look-ups.
inline constexpr std::size_t FolderEntriesPerFile = 2;
inline constexpr std::size_t FolderEntryMargin = 64;

// The length of the path's folder part, up to and including its last backslash (0 when it has
// none). The walk catalogues a folder's files one after another, so catalogue entries with the
// same folder part stand next to each other.
[[nodiscard]] std::size_t FolderPartLength(std::wstring_view path) noexcept;

// True when the look-up of this path finds exactly the entry that an enumeration of its folder
// lists under its name: a plain full path whose name holds no wildcard and nothing the path
// rules rewrite (a trailing full stop or blank, a slash, a stream colon).
[[nodiscard]] bool IsAnswerableFromFolder(std::wstring_view path) noexcept;

// True when one enumeration of a folder holding `catalogued` files is cheaper than looking up
// `listed` of them one by one.
[[nodiscard]] bool IsWorthReadingFolder(std::size_t catalogued, std::size_t listed) noexcept;

// How many entries an enumeration of a folder that held `catalogued` files may read before it
// gives up.
[[nodiscard]] std::size_t FolderEntryBudget(std::size_t catalogued) noexcept;

}  // namespace tallyfold
