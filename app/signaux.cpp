// The system's requests to end, read in the event loop.
#include "app/signaux.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <unistd.h>

namespace {
constexpr std::array SIGNAUX{SIGTERM, SIGINT, SIGHUP};
// The handler may do nothing but write a byte: the event loop reads it.
int tube[2] = {-1, -1};

void recu(int signal) {
    const int erreur = errno;
    const char octet = static_cast<char>(signal);
    [[maybe_unused]] const ssize_t ecrit = ::write(tube[1], &octet, 1);
    errno = erreur;
}
} // namespace

FinParSignal::FinParSignal(QObject* parent)
    : QObject(parent) {
    if (::pipe2(tube, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    avis_ = new QSocketNotifier(tube[0], QSocketNotifier::Read, this);
    connect(avis_, &QSocketNotifier::activated, this, [this] {
        char octet = 0;
        while (::read(tube[0], &octet, 1) == 1)
            Q_EMIT finDemandee(octet);
    });
    struct sigaction action {};
    action.sa_handler = recu;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int s : SIGNAUX) {
        // A signal the game was started to ignore (nohup, a background job's Ctrl+C) stays ignored.
        struct sigaction avant {};
        if (::sigaction(s, nullptr, &avant) == 0 && avant.sa_handler == SIG_IGN)
            continue;
        ::sigaction(s, &action, nullptr);
    }
}

FinParSignal::~FinParSignal() {
    if (!avis_)
        return;
    for (const int s : SIGNAUX) {
        struct sigaction avant {};
        if (::sigaction(s, nullptr, &avant) == 0 && avant.sa_handler == recu)
            std::signal(s, SIG_DFL);
    }
    delete avis_;
    ::close(tube[0]);
    ::close(tube[1]);
    tube[0] = tube[1] = -1;
}
