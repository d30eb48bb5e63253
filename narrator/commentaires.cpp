// The narrator's banter: the seven pools of remarks, the draw of one from each, the idle interval.
#include "narrator/commentaires.h"

const QStringList& MemoRate() {
    static const QStringList lignes = {
        QStringLiteral("Encore raté, fiston!"),
        QStringLiteral("Applique toi un peu, moussaillon!"),
        QStringLiteral("Corne de bouc, tu pointes comme un âne!"),
        QStringLiteral("On voit que tu ne payes pas les boulets!"),
        QStringLiteral("Tu gaspilles la poudre, petit!"),
        QStringLiteral("Tu fais des trous dans l'eau!"),
        QStringLiteral("Mais qui m'a donné un pareil manchot!"),
        QStringLiteral("Arrête de trembler, tu rates tout!"),
        QStringLiteral("C'est pas comme ça qu'on les coulera!"),
        QStringLiteral("Par tous les diables, ouvre les yeux!"),
        QStringLiteral("Mais tu fais exprès de viser à côté!"),
        QStringLiteral("Je vais t'envoyer à fond de cale, si tu continues."),
        QStringLiteral("Espèce de bon à rien!"),
        QStringLiteral("Avec mon pied aux fesses, tu viseras mieux!"),
        QStringLiteral("Tu peux te gratter pour ta solde, maladroit!"),
        QStringLiteral("Mon perroquet tire mieux que toi!"),
        QStringLiteral("Il faut viser les bateaux ennemis, pas les poissons!"),
        QStringLiteral("Essaie donc plus à babord, petit."),
        QStringLiteral("Hausse un peu la mire, garçon!"),
        QStringLiteral("A ce rythme, on y sera encore demain!"),
        QStringLiteral("Au pain sec et à l'eau pendant huit jours!"),
        QStringLiteral("Marin d'eau douce! Poltron!"),
        QStringLiteral("On se croirait au club mèd, avec toi!"),
        QStringLiteral("On va pas y passer la journée, quand même!"),
        QStringLiteral("Tu t'es vu quand tu as bu?"),
    };
    return lignes;
}

const QStringList& MemoBut() {
    static const QStringList lignes = {
        QStringLiteral("Bien visé, fiston!"),
        QStringLiteral("T'es un vrai malin, moussaillon!"),
        QStringLiteral("Corne de bouc, c'est bien envoyé!"),
        QStringLiteral("Ils ont gouté nos boulets, mon gars!"),
        QStringLiteral("Voilà qui est tiré!"),
        QStringLiteral("En plein dans le mille!"),
        QStringLiteral("Ils vont regretter d'être nés, ces bandits!"),
        QStringLiteral("Héhé! ça va les calmer un moment!"),
        QStringLiteral("Il a du plomb dans l'aile, le bougre!"),
        QStringLiteral("Finit moi ce chenapan, maintenant!"),
        QStringLiteral("Par neptune, quel beau coup!"),
        QStringLiteral("Mon gaillard, t'es un sacré pointeur!"),
        QStringLiteral("Ils vont bientôt couler bas, sacrebleu!."),
        QStringLiteral("Encore une bonne volée, et ils sont cuits!"),
        QStringLiteral("Et boum! Quel beau spectacle!"),
        QStringLiteral("Ils font moins les fiers, maintenant..."),
        QStringLiteral("Mon garçon, tu finiras amiral, un jour!"),
        QStringLiteral("Il tient encore debout, le bougre!"),
        QStringLiteral("Il encaisse bien les boulets, ce raffiot!"),
        QStringLiteral("Voilà! C'est comme ça qu'il faut s'y prendre!"),
        QStringLiteral("Pas mal du tout, moussaillon..."),
        QStringLiteral("Allez, allez, on le tient!"),
        QStringLiteral("Une pièce d'or pour toi, si tu le termines!"),
        QStringLiteral("Ho! Ho! J'aimerais pas être à leur place!"),
        QStringLiteral("La chance nous sourit, fiston!"),
    };
    return lignes;
}

