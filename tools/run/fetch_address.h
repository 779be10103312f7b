// Where the next instruction of a pass will be fetched.
//
// The executor scans for interrupts right before each fetch; an accepted interrupt pushes
// the PC and fetches from its vector instead. The trace must show the address that was
// really executed, and after the fact an interrupt into a return instruction can look
// exactly like a jump to itself, so the runner asks before the pass: after the pass's key
// scan and before its run slice.
#pragma once

#include <cstdint>

class CCpu;

// The fetch address of the instruction that the next run slice executes (in run state 1 or
// 2): the PC, or the vector of the interrupt that the executor's scan will accept (the
// timer vector when a timer is accepted, else the key vector when a key line is). It
// assumes, as holds for this machine's clock, that the slice executes on its first machine
// cycle, so the timers step once before the scan.
uint32_t NextFetchAddress(const CCpu& cpu);
