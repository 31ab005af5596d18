#pragma once

// Makes SIGTERM, SIGINT and SIGHUP (logout, kill, Ctrl+C, a closed terminal)
// end the application's event loop as an ordinary quit does, so the program's
// own shutdown runs. The signal handler only writes one byte to a pipe that
// the event loop watches; nothing else happens inside it. A second signal of
// the same kind ends the process at once, as if no handler were installed.
// Call once, after the application object exists, on the GUI thread.
void QuitOnTerminationSignals();
