#ifndef SIGCRASH_H
#define SIGCRASH_H

// Crash-signal handler: appends the signal number and a resolved backtrace to a crash
// log on the Desktop, then ends the process with code 0. Nothing installs it; a build
// that wants crash logs calls signal(SIGSEGV, sig_crash) and the like at start-up.
[[noreturn]] void sig_crash(int signum);

#endif // SIGCRASH_H
