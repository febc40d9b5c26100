#pragma once
// What one verifier process may spend. Memory is capped once for the
// process; processor time per run, by moving the soft limit to what has been
// used so far plus the run's allowance. A run over its allowance ends the
// process (SIGXCPU): its lease runs out and the run is tried again, until it
// has had its attempts.

namespace velmora::server {

// 0 leaves memory unlimited (as under AddressSanitizer, which reserves far
// more address space than it uses).
void limitMemory(long megabytes);

// Seconds of processor time for a run of that many steps: a generous
// multiple of what a run costs on a slow machine.
long cpuAllowance(long steps);

void allowCpuSeconds(long seconds);

}  // namespace velmora::server
