// The services the screens talk to the world through: time, boxes, sound and the narrator's character
// (here, the lowest folder that knows all four).
#pragma once

class Dialogues;
class LecteurSons;
class ServiceCompagnon;
class Temps;

struct Services {
    Temps& temps;
    Dialogues& dialogues;
    LecteurSons& sons;
    ServiceCompagnon& compagnon;
};
