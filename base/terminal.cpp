// The game's own lines for the player's terminal.
#include "base/terminal.h"

#include <cstdio>

void direAuTerminal(const QString& ligne) {
    std::fprintf(stderr, "%s\n", qUtf8Printable(ligne));
    std::fflush(stderr);
}

bool messagesDeDebug() {
    static const bool debug = [] {
        const QByteArray v = qgetenv(VARIABLE_DEBUG.toLatin1().constData());
        return !v.isEmpty() && v != "0";
    }();
    return debug;
}
