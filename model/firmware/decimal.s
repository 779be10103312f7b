; ---------------------------------------------------------------------------------------
; decimal.s: decimal arithmetic on the calculator's numbers, with the decimal add and
; subtract instructions (dadm, dsbm) doing two digits at a time.
;
; A number is eleven bytes of banked RAM:
;   bytes 0-9  twenty packed BCD digits, least significant byte first, the lower digit in
;              the low nibble. Digit i is worth 10^(i-10): byte 0 holds 10^-10 and 10^-9,
;              byte 5 the units (low nibble) and tens, byte 9 10^8 and 10^9;
;   byte 10    the sign: 0 positive, 1 negative. Zero is always positive.
; So a number is a twenty-digit integer N standing for N / 10^10: ten integer digits, the
; most the display shows, and ten fraction digits, one more than it can show (a 10-digit
; display shows at most "0." and nine). The extra digit is the rounding digit.
;
; The routines take their operands in RA and RB and leave the result in RA. They set
; d_err to 1 on an error (a result of 10^10 or more, division by zero, the square root of
; a negative number) and never clear it. num_round rounds RA to what the display shows.
;
; Multiplication: the 40-digit product P of the two 20-digit magnitudes, built from the
; multiplier's top digit down: P <- 10 P + |RA| * digit, each digit being that many
; additions. RA takes P's digits 10-29 (12-31 with d_scale = 1, which divides by 100);
; a nonzero digit above them is an overflow. The digit below the ones kept is exact, so
; the rounding that follows is right.
;
; Division: long division, one quotient digit per dividend digit. The dividend is RA's
; digits from its top nonzero one down, followed by ten zeros (twelve with d_scale = 1,
; which multiplies by 100), so the quotient is RA / RB with ten fraction digits, cut off.
; For each digit: R <- 10 R + digit, then subtract the divisor S from R until it goes
; below zero, add it back once (restoring division); the count of subtractions is the
; quotient digit, shifted in at the bottom of Q. A digit shifted out at Q's top is an
; overflow.
;
; Square root: the digit-by-digit method on RA * 10^10, taking RA's bytes (pairs of
; digits) from the top nonzero one, then five zero bytes. For each pair: R <- 100 R +
; pair, then subtract the odd numbers 20 Q + 1, 20 Q + 3, ... from R while it stays
; positive; their count is the next root digit (since (10 Q + d)^2 - 100 Q^2 is the sum
; of the first d of them). S holds the odd number to try; after a digit, S - 1 is twice
; the root so far, so the next first odd number is 10 (S - 1) + 1.
;
; Rounding: the number of integer digits n decides how many fraction digits fit (10 - n,
; "0." counting as one integer digit). Half a unit of the last digit kept is added, then
; the digits below it are cleared: half up, on the magnitude.
;
; RAM owned: bank 1 0xC0-0xDF (RA, RB), bank 2 0x80-0xCA (P, R, S, Q) and common
; 0x40-0x4C.
; ---------------------------------------------------------------------------------------

RA              equ ram(REG_BANK, 0xC0)     ; operand and result
RB              equ ram(REG_BANK, 0xD0)     ; second operand
WP              equ ram(2, 0x80)            ; product, 20 bytes
WR              equ ram(2, 0xA0)            ; remainder, 11 bytes
WS              equ ram(2, 0xB0)            ; divisor / odd number, 11 bytes
WQ              equ ram(2, 0xC0)            ; quotient / root, 10 bytes
WIDE            equ 11                      ; bytes of R and S

d_cnt           equ 0x40        ; loop counts
d_bi            equ 0x41        ; byte count from the top nonzero byte (top_byte)
d_zb            equ 0x42        ; zero bytes still to bring down
d_cur           equ 0x43        ; byte of digits being brought down
d_q             equ 0x44        ; digit being worked out
d_digit         equ 0x45        ; scratch digit / half unit for the rounding
d_tmp           equ 0x46        ; scratch
d_n             equ 0x47        ; integer digits (int_digits)
d_sign          equ 0x48        ; sign of a product or quotient
d_scale         equ 0x49        ; 1: products / 100, quotients * 100
d_err           equ 0x4A        ; 1 after an error
d_zero          equ 0x4B        ; always 0
d_round         equ 0x4C        ; byte of the rounding digit

