// The services the screens talk to the world through: time, boxes, sound and the narrator's character.
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
