// The machine-state dump of orvane-run (--dump-state): one JSON object, keys in this order,
// integers only, the same bytes for the same state.
//
//   sfr          64 ints: bank-0 registers 0x00-0x3F as stored
//   sfr_bank1    27 ints: the bank-1 copies of 0x25-0x3F
//   strobe16     [SFR 0x42, SFR 0x43]
//   common_ram   64 ints
//   banked_ram   32,896 ints: the whole 257 x 128 store by linear index
//   lcd          392 ints, page-major: page * 98 + address
//   lcd_rows     4 lists of 98: the display read of each page (display control applied)
//   pc, run_state, repeat_count, repeat_target, cycle_pos, cycle_count
//   timers       3 objects {counter, prescale, overflow}
//   clock        {main_divider, main_tick, sub_tick, main_counter, sub_counter,
//                 source_select}
//   passes, instructions, cycles (peripheral ticks)
//   stopped      "unknown instruction" or null
//   held_keys    list of [strobe code, input code]
#pragma once

#include <string>

class CIce;
struct RunOutcome;

std::string StateDumpJson(const CIce& ice, const RunOutcome& outcome);
