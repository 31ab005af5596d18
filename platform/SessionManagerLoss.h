#pragma once

// Makes a broken connection to the session manager (it died or was killed)
// end the application's event loop as an ordinary quit does, so the
// program's own shutdown runs. Without this, libICE's default handler of the
// broken connection calls exit() at once, and the device is never told the
// program left. Call once, after the application object exists, on the GUI
// thread.
void QuitOnSessionManagerLoss();
