#include "periph/lcd_ram.h"

#include <gtest/gtest.h>

namespace {

TEST(LcdRam, CellsOutsideTheColumnsReadZeroAndIgnoreStores) {
    CLCDRam lcd;
    lcd.WriteCell(1, 97, 0x1AB);
    lcd.WriteCell(1, 98, 0x55);
    lcd.WriteCell(1, -1, 0x55);
    lcd.WriteCell(4, 3, 0x66);  // page 4 is page 0
    EXPECT_EQ(lcd.ReadCell(1, 97), 0xABu);
    EXPECT_EQ(lcd.ReadCell(1, 98), 0u);
    EXPECT_EQ(lcd.ReadCell(0, 3), 0x66u);
    EXPECT_EQ(lcd.ReadCell(2, 97), 0u);
}

struct RowCase {
    const char* what;
    uint32_t control, mode;
    int page;
    // Expected value of column i for a stored value of 0xFF in every cell.
    uint32_t first, middle, last;
};

TEST(LcdRam, DisplayControlOfTheRowRead) {
    const RowCase cases[] = {
        {"plain", 0x21, 0x00, 1, 0xFF, 0xFF, 0xFF},
        {"bits 0-1 both 0", 0x20, 0x00, 1, 0, 0, 0},
        {"bit 5 clear", 0x03, 0x00, 1, 0, 0, 0},
        {"bit 6 set", 0x61, 0x00, 1, 0, 0, 0},
        {"column 0 only", 0x22, 0x40, 2, 0xFF, 0, 0},
        {"column 97 only", 0x22, 0x80, 2, 0, 0, 0xFF},
        {"columns 0 and 97", 0x23, 0xC0, 2, 0xFF, 0, 0xFF},
        {"page 0 bit 5", 0x21, 0x20, 0, 0xFE, 0xFE, 0xFE},
        {"page 0 bits 5 and 0", 0x21, 0x21, 0, 0x00, 0x00, 0x00},
        {"page 0 bit 0", 0x21, 0x09, 0, 0x01, 0x01, 0x01},
        {"page 3 bits 3 and 0", 0x21, 0x09, 3, 0x80, 0x80, 0x80},
        {"page 3 bit 4", 0x21, 0x10, 3, 0x7F, 0x7F, 0x7F},
        {"page 2 bit 2", 0x21, 0x04, 2, 0, 0, 0},
        {"page 1 bit 2 (other page)", 0x21, 0x04, 1, 0xFF, 0xFF, 0xFF},
        {"page 1 bit 1", 0x21, 0x02, 1, 0, 0, 0},
    };
    CLCDRam lcd;
    for (int p = 0; p < 4; ++p)
        for (int i = 0; i < CLCDRam::kColumns; ++i)
            lcd.WriteCell(p, i, 0xFF);
    for (const RowCase& c : cases) {
        uint32_t row[CLCDRam::kColumns];
        lcd.ReadRow(c.page, c.control, c.mode, row);
        EXPECT_EQ(row[0], c.first) << c.what;
        EXPECT_EQ(row[50], c.middle) << c.what;
        EXPECT_EQ(row[97], c.last) << c.what;
    }
}

TEST(LcdRam, RowReadIsAPureCopyOfItsPage) {
    CLCDRam lcd;
    for (int i = 0; i < CLCDRam::kColumns; ++i)
        lcd.WriteCell(2, i, uint32_t(i));
    uint32_t row[CLCDRam::kColumns];
    lcd.ReadRow(2, 0x21, 0x00, row);
    for (int i = 0; i < CLCDRam::kColumns; ++i)
        ASSERT_EQ(row[i], uint32_t(i));
    lcd.ReadRow(2, 0x20, 0x00, row);
    EXPECT_EQ(lcd.ReadCell(2, 40), 40u);  // the blanking acts on the copy only
}

TEST(LcdRam, PageOutsideZeroToThreeKeepsTheDestinationBeforeTheControl) {
    CLCDRam lcd;
    uint32_t row[CLCDRam::kColumns];
    for (uint32_t& v : row)
        v = 0x5A;
    lcd.ReadRow(4, 0x21, 0xC0, row);
    EXPECT_EQ(row[0], 0x5Au);
    EXPECT_EQ(row[1], 0u);  // the column window still applies
    EXPECT_EQ(row[97], 0x5Au);
    lcd.ReadRow(-1, 0x20, 0, row);
    EXPECT_EQ(row[0], 0u);
}

}  // namespace