; ---- byte strings: pointer 1 = destination, pointer 2 = source, both stepping up

; mag_add: IND1 += IND2 over the ten digit bytes; C = carry out of the top
mag_add:
        ldi NUM_BYTES
; mag_addn: the same over A bytes
mag_addn:
        sta d_cnt
        bclr STATUS, C
.loop:  lda IND2
        dadm IND1
        djnz d_cnt, .loop
        ret

; mag_sub: IND1 -= IND2 over the ten digit bytes; C = 0 when it borrowed (went below 0)
mag_sub:
        ldi NUM_BYTES
mag_subn:
        sta d_cnt
        bset STATUS, C
.loop:  lda IND2
        dsbm IND1
        djnz d_cnt, .loop
        ret

; copy_num: IND1 <- IND2, a whole number; copy_n: A bytes
copy_num:
        ldi NUM_SIZE
copy_n:
        sta d_cnt
        rep d_cnt
        mov IND1, IND2
        ret

; clear_n: A bytes (1-255) from pointer 1 on <- 0
clear_n:
        sta d_cnt
        ldi 0
        rep d_cnt
        sta IND1
        ret

; mag_is_zero: Z = 1 when the ten digit bytes at pointer 2 are all zero
mag_is_zero:
        ldi NUM_BYTES
        sta d_cnt
        ldi 0
        rep d_cnt
        ora IND2
        ret

; top_byte: A = offset of byte 9 of a bank-1 number. Pointer 0 is left on its top nonzero
; byte and d_bi = that byte's index + 1; d_bi = 0 when the number is zero.
top_byte:
        sta PTR0
        ldi NUM_BYTES
        sta d_bi
.loop:  tst IND0
        jbc STATUS, Z, .done
        decm PTR0
        djnz d_bi, .loop
.done:  ret

; int_digits: A = offset of byte 9 of a bank-1 number -> d_n = its integer digits (0-10)
int_digits:
        pcall top_byte
        lda d_bi
        jgei UNITS_BYTE + 1, .some
        clr d_n
        ret
.some:  addi -UNITS_BYTE        ; integer bytes from the top nonzero one
        sta d_n
        adda d_n
        sta d_n                 ; two digits each
        lda IND0
        andi 0xF0
        jbc STATUS, Z, .done
        decm d_n                ; the top byte's high digit is a leading zero
.done:  ret

; fix_sign: zero is positive
fix_sign:
        ldp2 RA
        pcall mag_is_zero
        jbc STATUS, Z, .done
        clr off(RA) + NUM_SIGN
.done:  ret

