; ---------------------------------------------------------------------------------------
; display.s: draws the number in X and the annunciators into the LCD memory, switches the
; display on and off.
;
; LCD memory: page 0 columns 0-9 are the ten digit places, column 0 leftmost (bits 0-6 the
; segments a-g, bit 7 the decimal point right of the digit); page 1 column 0 holds the
; minus sign (bit 0), M (bit 1) and E (bit 2). The LCD address steps up after each write
; (STEPCON bit 2), so a row of digits is a run of writes to LCDDAT.
;
; A number is drawn right-aligned: its integer digits without leading zeros (at least
; "0"), the decimal point after the units digit in every case, then the fraction digits
; asked for, and blanks on the left. The segment patterns come from seg_table through
; table reads.
;
; RAM owned: bank 1 0xE0-0xF3 (DU, the number's twenty digits one per byte: DU[i] is the
; digit worth 10^(i-10)) and common 0x50-0x55.
;   0x50 ds_ann    annunciator bits to show (ANN_M), set by the caller
;   0x51 ds_frac   fraction digits to draw
;   0x52 ds_cnt    loop count
;   0x53 ds_tmp    scratch
;   0x54 ds_seg    segments of the digit being drawn
;   0x55 ds_int    integer digits to draw
; ---------------------------------------------------------------------------------------

DU              equ ram(REG_BANK, 0xE0)

ds_ann          equ 0x50
ds_frac         equ 0x51
ds_cnt          equ 0x52
ds_tmp          equ 0x53
ds_seg          equ 0x54
ds_int          equ 0x55

DISPCON_ON      equ 0x21            ; bit 5 on, bit 6 clear, bits 0-1 not both clear
DISPCON_OFF     equ 0x01            ; bit 5 clear: every segment off
ANN_MINUS       equ 0x01            ; page 1 column 0 bits
ANN_M_BIT       equ 1
ANN_E           equ 0x04
SEG_POINT_BIT   equ 7
SEG_E           equ 0x79            ; segments a, d, e, f, g
FRAC_ALL        equ 0xFF            ; disp_number: every significant fraction digit

; ---- display on, no column window or row group masked
disp_init:
        clr DISPMODE
        ldi DISPCON_ON
        sta DISPCON
        ret

disp_off:
        ldi DISPCON_OFF
        sta DISPCON
        ret

; ---- disp_number: draws X. A = the number of fraction digits to draw (those typed so
; far), or FRAC_ALL for a result: up to its last nonzero fraction digit.
disp_number:
        sta ds_frac
        ldp2 RX                     ; unpack X's digits into DU
        ldp1 DU
        ldi NUM_BYTES
        sta ds_cnt
.unpack:
        mov ds_tmp, IND2
        ldln ds_tmp
        sta IND1
        ldhn ds_tmp
        sta IND1
        djnz ds_cnt, .unpack
        ldi off(RX) + NUM_BYTES - 1
        pcall int_digits
        lda d_n
        jgei 1, .int
        ldi 1                       ; "0."
.int:   sta ds_int
        lda ds_frac
        jeqi FRAC_ALL, .significant
        pjmp .cap
.significant:                       ; the lowest nonzero fraction digit DU[j] makes
        ldi off(DU)                 ; 10 - j digits; none makes 0
        sta PTR0
        ldi DIGITS
        sta ds_frac
.scan:  tst IND0
        jbc STATUS, Z, .cap
        incm PTR0
        djnz ds_frac, .scan
.cap:   lda ds_int                  ; at most 10 - ds_int fraction digits fit
        subi DIGITS
        sta ds_tmp
        lda ds_frac
        jle ds_tmp, .draw
        lda ds_tmp
        sta ds_frac
.draw:  clr LCDPAGE
        clr LCDADR
        lda ds_int
        adda ds_frac
        sta ds_cnt                  ; digits drawn
        subi DIGITS                 ; blanks on the left
        jeqi 0, .digits
        sta ds_tmp
        ldi 0
.blank: sta LCDDAT
        djnz ds_tmp, .blank
.digits:
        ldt seg_table
        lda ds_int                  ; the top digit drawn, worth 10^(ds_int - 1)
        addi off(DU) + DIGITS - 1
        sta PTR0
.digit: lda IND0
        tbla ds_seg
        lda PTR0
        jeqi off(DU) + DIGITS, .point
        pjmp .put
.point: bset ds_seg, SEG_POINT_BIT  ; right of the units digit
.put:   lda ds_seg
        sta LCDDAT
        decm PTR0
        djnz ds_cnt, .digit
        lda ds_ann
        jbc off(RX) + NUM_SIGN, 0, put_ann
        ori ANN_MINUS
; put_ann: A = the bits of page 1 column 0
put_ann:
        sta ds_tmp
        ldi 1
        sta LCDPAGE
        clr LCDADR
        lda ds_tmp
        sta LCDDAT
        ret

; ---- disp_error: E in the rightmost place and the E annunciator
disp_error:
        clr LCDPAGE
        clr LCDADR
        ldi DIGITS - 1
        sta ds_cnt
        ldi 0
.blank: sta LCDDAT
        djnz ds_cnt, .blank
        ldi SEG_E
        sta LCDDAT
        lda ds_ann
        ori ANN_E
        pjmp put_ann

; Segments of the digits 0-9 (bit 0 = a ... bit 6 = g).
seg_table:
        db 0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F
