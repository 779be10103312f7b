; ---------------------------------------------------------------------------------------
; main.s: the demo calculator's firmware. Reset and interrupt vectors, the start-up, the
; main loop and the power management; the other modules are included at the end.
;
; The main loop sleeps whenever it has nothing to do: it stands by with timer 1 running
; (the stby instruction with SYSCON bit 1 set). A key wakes it and raises the key
; interrupt, whose handler only notes the event; the loop then reads the key, hands it to
; the calculator and waits for its release. Timer 1 wakes it about every 5 seconds through
; the timer interrupt, which counts the wake-ups; after POWER_OFF_SECONDS without a key the
; loop switches the display off and halts (stby with SYSCON bit 1 clear) with only the ON
; line able to wake it. ON then switches it on as AC does: the entry, the pending operation
; and any error are gone, the memory is kept (as a pocket calculator keeps it).
;
; RAM owned: common 0x70-0x72.
;   0x70 idle_ticks   timer-1 wake-ups since the last key (saturates at 255)
;   0x71 tm_status    STATUS saved by the timer interrupt
;   0x72 clr_count    loop count of the RAM clear at start-up
; ---------------------------------------------------------------------------------------
        include "defs.inc"

idle_ticks      equ 0x70
tm_status       equ 0x71
clr_count       equ 0x72

        org 0
        pjmp reset
        org 2
        pjmp key_isr            ; key lines
        org 8
        pjmp timer_isr          ; timers
        org 12
        dw CONFIG_WORD
        org 16

; ---- start-up at reset: everything cleared, the memory too
reset:
        bclr SYSCON, SYS_IE
        bset SYSCON, SYS_MAIN_CLOCK
        bset SYSCON, SYS_STANDBY_T1
        ldi STEP_DEFAULT
        sta STEPCON
        bank REG_BANK
        ; common RAM 0x40-0x7F through pointer 0
        ldi 0x40
        sta PTR0
.common:
        clr IND0
        incm PTR0
        jbc PTR0, 7, .common
        ; banks 1 and 2: 256 cells through pointer 1, which steps from bank 1 into bank 2
        ldp1 ram(1, 0x80)
        clr clr_count           ; a repeat count of 0 runs 256 times
        ldi 0
        rep clr_count
        sta IND1
        clr T1CON
        ldi T1_RELOAD
        sta T1RL
        pcall calc_init         ; clears the memory too
; ---- switched on: at reset and when ON wakes the switched-off calculator
switch_on:
        clr idle_ticks
        pcall disp_init
        pcall kbd_init
        pcall calc_all_clear    ; shows 0. (and M while the memory holds a number)
        pcall kbd_wait_release  ; ON may still be held
        pcall kbd_arm
        bset SYSCON, SYS_IE

; ---- main loop
main_loop:
        tst kb_event
        jbc STATUS, Z, .key
        lda idle_ticks
        jgei POWER_OFF_TICKS, power_off
        clr T1CON               ; stopped, so that starting it reloads the count
        ldi T1_STANDBY
        sta T1CON
        stby                    ; until a key or the next timer-1 overflow
        clr T1CON               ; awake: timer 1 would count every cycle while we run
        pjmp main_loop
.key:   clr kb_event
        pcall kbd_get
        jeqi KEY_NONE, .up      ; a bounce or a key let go at once
        clr idle_ticks
        pcall calc_key
.up:    pcall kbd_wait_release
        pcall kbd_arm
        pjmp main_loop

; ---- auto power-off: display off, halt until ON, then switch on again
power_off:
        clr T1CON
        clr KEYARM              ; no key interrupt while off
        ldi KEY_LINE_ON
        sta KEYWAKE             ; only ON wakes the CPU
        pcall disp_off
        bclr SYSCON, SYS_STANDBY_T1
        stby                    ; halt
        bclr SYSCON, SYS_IE
        bset SYSCON, SYS_STANDBY_T1
        pjmp switch_on

; ---- timer interrupt: a timer-1 overflow has woken the CPU from standby
timer_isr:
        mov tm_status, STATUS
        bclr TMRFLG, 1
        incm idle_ticks
        jbc STATUS, Z, .done
        decm idle_ticks         ; stays at 255
.done:  mov STATUS, tm_status
        reti

        include "keyboard.s"
        include "calc.s"
        include "display.s"
        include "decimal.s"
