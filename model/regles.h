// The battle's two choices of play: the pace of the exchange and how the enemy aims.
#pragma once

// How long the exchange of fire lets each beat last.
enum class Allure {
    Normale, // the game's own pace: time for each clip and each comment to be heard out
    Vive,    // every delay of the exchange and of the end cut to three tenths
};

// How the enemy aims.
enum class Niveau {
    Classique,     // the enemy as he always was, shot for shot
    Tenace,        // never drops a wounded ship for want of a new draw
    Vraisemblance, // aims where the ships still afloat fit most often, the wounded ship first
};
