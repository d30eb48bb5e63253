// A start-up question to the sound server, on a connection of its own that is closed at once.
#include "audio/serveur_son.h"

#include <QDeadlineTimer>

#include <pulse/context.h>
#include <pulse/error.h>
#include <pulse/mainloop.h>

#include <algorithm>

QString serveurDeSonInjoignable(int attenteMs) {
    pa_mainloop* boucle = pa_mainloop_new();
    pa_context* contexte = pa_context_new(pa_mainloop_get_api(boucle), "Corsabord");
    int erreur = PA_ERR_CONNECTIONREFUSED;
    bool pret = false;
    if (pa_context_connect(contexte, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) >= 0) {
        const QDeadlineTimer limite(attenteMs);
        while (!limite.hasExpired()) {
            const pa_context_state_t etat = pa_context_get_state(contexte);
            if (etat == PA_CONTEXT_READY) {
                pret = true;
                break;
            }
            if (etat == PA_CONTEXT_FAILED || etat == PA_CONTEXT_TERMINATED)
                break;
            // One event at a time, never blocking past the limit.
            pa_mainloop_prepare(boucle,
                                static_cast<int>(std::min<qint64>(limite.remainingTime(), 50)) * 1000);
            pa_mainloop_poll(boucle);
            pa_mainloop_dispatch(boucle);
        }
        if (!pret && pa_context_get_state(contexte) != PA_CONTEXT_FAILED)
            erreur = PA_ERR_TIMEOUT;
        else if (!pret)
            erreur = pa_context_errno(contexte);
    } else {
        erreur = pa_context_errno(contexte);
    }
    pa_context_disconnect(contexte);
    pa_context_unref(contexte);
    pa_mainloop_free(boucle);
    if (pret)
        return QString();
    const QString serveur = qEnvironmentVariable("PULSE_SERVER");
    const QString ou = serveur.isEmpty() ? QString() : QStringLiteral(" à « %1 »").arg(serveur);
    return erreur == PA_ERR_TIMEOUT ? QStringLiteral("le serveur de son%1 ne répond pas").arg(ou)
                                    : QStringLiteral("aucun serveur de son ne répond%1").arg(ou);
}
