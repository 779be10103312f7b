; ---------------------------------------------------------------------------------------
; keyboard.s: the key matrix. Reads which key is held, debounces it, and waits for its
; release; the key interrupt handler.
;
; How a key shows: with KEYCON bit 6 set (every strobe line forced) and port B as input, a
; held key at strobe line s and input line i pulls both PAPIN bit s and PBPIN bit i low,
; at every scan of the matrix (one before each instruction). Letting go gives the strobe
; pin back its latch value (PALAT = 0xFF, so it reads high again); the input pin stays low
; until the firmware writes PBPIN, so kbd_read sets PBPIN to 0xFF and reads it back one
; instruction later. Strobe line s is key row 6 - s; line 7 with input 0 is ON.
;
; Debounce: a key counts when two reads some 200 instructions apart agree; after acting on
; it the main loop waits until every line has read high for RELEASE_POLLS reads in a row,
; and only then re-arms the key interrupt. A key therefore counts once per press, however
; long it is held.
;
; RAM owned: common 0x58-0x5F.
;   0x58 kb_event    set by the key interrupt, cleared by the main loop
;   0x59 kb_code     key code of the last read
;   0x5A kb_first    first of the two debounce reads
;   0x5B kb_line     strobe line of the held key
;   0x5C kb_tmp      scratch
;   0x5D kb_cnt      loop count
;   0x5E kb_bit      bit number found by low_bit
;   0x5F kb_status   STATUS saved by the key interrupt
; ---------------------------------------------------------------------------------------

kb_event        equ 0x58
kb_code         equ 0x59
kb_first        equ 0x5A
kb_line         equ 0x5B
kb_tmp          equ 0x5C
kb_cnt          equ 0x5D
kb_bit          equ 0x5E
kb_status       equ 0x5F

KEYCON_FORCED   equ 0x40            ; every strobe line driven, all key lines armed
KEY_LINE_ON     equ 0x80            ; the ON key's strobe line
KEY_COLUMNS     equ 4
DEBOUNCE_LOOPS  equ 100             ; 2-cycle loop turns between the two reads
RELEASE_POLLS   equ 40              ; reads with every line high that make a release

; ---- set the ports up for reading keys
kbd_init:
        ldi 0xFF
        sta PALAT                   ; a released strobe pin reads high
        clr PBDIR                   ; input lines are inputs
        ldi KEYCON_FORCED
        sta KEYCON                  ; PAPIN <- 0xFF, KEYARM <- 0xFF
        ldi 0xFF
        sta KEYWAKE                 ; every line ends standby
        clr KEYFLG
        clr kb_event
        ret

; ---- key interrupt: a held key pulls an armed line low. Note it and disarm every line
; until the main loop has seen the key released (the request is a level, it would
; otherwise come back at once).
key_isr:
        mov kb_status, STATUS
        clr KEYARM
        clr KEYFLG
        bset kb_event, 0
        mov STATUS, kb_status
        reti

; ---- re-arm the key interrupt
kbd_arm:
        clr KEYFLG
        ldi 0xFF
        sta KEYARM
        ret

; ---- kbd_get: the held key's code in A, or KEY_NONE when there is none or it bounced
kbd_get:
        pcall kbd_read
        jeqi KEY_NONE, .done
        sta kb_first
        ldi DEBOUNCE_LOOPS
        sta kb_cnt
.wait:  djnz kb_cnt, .wait
        pcall kbd_read
        jeq kb_first, .done
        ldi KEY_NONE
.done:  ret

; ---- kbd_read: the code of the key held now (the lowest lines win), or KEY_NONE
kbd_read:
        ldi 0xFF
        sta PBPIN                   ; let go of the input pins
        lda PAPIN                   ; one scan later a held key has pulled both pins low
        xori 0xFF
        jeqi 0, .none
        pcall low_bit
        sta kb_line
        lda PBPIN
        xori 0xFF
        jeqi 0, .none
        pcall low_bit
        jgei KEY_COLUMNS, .none
        sta kb_tmp
        lda kb_line                 ; table index: line * 4 + input
        adda kb_line
        adda ACC
        adda kb_tmp
        ldt key_table
        tbla kb_code
        lda kb_code
        ret
.none:  ldi KEY_NONE
        sta kb_code
        ret

; ---- low_bit: A (not 0) -> the number of its lowest set bit
low_bit:
        sta kb_tmp
        clr kb_bit
.loop:  jbs kb_tmp, 0, .found
        incm kb_bit
        rrcm kb_tmp
        pjmp .loop
.found: lda kb_bit
        ret

; ---- kbd_wait_release: returns once every strobe line has read high RELEASE_POLLS times
; in a row
kbd_wait_release:
        ldi RELEASE_POLLS
        sta kb_cnt
.poll:  lda PAPIN
        jeqi 0xFF, .high
        ldi RELEASE_POLLS           ; still held: count again
        sta kb_cnt
        pjmp .poll
.high:  djnz kb_cnt, .poll
        ret

; Key codes by strobe line (rows 6 up to 0, then ON's line) and input line 0-3.
key_table:
        db 0, KEY_NONE, K_DOT, KEY_NONE             ; line 0: row 6
        db 1, 2, 3, K_EQ                            ; line 1: row 5
        db 4, 5, 6, K_ADD                           ; line 2: row 4
        db 7, 8, 9, K_SUB                           ; line 3: row 3
        db K_PCT, K_NEG, K_DIV, K_MUL               ; line 4: row 2
        db K_MC, K_MR, K_MSUB, K_MADD               ; line 5: row 1
        db KEY_NONE, K_AC, K_C, K_SQRT              ; line 6: row 0
        db K_ON, KEY_NONE, KEY_NONE, KEY_NONE       ; line 7: ON