const QStringList& MemoCoule() {
    static const QStringList lignes = {
        QStringLiteral("On les a coulé, petit!"),
        QStringLiteral("Ils boivent la tasse, moussaillon!"),
        QStringLiteral("Ils sont par le fond, les sapajous!"),
        QStringLiteral("Encore un qui ne nous importunera plus!"),
        QStringLiteral("Il est au diable, le brigand!"),
        QStringLiteral("Plus de souci pour celui là, fiston!"),
        QStringLiteral("La sainte-barbe a explosé!"),
        QStringLiteral("Ils mangent les algues, ces bouffeurs de trésor!"),
        QStringLiteral("Encore un effort, et la victoire est à nous!"),
        QStringLiteral("Ce gredin ne nous fera plus d'ennuis!"),
        QStringLiteral("Bien joué, mon gars, je double ta ration de rhum!"),
        QStringLiteral("Mon gaillard, ils sont cuits!"),
        QStringLiteral("Avec mes compliments, marins d'eau douce!."),
        QStringLiteral("La mer est à nous, ils sont affaiblis!"),
        QStringLiteral("Un bon bain va leur fait du bien, c'est sûr!"),
        QStringLiteral("Les requins vont se régaler..."),
        QStringLiteral("Fallait pas me tirer dessus, parbleu!"),
        QStringLiteral("Plus tard, on parlera de toi, mon gars!"),
        QStringLiteral("Rira bien qui rira le dernier!"),
        QStringLiteral("Ils sont au royaume de posséidon..."),
        QStringLiteral("Trouve moi les autres, petit!"),
    };
    return lignes;
}

const QStringList& MemoErate() {
    static const QStringList lignes = {
        QStringLiteral("Encore raté, sapajous!"),
        QStringLiteral("Ils tirent comme des cloches!"),
        QStringLiteral("Ce ne sont que des artilleurs d'opérette!"),
        QStringLiteral("Ils ne feraient pas de mal à une mouche!"),
        QStringLiteral("Ils visent trop court pour nous avoir!"),
        QStringLiteral("Ils chassent les requins, sans doute!"),
        QStringLiteral("Leur amiral ne vaut pas un clou!"),
        QStringLiteral("Ils ne nous ont toujours pas repérés!"),
        QStringLiteral("Leurs canons crachent de travers!"),
        QStringLiteral("Ils ont trop de boulets, ou quoi?"),
        QStringLiteral("Ma parole! Ils ont trop forcé sur le rhum!"),
        QStringLiteral("Holala! Quel ramassis de bon à rien!"),
        QStringLiteral("Jamais ces forbans ne nous couleront!"),
        QStringLiteral("Et plouf! Ils me font bien rigoler!"),
        QStringLiteral("Ma parole, ils ont mouillé mon chapeau!"),
        QStringLiteral("Par ma barbe, quels abrutis!"),
        QStringLiteral("HA! Ha! Ha! On s'amuse bien, ici!"),
        QStringLiteral("C'était pas loin, parbleu!"),
        QStringLiteral("Ils n'auront bientôt plus de poudre!"),
        QStringLiteral("La fumée leur bouche les yeux!"),
        QStringLiteral("Ils sont trop loin pour viser juste."),
        QStringLiteral("Ce sont vraiment des manches. "), // the blank is the game's own
        QStringLiteral("La peur leur trouble la vue!"),
        QStringLiteral("Ils ont le trouillomètre à zéro!"),
        QStringLiteral("Splash, splash, splash..."),
    };
    return lignes;
}

const QStringList& MemoEbut() {
    static const QStringList lignes = {
        QStringLiteral("C'est pas grave, on flotte encore!"),
        QStringLiteral("Ils nous ont repéré!"),
        QStringLiteral("Saperlipopette! Un bateau tout neuf!"),
        QStringLiteral("Il va falloir réparer les dégats!"),
        QStringLiteral("Ils tirent mieux que toi!"),
        QStringLiteral("Ventre saint gris! Ils nous corrigent!"),
        QStringLiteral("Je crois qu'ils nous en veulent!"),
        QStringLiteral("On peut encore tirer!"),
        QStringLiteral("Mille sabords, ça sent le roussi!"),
        QStringLiteral("A la guerre comme à la guerre!"),
        QStringLiteral("Ce n'est qu'un coup de chance!"),
        QStringLiteral("Canailles! Criminels! Va-nu-pieds!"),
        QStringLiteral("Mais ils cassent tout, ces barbares!."),
        QStringLiteral("Ils ne nous ont pas encore coulé!"),
        QStringLiteral("La peinture est à refaire, je crois."),
        QStringLiteral("Beau baptême du feu, pas vrai, fiston?"),
        QStringLiteral("Hola, ça commence à bien faire!"),
        QStringLiteral("Ils se défendent, les gaillards!"),
        QStringLiteral("L'eau monte dans la cale..."),
        QStringLiteral("Gardons le moral, petit!"),
        QStringLiteral("Un petit coup de balai sur le pont, et tout ira bien!"),
        QStringLiteral("Ils ont l'air très fâchés, ma foi..."),
        QStringLiteral("Ce n'est rien qu'une égratignure sur la coque!"),
        QStringLiteral("Là, ça devient fichtrement sérieux..."),
        QStringLiteral("Il va falloir faire quelque chose..."),
    };
    return lignes;
}

