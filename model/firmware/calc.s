; ---------------------------------------------------------------------------------------
; calc.s: the calculator: what each key does to the number registers, and which number
; the display shows.
;
; Behaviour: numbers are typed into X, which the display shows. An operator key works the
; pending operation out (Y op X, left to right as a plain pocket calculator does: 1 + 2 x 3
; = gives 9), keeps the result in Y and becomes the pending operation; a second operator
; key in a row only replaces it. = works the pending operation out and keeps its operator
; and right operand (K), so that each further = applies them again to the result. % works
; the pending operation out with X as a percentage of Y. C clears X; AC clears everything
; but the memory; an error (E) ignores every key but AC and ON.
;
; Entry: c_int and c_frac count the integer and fraction digits typed; the number goes
; straight into X's digits (an integer digit shifts the integer part left, a fraction
; digit lands at its own place), so X always holds the value shown. At most DIGITS digit
; places are filled, "0." counting for one.
;
; RAM owned: bank 1 0x80-0xBF (the registers X, Y, K, M, 16 bytes each, 11 used) and
; common 0x60-0x67.
;   0x60 c_flags   CF_* bits below
;   0x61 c_op      pending operation (OP_*)
;   0x62 c_kop     operation that a repeated = applies (OP_NONE: none)
;   0x63 c_int     integer digits typed
;   0x64 c_frac    fraction digits typed
;   0x65 c_key     key being handled
;   0x66 c_cnt     scratch count
;   0x67 c_tmp     scratch
; ---------------------------------------------------------------------------------------

RX              equ ram(REG_BANK, 0x80)     ; display: the entry or the last result
RY              equ ram(REG_BANK, 0x90)     ; left operand of the pending operation
RK              equ ram(REG_BANK, 0xA0)     ; right operand kept for a repeated =
RM              equ ram(REG_BANK, 0xB0)     ; memory

c_flags         equ 0x60
c_op            equ 0x61
c_kop           equ 0x62
c_int           equ 0x63
c_frac          equ 0x64
c_key           equ 0x65
c_cnt           equ 0x66
c_tmp           equ 0x67

CF_ENTRY        equ 0       ; a number is being typed: digits append to X
CF_DOT          equ 1       ; its decimal point has been typed
CF_ERR          equ 2       ; error: E shown, keys but AC/ON ignored
CF_OPKEY        equ 3       ; the last key was an operator

OP_NONE         equ 0
OP_ADD          equ 1       ; operator codes follow the key codes K_ADD..K_DIV
OP_SUB          equ 2
OP_MUL          equ 3
OP_DIV          equ 4

; ---- power-on: everything cleared, the memory too
calc_init:
        ldp1 RM
        ldi NUM_SIZE
        pcall clear_n
; ---- AC (and ON while on): everything but the memory
calc_all_clear:
        ldp1 RX
        ldi RM - RX                 ; X, Y and K
        pcall clear_n
        clr c_flags
        clr c_op
        clr c_kop
        pjmp show_result

; ---- calc_key: act on key code A and redraw the display
calc_key:
        sta c_key
        jeqi K_AC, .dispatch
        jeqi K_ON, .dispatch
        jbc c_flags, CF_ERR, .dispatch
        ret
.dispatch:
        lda c_key
        addm PCL                    ; jump to the table entry of the key
        pjmp k_digit                ; 0
        pjmp k_digit
        pjmp k_digit
        pjmp k_digit
        pjmp k_digit
        pjmp k_digit
        pjmp k_digit
        pjmp k_digit
        pjmp k_digit
        pjmp k_digit                ; 9
        pjmp k_dot
        pjmp k_operator             ; +
        pjmp k_operator             ; -
        pjmp k_operator             ; x
        pjmp k_operator             ; /
        pjmp k_equals
        pjmp k_percent
        pjmp k_sqrt
        pjmp k_negate
        pjmp k_mc
        pjmp k_mr
        pjmp k_msub
        pjmp k_madd
        pjmp k_clear
        pjmp calc_all_clear         ; AC
        pjmp calc_all_clear         ; ON

; ---- entry_begin: a digit or the point starts a new number unless one is being typed
entry_begin:
        bclr c_flags, CF_OPKEY
        jbs c_flags, CF_ENTRY, .done
        ldp1 RX
        ldi NUM_SIZE
        pcall clear_n
        clr c_int
        clr c_frac
        bclr c_flags, CF_DOT
        bset c_flags, CF_ENTRY
.done:  ret

; ---- digits
k_digit:
        pcall entry_begin
        jbs c_flags, CF_DOT, .frac
        lda c_int
        jgei DIGITS, show_entry     ; full
        tst c_key
        jbc STATUS, Z, .int
        tst c_int
        jbs STATUS, Z, show_entry   ; a leading zero adds nothing
.int:   ldp1 RX + UNITS_BYTE        ; integer part times 10 plus the digit: a nibble shift
        ldi NUM_BYTES - UNITS_BYTE  ; of the integer bytes with the digit coming in
        sta c_cnt
        lda c_key
        rep c_cnt
        rld IND1
        incm c_int
        pjmp show_entry
.frac:  lda c_int
        jgei 1, .places
        ldi 1                       ; "0." takes a digit place
.places:
        adda c_frac
        jgei DIGITS, show_entry     ; full
        incm c_frac
        lda c_frac                  ; digit 10 - c_frac is worth 10^-c_frac
        subi DIGITS
        sta c_tmp
        bclr STATUS, C
        rrca c_tmp                  ; its byte
        addi off(RX)
        sta PTR0
        lda c_key
        jbs c_tmp, 0, .high
        stln IND0
        pjmp show_entry
.high:  sthn IND0
        pjmp show_entry

