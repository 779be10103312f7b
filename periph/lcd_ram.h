// CLCDRam: the display memory of the LCD driver, 4 pages x 98 cells (one cell per driver
// column, holding its 8 segment bits), page-major. Nothing clears it: the cells keep their
// values across the emulator reset.
//
// The CPU reaches it through the LCD data port (WriteCell/ReadCell with page SFR 0x23 & 3 and
// address SFR 0x22). The display reads a page through ReadRow, which applies the display
// control of SFR 0x2E / 0x2F (ApplyDisplayControl) to the copy it hands out.
//
// Threads: the cells are relaxed atomics; the display thread reads them while the emulation
// thread writes, without a lock and without holding the writer up. A page read during a
// rewrite may mix old and new cells; the next refresh shows the new ones.
#pragma once

#include <atomic>
#include <cstdint>

class CLCDRam {
public:
    static constexpr int kPages = 4;
    static constexpr int kColumns = 98;

    CLCDRam() = default;
    CLCDRam(const CLCDRam&) = delete;
    CLCDRam& operator=(const CLCDRam&) = delete;

    // The cell of (page & 3, address); 0 for an address outside 0-97.
    uint32_t ReadCell(int page, int address) const {
        if (unsigned(address) >= unsigned(kColumns)) return 0;
        return m_cells[(page & 3) * kColumns + address].load(std::memory_order_relaxed);
    }
    // Stores the low 8 bits into (page & 3, address); an address outside 0-97 is ignored.
    void WriteCell(int page, int address, uint32_t value) {
        if (unsigned(address) >= unsigned(kColumns)) return;
        m_cells[(page & 3) * kColumns + address].store(value & 0xFF, std::memory_order_relaxed);
    }

    // The display read of a page: for page 0-3 copies its 98 cells into dest (otherwise dest
    // keeps its contents), then applies the display control to dest[0..97]. dest must hold 98
    // values.
    void ReadRow(int page, uint32_t displayControl, uint32_t displayMode, uint32_t* dest) const;

private:
    std::atomic<uint32_t> m_cells[kPages * kColumns] = {};
};

// The display control of SFR 0x2E (control) and 0x2F (mode) on the 98 values of a page:
// blank unless 0x2E bit 5 = 1, bit 6 = 0 and bits 0-1 not both 0; the column window of 0x2F
// bits 7-6; then the row-group masks of 0x2F bits 5 to 0, each on its own page.
void ApplyDisplayControl(int page, uint32_t displayControl, uint32_t displayMode, uint32_t* values);
