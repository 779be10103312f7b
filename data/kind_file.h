// Data files of a kind: a 16-byte file-kind header and one top-level section whose data is
// a tag buffer list.
//
//   bytes 0-3   the kind ("SLCD", "SBK ", "CPNL")
//   bytes 4-15  a NUL-terminated version text, then zeros (readers do not look at it)
//   section     labelled by the kind ("SegLcdDatSet", "CalPnlDatSet", a shape book's label)
//
// The segment LCD, shape book and panel files are all written and read through these two
// functions; each file kind shows its own messages for the failures that ReadKindFile
// reports.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

class CGenFile;
class CTagBufLst;

constexpr int kKindHeaderSize = 16;

// Writes the header at position 0, then the section with Num 0 holding the list.
int WriteKindFile(CGenFile& file, const char* kind, const char* version, const char* sectionLabel,
                  const CTagBufLst& list);
// Creates the file (showing "Failed to create '%s' !" when report is set), writes it, and
// commits it only when everything was written.
int SaveKindFile(const std::string& path, const char* kind, const char* version,
                 const char* sectionLabel, const CTagBufLst& list, int report = 1);

enum class EKindRead { Ok, WrongKind, NoSection, BadList };

// From an open file: checks the kind, finds the section (with that Num, when one is
// given) and reads its list into list. version receives the version text.
EKindRead ReadKindFile(CGenFile& file, const char* kind, const char* sectionLabel, CTagBufLst& list,
                       std::string* version = nullptr, std::optional<int32_t> num = std::nullopt);