; ---- decimal point
k_dot:
        pcall entry_begin
        bset c_flags, CF_DOT
        pjmp show_entry

; ---- + - x /
k_operator:
        lda c_key
        addi OP_ADD - K_ADD
        sta c_tmp
        jbs c_flags, CF_OPKEY, .set ; replaces the operator just pressed
        lda c_op
        jeqi OP_NONE, .first
        numcopy RA, RY
        numcopy RB, RX
        lda c_op
        pcall do_op                 ; X <- Y op X
        jbs c_flags, CF_ERR, show_result
.first: numcopy RY, RX
.set:   lda c_tmp
        sta c_op
        bset c_flags, CF_OPKEY
        bclr c_flags, CF_ENTRY
        pjmp show_result

; ---- =
k_equals:
        lda c_op
        jeqi OP_NONE, .again
        sta c_kop                   ; = after an operator: keep operator and operand
        numcopy RK, RX
        numcopy RA, RY
        pjmp .work
.again: lda c_kop                   ; = again: apply them to the result
        jeqi OP_NONE, .done
        numcopy RA, RX
.work:  numcopy RB, RK
        lda c_kop
        pcall do_op
        clr c_op
.done:  bclr c_flags, CF_ENTRY
        bclr c_flags, CF_OPKEY
        pjmp show_result

; ---- %: x gives Y * X / 100, / gives Y / X * 100, + and - add or take Y * X / 100 to or
; from Y; with no pending operation X / 100.
k_percent:
        clr d_err
        ldi 1
        sta d_scale                 ; products / 100, quotients * 100
        lda c_op
        jeqi OP_NONE, .alone
        numcopy RA, RY
        numcopy RB, RX
        lda c_op
        jeqi OP_MUL, .mul
        jeqi OP_DIV, .div
        pcall num_mul               ; Y * X / 100, kept to the 10^-10 digit
        numcopy RB, RA
        numcopy RA, RY
        lda c_op
        jeqi OP_SUB, .sub
        pcall num_add
        pjmp .end
.sub:   pcall num_sub
        pjmp .end
.div:   pcall num_div
        pjmp .end
.alone: numcopy RA, RX
        ldp1 RB
        ldi NUM_SIZE
        pcall clear_n
        ldi 0x01                    ; RB <- 1
        sta off(RB) + UNITS_BYTE
.mul:   pcall num_mul
.end:   pcall finish
        clr c_op
        clr c_kop
        bclr c_flags, CF_ENTRY
        bclr c_flags, CF_OPKEY
        pjmp show_result

; ---- square root of the display
k_sqrt:
        clr d_err
        numcopy RA, RX
        pcall num_sqrt
        pcall finish
        bclr c_flags, CF_ENTRY
        bclr c_flags, CF_OPKEY
        pjmp show_result

; ---- +/-: the sign of the entry or of the result; zero keeps no sign
k_negate:
        ldp2 RX
        pcall mag_is_zero
        jbs STATUS, Z, show_current
        btgl off(RX) + NUM_SIGN, 0
        jbs c_flags, CF_ENTRY, show_entry
        bclr c_flags, CF_OPKEY      ; the negated value is a new operand
        pjmp show_result

; ---- memory
k_mc:
        ldp1 RM
        ldi NUM_SIZE
        pcall clear_n
        pjmp show_current

k_mr:
        numcopy RX, RM
        bclr c_flags, CF_ENTRY
        bclr c_flags, CF_OPKEY
        pjmp show_result

k_msub:
        ldi 1
        pjmp mem_update
k_madd:
        ldi 0
; M <- M + X (A = 0) or M - X (A = 1), rounded like any result; an overflow is an error
mem_update:
        sta c_tmp
        clr d_err
        numcopy RA, RM
        numcopy RB, RX
        tst c_tmp
        jbs STATUS, Z, .add
        pcall num_sub
        pjmp .round
.add:   pcall num_add
.round: pcall num_round
        bclr c_flags, CF_ENTRY
        tst d_err
        jbs STATUS, Z, .keep
        bset c_flags, CF_ERR
        clr c_op
        clr c_kop
        pjmp show_result
.keep:  numcopy RM, RA
        pjmp show_result

; ---- C: clears the entry (or the result shown); the pending operation stays
k_clear:
        ldp1 RX
        ldi NUM_SIZE
        pcall clear_n
        bclr c_flags, CF_ENTRY
        bclr c_flags, CF_DOT
        pjmp show_result

; ---- do_op: RA <- RA op RB for operator A, then finish
do_op:
        clr d_err
        clr d_scale
        jeqi OP_ADD, .add
        jeqi OP_SUB, .sub
        jeqi OP_MUL, .mul
        pcall num_div
        pjmp finish
.add:   pcall num_add
        pjmp finish
.sub:   pcall num_sub
        pjmp finish
.mul:   pcall num_mul
; finish: RA rounded to what the display can show becomes X; or, after an error, the
; error state
finish:
        pcall num_round
        tst d_err
        jbs STATUS, Z, .ok
        bset c_flags, CF_ERR
        clr c_op
        clr c_kop
        ret
.ok:    numcopy RX, RA
        ret

; ---- redraw the display: X as typed (show_entry), as a result (show_result: trailing
; fraction zeros dropped) or as the current state says (show_current); E after an error
show_current:
        jbs c_flags, CF_ENTRY, show_entry
show_result:
        ldi 0xFF
        pjmp show
show_entry:
        lda c_frac
show:   sta c_tmp
        clr ds_ann
        ldp2 RM
        pcall mag_is_zero
        jbs STATUS, Z, .ann
        bset ds_ann, ANN_M_BIT      ; memory not zero
.ann:   jbs c_flags, CF_ERR, disp_error
        lda c_tmp
        pjmp disp_number
