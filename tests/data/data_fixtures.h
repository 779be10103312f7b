// Small files and helpers shared by the data tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/gen_file.h"
#include "util/cbuf.h"

class CSbk;
class CSegLcdDatSet;
class CVkbData;

using Bytes = std::vector<uint8_t>;

// The bytes a memory file holds after Close.
Bytes BytesOf(const CGenFile& file);
// A temporary folder removed by the destructor.
class CTempDir {
public:
    CTempDir();
    ~CTempDir();
    std::string Path(const std::string& name) const;
    void Write(const std::string& name, const Bytes& bytes) const;
    Bytes Read(const std::string& name) const;

private:
    std::string m_dir;
};

// A segment LCD set of `layouts` layouts, each with a small type-0 segment picture in which
// segments 0..3 are painted in key colours of their own, and a table of columns x rows.
void MakeSegLcdSet(CSegLcdDatSet& set, int layouts, int columns, int rows);
Bytes SegLcdFileBytes(const CSegLcdDatSet& set);

// A shape book with two pages: "Keys" (a frame rectangle, a key rectangle inside it, an
// ellipse and a triangle polygon) and "Lcd" (one rectangle), page 0 active, a mask image,
// ids and keys.
void MakeShapeBook(CSbk& sbk);
Bytes SbkFileBytes(const CSbk& sbk, const char* label);

// A key panel with a two-page book, three small pictures and a key shape map.
void MakeVkb(CVkbData& vkb);
