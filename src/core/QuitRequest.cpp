#include "core/QuitRequest.hpp"

#include <csignal>
#include <initializer_list>

namespace {

volatile std::sig_atomic_t quitSignal = 0;

void onQuitSignal(int signal)
{
    quitSignal = signal;
}

} // namespace

void QuitRequest::installSignalHandlers()
{
    struct sigaction action {};
    action.sa_handler = onQuitSignal;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGTERM, SIGINT})
        sigaction(signal, &action, nullptr);
}

bool QuitRequest::pending()
{
    return quitSignal != 0;
}

void QuitRequest::clear()
{
    quitSignal = 0;
}
