#!/usr/bin/python3
# What a screen reader finds in the running game over AT-SPI: both battle boards and the harbour's board
# named, the nine berths named with their state, the parrot's balloon text, and after an arrow key the
# new sector on the harbour's board, with the events Orca listens to. Prints the tree; exit 0 when all is there.
#   lecteur_ecran.py  (run by tools/lecteur_ecran.sh, which starts the game and the AT-SPI bus)
import sys
import time

import pyatspi
from gi.repository import GLib

PERSONNAGE_ATTENDU = "amiral"
POSTES = ["Vaisseau amiral", "Frégate", "Brick 1", "Brick 2", "Galère 1", "Galère 2",
          "Chaloupe 1", "Chaloupe 2", "Chaloupe 3"]
fautes = []
evenements = []


def attendre(condition, secondes=20.0):
    fin = time.monotonic() + secondes
    while time.monotonic() < fin:
        while GLib.MainContext.default().iteration(False):
            pass
        resultat = condition()
        if resultat:
            return resultat
        time.sleep(0.05)
    return None


def tous(objet, profondeur=0):
    yield objet, profondeur
    for i in range(objet.childCount):
        enfant = objet.getChildAtIndex(i)
        if enfant is not None:
            yield from tous(enfant, profondeur + 1)


def le_jeu():
    bureau = pyatspi.Registry.getDesktop(0)
    for i in range(bureau.childCount):
        app = bureau.getChildAtIndex(i)
        if app is not None and app.name == "Corsabord":
            noms = {o.name for o, _ in tous(app) if o.getRole() == pyatspi.ROLE_FRAME}
            if "Corsabord — Au port" in noms:
                return app
    return None


def trouver(app, role, nom):
    for o, _ in tous(app):
        if o.getRole() == role and o.name == nom:
            return o
    return None


def verifier(condition, message):
    if not condition:
        fautes.append(message)


app = attendre(le_jeu)
if app is None:
    print("lecteur_ecran: le jeu n'apparaît pas sur le bus d'accessibilité, ou pas au port", file=sys.stderr)
    sys.exit(1)


def bulle():
    for o, _ in tous(app):
        if o.getRole() == pyatspi.ROLE_LABEL and PERSONNAGE_ATTENDU in o.name:
            return o
    return None


def ecouter(evenement):
    evenements.append((evenement.type, evenement.source.name, evenement.source.description))


pyatspi.Registry.registerEventListener(ecouter, "object:property-change:accessible-description",
                                       "object:property-change:accessible-name")

for nom in ("Notre flotte", "Flotte ennemie", "Plan de la flotte"):
    verifier(trouver(app, pyatspi.ROLE_CANVAS, nom) is not None, f"plateau « {nom} » introuvable")
for nom in POSTES:
    poste = trouver(app, pyatspi.ROLE_PUSH_BUTTON, nom)
    verifier(poste is not None and poste.description == "au port", f"poste « {nom} » introuvable ou sans état")
verifier(attendre(bulle) is not None, "texte de la bulle du perroquet introuvable")

# An arrow key on the harbour's board: the pointer over it gives it the keys (no window manager here).
plan = trouver(app, pyatspi.ROLE_CANVAS, "Plan de la flotte")
if plan is not None:
    avant = plan.description
    x, y, l, h = plan.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    pyatspi.Registry.generateMouseEvent(x + l // 2, y + h // 2, pyatspi.MOUSE_ABS)
    pyatspi.Registry.generateMouseEvent(x + l // 2, y + h // 2, "b1c")
    attendre(lambda: plan.getState().contains(pyatspi.STATE_FOCUSED), 5)
    avant = plan.description
    del evenements[:]
    pyatspi.Registry.generateKeyboardEvent(0xFF54, None, pyatspi.KEY_SYM)  # Down
    apres = attendre(lambda: plan.description != avant and plan.description, 5)
    verifier(bool(apres) and " : " in apres, f"le secteur ne suit pas la flèche: « {avant} » puis « {plan.description} »")
    verifier(any(t.endswith("accessible-description") and n == "Plan de la flotte" for t, n, _ in evenements),
             "aucun événement pour le nouveau secteur")
    # The parrot names the new sector ("F.7. ..."), and the balloon says so.
    secteur = (apres or "").split(" : ")[0]
    dit = f"{secteur[:1]}.{secteur[1:]}."
    verifier(attendre(lambda: any(t.endswith("accessible-name") and n.startswith(dit) for t, n, _ in evenements), 5),
             f"aucun événement pour le texte de la bulle qui annonce {dit}")

for objet, profondeur in tous(app):
    if objet.name or objet.description:
        print("  " * profondeur + f"{objet.getRoleName()} « {objet.name} » {objet.description}")
for t, n, d in evenements:
    print(f"événement {t}: « {n} » {d}")
for faute in fautes:
    print("ÉCHEC:", faute, file=sys.stderr)
sys.exit(1 if fautes else 0)
