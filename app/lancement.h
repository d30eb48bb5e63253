// What the game settles before the toolkit starts: a screen to show itself on, and the folder of its
// settings when the desktop's menu starts it.
#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include "base/terminal.h"

#include <optional>

// The option the desktop's menu entry passes: the game then keeps Config.txt in the player's
// configuration folder instead of the folder it is started from (the home folder, from a menu).
inline const QString OPTION_MENU = QStringLiteral("--depuis-le-menu");

// What the command line asks for: an end with its status and what to print on standard output and
// standard error (help, version, a refused option), or nothing when the game is to be played.
struct FinImmediate {
    int statut = 0;
    QString sortie;
    QString erreurs;
};
std::optional<FinImmediate> lireLigneDeCommande(const QStringList& arguments);

// The line to print when the game has no screen to show itself on (no display, no Wayland, no
// platform asked for), empty when it may have one.
QString sansEcran(const QStringList& arguments, const QProcessEnvironment& env);

// $XDG_CONFIG_HOME/corsabord, or ~/.config/corsabord when that is unset or not an absolute path.
QString dossierDuMenu(const QProcessEnvironment& env, const QString& maison);

// Before QApplication: answers --help and --version and refuses unknown options; says on standard error
// why the game cannot start (no screen, or the menu's folder cannot be made); in those cases returns the
// status to end with. Otherwise goes to the menu's folder when asked, watches the toolkit's start so that a
// display that does not answer gets the same plain French line, and returns nothing.
std::optional<int> preparerLancement(int argc, char** argv);
// Before QApplication, on X11: repaints handed to the server in the request itself, not through shared
// memory, unless the environment already sets QT_XCB_NO_MITSHM.
void peindreSansAttendreX();
// Once QApplication stands: the toolkit's messages go their usual way again (the game's handler), and
// libwayland's own lines on Wayland go the same way as the toolkit's.
void lancementReussi();

// First thing in main: the player's terminal gets the game's own lines, in French, and not the
// toolkit's or the libraries' (English, for developers) unless VARIABLE_DEBUG is set. A line that
// ends the game (the display gone, a fatal fault) becomes one French line naming the display.
void installerMessagesDuJeu();

// What the player's terminal shows for a message of Qt or a library, empty for nothing. ecran names the
// display ("« :0 »").
QString ligneAuJoueur(QtMsgType type, const QString& message, const QString& ecran);
