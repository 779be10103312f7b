; ---------------------------------------------------------------------------------------
; tap_counter.s: a test firmware that counts key taps.
;
; It stops (stby) until a held key pulls a strobe line low and wakes it, counts the key in
; common RAM 0x40, waits until every strobe line has read high RELEASE_POLLS times in a row,
; and stops again. It halts (SYSCON bit 1 clear: the stby instruction first sleeps 200 ms)
; and stands by (bit 1 set, timer 1 off: only a key wakes it) by turns, starting with a
; halt. A wake-up without a held key counts nothing. So every tap that the firmware sees
; counts exactly once.
;
; RAM: common 0x40 tap count (wraps at 256), 0x41 poll count.
; ---------------------------------------------------------------------------------------

taps            equ 0x40
polls           equ 0x41

KEYCON_FORCED   equ 0x40            ; every strobe line driven: a held key pulls its pin low
RELEASE_POLLS   equ 40

        org 0
        pjmp start
        org 12
        dw 0x0200                   ; start on the main clock
        org 16

start:
        ldi 0xFF
        sta PALAT                   ; a released strobe pin reads high
        clr PBDIR                   ; input lines are inputs
        ldi KEYCON_FORCED
        sta KEYCON
        ldi 0xFF
        sta KEYWAKE                 ; every strobe line ends the halt
        clr taps
        bclr SYSCON, 1              ; the first stby halts

idle:
        stby
        lda PAPIN
        jeqi 0xFF, idle             ; woken without a key
        incm taps

        ldi RELEASE_POLLS
        sta polls
.poll:  lda PAPIN
        jeqi 0xFF, .high
        ldi RELEASE_POLLS           ; still held: count again
        sta polls
        pjmp .poll
.high:  djnz polls, .poll
        ldi 0x02
        xorm SYSCON                 ; halt and standby by turns
        pjmp idle