const QStringList& MemoEcoule() {
    static const QStringList lignes = {
        QStringLiteral("Rend leur la politesse, moussaillon!"),
        QStringLiteral("On déguste ferme!"),
        QStringLiteral("Ha! Les vaches!"),
        QStringLiteral("Fait leur payer ça, moussaillon!"),
        QStringLiteral("Que le diable les emporte!"),
        QStringLiteral("Maudits artilleurs!"),
        QStringLiteral("Ils vont le regretter!"),
        QStringLiteral("Courage, il faut tenir bon!"),
        QStringLiteral("Aie aie aie! C'est mal parti!"),
        QStringLiteral("Ils commencent à m'échauffer!"),
        QStringLiteral("Désormais, pas de quartier pour cette vermine!"),
        QStringLiteral("Je l'aimais bien, ce raffiot!"),
        QStringLiteral("Ils veulent m'anéantir, ces pirates!."),
        QStringLiteral("C'est l'enfer, ici!"),
        QStringLiteral("J'avais même pas fini de le payer, ce bateau..."),
        QStringLiteral("On va sérieusement manquer de rhum, petit..."),
        QStringLiteral("On va être moins nombreux à partager le butin..."),
        QStringLiteral("Tu me portes la poisse, petit!"),
        QStringLiteral("Il y avait sans doute un lapin à bord..."),
        QStringLiteral("Hum! Hum! Hum! ça sent le roussi!"),
    };
    return lignes;
}

const QStringList& MemoPaix() {
    static const QStringList lignes = {
        QStringLiteral("Hé, Ho, on s'endort un peu, ici...!"),
        QStringLiteral("Coucou! vous êtes encore là, amiral?"),
        QStringLiteral("Hum, Hum, je dérange pas trop, j'espère..."),
        QStringLiteral("Comment ça va aujourd'hui, amiral?"),
        QStringLiteral("Je m'ennuie quand je suis tout seul."),
        QStringLiteral("Le temps est bien de saison, n'est-ce pas?"),
        QStringLiteral("On se bat, ou on joue aux quilles?"),
        QStringLiteral("Holalalalala, on avance pas bien vite!"),
        QStringLiteral("L'amiral doit faire la sieste, sans doute..."),
        QStringLiteral("C'est le calme plat, aujourd'hui..."),
        QStringLiteral("L'amiral manque de combativité, je crois..."),
        QStringLiteral("L'ennemi va nous manger tout cru..."),
        QStringLiteral("Y'a plus de vent, ou quoi?"),
        QStringLiteral("Il serait temps de chauffer les boulets..."),
        QStringLiteral("On n'est pas prêt à se battre, je vois..."),
        QStringLiteral("Hé, on manque de courage, amiral?"),
        QStringLiteral("On commence quand vous voulez, amiral..."),
        QStringLiteral("Ordonnez control \"D\", pour voir.."),
        QStringLiteral("Ordonnez control \"I\" pour voir..."),
        QStringLiteral("Je vais choisir un autre amiral..."),
        QStringLiteral("La marine n'est plus ce qu'elle était..."),
        QStringLiteral("C'est pas comme ça qu'on va gagner la bataille!"),
        QStringLiteral("Quand vous voulez, on commence le combat..."),
        QStringLiteral("C'est la belle au bois dormant, ici!"),
        QStringLiteral("L'inactivité est la mère de tous les vices..."),
    };
    return lignes;
}

namespace {

QString tirer(Hasard& hasard, const QStringList& lignes) {
    return lignes.at(static_cast<qsizetype>(hasard.tirage(static_cast<quint32>(lignes.size()))));
}

} // namespace

void RandomCom(Hasard& hasard, Commentaires& com) {
    hasard.Randomize();
    com.com_rate = tirer(hasard, MemoRate());
    com.com_but = tirer(hasard, MemoBut());
    com.com_coule = tirer(hasard, MemoCoule());
    com.com_erate = tirer(hasard, MemoErate());
    com.com_ebut = tirer(hasard, MemoEbut());
    com.com_ecoule = tirer(hasard, MemoEcoule());
    com.com_paix = tirer(hasard, MemoPaix());
}

int intervallePaix(Hasard& hasard) {
    return 180000 + static_cast<int>(hasard.tirage(180000));
}
