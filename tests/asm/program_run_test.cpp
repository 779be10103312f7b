// A small program assembled and run on the emulator: loops, calls across segments, banked
// RAM, table reads and moves end in the state the source promises.
#include <gtest/gtest.h>

#include <memory>

#include "core/ice.h"
#include "tools/isa/assembler.h"

namespace {

constexpr const char* kProgram = R"(
; Sums 5 + 4 + ... + 1, doubles it in a subroutine, stores into banked RAM, reads two bytes
; of a table, calls a routine in the upper 64K-word segment, then waits in a loop.
COUNT   equ 5
total   equ 0x40                ; common RAM
counter equ 0x41
cell    equ ram(3, 0x90)        ; bank 3, operand address 0x90

        org 0
        pjmp main
        org 2
        reti                    ; key interrupt
        org 8
        reti                    ; timer interrupt

macro ldt addr                  ; table pointer <- byte address of a word label
        ldtl lo(baddr(addr))
        ldth hi(baddr(addr))
        ldtu up(baddr(addr))
endm

main:   clr total
        ldi COUNT
        sta counter
.loop:  lda counter
        addm total
        djnz counter, .loop
        scall double
        sta 0x42
        bank bank(cell)
        ldi 0x5a
        sta off(cell)
        ldt text
        tbli 0x43
        tbli 0x44
        lcall far
        mov 0x46, ACC
        jeqi 0x77, done
        clr 0x46                ; not reached
done:   pjmp done

double: lda total
        adda total
        ret

text:   db "OK"

        org 0x10000
far:    ldi 0x77
        sta 0x45
        ret
)";

TEST(ProgramRun, AssembledProgramEndsInTheExpectedState) {
    isa::AsmResult r = isa::AssembleText(kProgram, "program.s");
    ASSERT_TRUE(r.ok) << r.errors[0];
    const isa::Symbol* done = r.symbols.Find("done");
    ASSERT_NE(done, nullptr);

    auto ice = std::make_unique<CIce>();
    ice->SetBankCount(64);
    ice->SetVariant();
    ice->Init();
    ice->LoadImage(r.image.data(), r.image.size());
    ice->Reset();
    CCpu& cpu = ice->Cpu();
    int passes = 0;
    while (cpu.Sfr().Pc() != uint32_t(done->value) && passes < 1000) {
        ASSERT_EQ(ice->StepPass(), 1) << "stopped at " << std::hex << cpu.Sfr().Pc();
        ++passes;
    }
    ASSERT_EQ(cpu.Sfr().Pc(), uint32_t(done->value));
    EXPECT_EQ(cpu.CommonRam(0x00), 15u);  // total
    EXPECT_EQ(cpu.CommonRam(0x01), 0u);   // counter ran down
    EXPECT_EQ(cpu.CommonRam(0x02), 30u);  // doubled
    EXPECT_EQ(cpu.BankedCell(3 * 128 + 0x90), 0x5Au);
    EXPECT_EQ(cpu.Sfr().Read(0x02), 3u);  // bank register
    EXPECT_EQ(cpu.CommonRam(0x03), uint32_t('O'));
    EXPECT_EQ(cpu.CommonRam(0x04), uint32_t('K'));
    EXPECT_EQ(cpu.CommonRam(0x05), 0x77u);  // set by the routine in segment 1
    EXPECT_EQ(cpu.CommonRam(0x06), 0x77u);  // mov from A
    EXPECT_EQ(cpu.Sfr().Read(0x0A), 0x77u);
    EXPECT_EQ(cpu.Sfr().Read(0x06), 0u);  // every call returned

    // The wait loop stays put.
    ASSERT_EQ(ice->StepPass(), 1);
    EXPECT_EQ(cpu.Sfr().Pc(), uint32_t(done->value));
}

}  // namespace