; neg_ra: |RA| <- 0 - |RA| (the ten's complement of a subtraction that went below zero)
neg_ra:
        ldp1 RA
        ldp2 RA
        ldi NUM_BYTES
        sta d_cnt
        bset STATUS, C
.loop:  lda IND1
        dsba d_zero
        sta IND2
        djnz d_cnt, .loop
        ret

; ---- num_add, num_sub: RA <- RA + RB, RA - RB
num_sub:
        btgl off(RB) + NUM_SIGN, 0
num_add:
        ldp1 RA
        ldp2 RB
        lda off(RA) + NUM_SIGN
        xora off(RB) + NUM_SIGN
        jbc STATUS, Z, .unlike
        pcall mag_add           ; like signs: the magnitudes add
        jbc STATUS, C, .done
        ldi 1
        sta d_err
.done:  pjmp fix_sign
.unlike:
        pcall mag_sub           ; unlike signs: they subtract; RA's sign stands
        jbs STATUS, C, .done
        pcall neg_ra            ; unless |RB| was the larger
        btgl off(RA) + NUM_SIGN, 0
        pjmp fix_sign

; ---- num_round: RA rounded half up to the digits the display shows
num_round:
        ldi off(RA) + NUM_BYTES - 1
        pcall int_digits
        lda d_n
        jgei 1, .kept
        ldi 1
.kept:  addi -1                 ; A = the digit rounded away (one below the last kept)
        sta d_tmp
        bclr STATUS, C
        rrca d_tmp              ; its byte; C = it is a high nibble
        sta d_round
        ldi 0x05
        jbc STATUS, C, .half
        ldi 0x50
.half:  sta d_digit             ; half a unit of the last digit kept
        lda d_round
        addi off(RA)
        sta PTR1
        ldi bank(RA)
        sta BANK1
        lda d_round
        subi NUM_BYTES
        sta d_cnt               ; bytes from there to the top
        lda d_digit
        bclr STATUS, C
.add:   dadm IND1
        ldi 0
        djnz d_cnt, .add
        jbc STATUS, C, .cut
        ldi 1
        sta d_err               ; rounded up to 10^10
.cut:   ldp1 RA                 ; clear the digits below the last kept
        lda d_round
        jeqi 0, .part
        pcall clear_n
.part:  lda d_digit
        jeqi 0x50, .whole
        ldi 0xF0
        andm IND1               ; the last kept digit shares the byte
        pjmp fix_sign
.whole: clr IND1
        pjmp fix_sign

; ---- num_mul: RA <- RA * RB (/ 100 with d_scale = 1)
num_mul:
        lda off(RA) + NUM_SIGN
        xora off(RB) + NUM_SIGN
        sta d_sign
        ldp1 WP
        ldi 2 * NUM_BYTES
        pcall clear_n
        ldi off(RB) + NUM_BYTES - 1
        pcall top_byte
        lda d_bi
        jeqi 0, .take
.byte:  lda IND0                ; multiplier digits, top down
        sta d_cur
        ldhn d_cur
        pcall .digit
        ldln d_cur
        pcall .digit
        decm PTR0
        djnz d_bi, .byte
.take:  lda d_scale             ; RA <- P digits 10-29 (12-31)
        addi off(WP) + 5
        sta PTR2
        ldi bank(WP)
        sta BANK2
        ldp1 RA
        ldi NUM_BYTES
        pcall copy_n
        lda d_scale             ; the bytes above must be zero
        subi 5
        sta d_cnt
        ldi 0
        rep d_cnt
        ora IND2
        jbs STATUS, Z, .sign
        ldi 1
        sta d_err
.sign:  lda d_sign
        sta off(RA) + NUM_SIGN
        pjmp fix_sign
; P <- 10 P + |RA| * A
.digit: sta d_q
        ldp1 WP
        ldi 2 * NUM_BYTES
        sta d_cnt
        ldi 0
        rep d_cnt
        rld IND1
        lda d_q
        jeqi 0, .none
.add:   ldp1 WP
        ldp2 RA
        pcall mag_add
        ldi NUM_BYTES           ; carry on through P's upper half
        sta d_cnt
        ldi 0
        rep d_cnt
        dadm IND1
        djnz d_q, .add
.none:  ret

; ---- num_div: RA <- RA / RB (* 100 with d_scale = 1); RB = 0 is an error
num_div:
        ldp2 RB
        pcall mag_is_zero
        jbc STATUS, Z, .go
        ldi 1
        sta d_err
        ret
.go:    lda off(RA) + NUM_SIGN
        xora off(RB) + NUM_SIGN
        sta d_sign
        ldp2 RB                 ; S <- |RB|, one zero byte on top
        ldp1 WS
        ldi NUM_BYTES
        pcall copy_n
        clr IND1
        ldp1 WR                 ; R <- 0
        ldi WIDE
        pcall clear_n
        ldp1 WQ                 ; Q <- 0
        ldi NUM_BYTES
        pcall clear_n
        lda d_scale             ; zero bytes after RA's digits
        addi 5
        sta d_zb
        ldi off(RA) + NUM_BYTES - 1
        pcall top_byte
        lda d_bi
        jeqi 0, .take
.abyte: lda IND0
        pcall .pair
        decm PTR0
        djnz d_bi, .abyte
.zbyte: ldi 0
        pcall .pair
        djnz d_zb, .zbyte
.take:  ldp2 WQ
        ldp1 RA
        ldi NUM_BYTES
        pcall copy_n
        lda d_sign
        sta off(RA) + NUM_SIGN
        pjmp fix_sign
; two dividend digits (A, packed), the high one first
.pair:  sta d_cur
        ldhn d_cur
        pcall .digit
        ldln d_cur
; one quotient digit: R <- 10 R + A; subtract S while R stays >= 0; Q <- 10 Q + count
.digit: sta d_digit
        ldp1 WR
        ldi WIDE
        sta d_cnt
        lda d_digit
        rep d_cnt
        rld IND1
        clr d_q
.try:   ldp1 WR
        ldp2 WS
        ldi WIDE
        pcall mag_subn
        jbc STATUS, C, .back
        incm d_q
        pjmp .try
.back:  ldp1 WR                 ; one too many: add it back
        ldp2 WS
        ldi WIDE
        pcall mag_addn
        ldp1 WQ
        ldi NUM_BYTES
        sta d_cnt
        lda d_q
        rep d_cnt
        rld IND1
        andi 0x0F               ; the digit pushed out of Q's top
        jbs STATUS, Z, .done
        ldi 1
        sta d_err
.done:  ret

; ---- num_sqrt: RA <- square root of RA; a negative RA is an error
num_sqrt:
        lda off(RA) + NUM_SIGN
        jeqi 0, .go
        ldi 1
        sta d_err
        ret
.go:    ldp1 WR                 ; R <- 0, S <- 1, Q <- 0
        ldi WIDE
        pcall clear_n
        ldp1 WS
        ldi WIDE
        pcall clear_n
        ldp1 WS
        incm IND1
        ldp1 WQ
        ldi NUM_BYTES
        pcall clear_n
        ldi 5                   ; RA * 10^10: five zero pairs after RA's own
        sta d_zb
        ldi off(RA) + NUM_BYTES - 1
        pcall top_byte
        lda d_bi
        jeqi 0, .take
.abyte: lda IND0
        pcall .pair
        decm PTR0
        djnz d_bi, .abyte
.zbyte: ldi 0
        pcall .pair
        djnz d_zb, .zbyte
.take:  ldp2 WQ
        ldp1 RA
        ldi NUM_BYTES
        pcall copy_n
        ret
; one root digit from the next pair of digits (A, packed)
.pair:  sta d_cur
        ldp1 WR                 ; R <- 100 R + pair: two nibble shifts
        ldi WIDE
        sta d_cnt
        ldhn d_cur
        rep d_cnt
        rld IND1
        ldp1 WR
        ldln d_cur
        rep d_cnt
        rld IND1
        ldp1 WS                 ; S <- 10 (S - 1) + 1 (S is odd)
        decm IND1
        ldp1 WS
        ldi 0
        rep d_cnt
        rld IND1
        ldp1 WS
        incm IND1
        clr d_q
.try:   ldp1 WR
        ldp2 WS
        ldi WIDE
        pcall mag_subn
        jbc STATUS, C, .back
        incm d_q
        ldp1 WS                 ; S <- S + 2
        ldi NUM_BYTES
        sta d_cnt
        ldi 2
        bclr STATUS, C
        dadm IND1
        ldi 0
        rep d_cnt
        dadm IND1
        pjmp .try
.back:  ldp1 WR                 ; one too many: add it back
        ldp2 WS
        ldi WIDE
        pcall mag_addn
        ldp1 WQ                 ; Q <- 10 Q + digit
        ldi NUM_BYTES
        sta d_cnt
        lda d_q
        rep d_cnt
        rld IND1
        ret
