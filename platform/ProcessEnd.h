#pragma once
#include <functional>

// Ending the process goes through one function, so that tests can observe it
// (start-up without a connection, "No" to the lost-connection message, closing
// the main window).
struct ProcessEndRequested {
    int code;
};

// Ends the process. With a handler installed the handler runs instead; a test
// handler normally throws ProcessEndRequested, which no error trap catches.
[[noreturn]] void TerminarProceso(int code = 0);
void setProcessEndHandler(std::function<void(int)> handler);
