// The game's named pictures, fetched whatever the case of the name.
#pragma once

#include <QIcon>
#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>

class QPainter;

// True for a name of the catalogue, whatever its case ("fregateH" finds "FREGATEH").
bool bitmapExiste(const QString& nom);

// Natural size in design pixels; invalid if the name is unknown.
QSize tailleBitmap(const QString& nom);

// The picture rendered at its natural size times echelle, opaque on the sea colour; cached.
// A null image for an unknown name.
QImage bitmap(const QString& nom, qreal echelle = 1.0);

// Draws the picture opaque with its top-left at design position pos, under the painter's current
// transform, rendered sharp at that transform's scale.
void dessinerBitmap(QPainter& p, const QString& nom, QPoint pos);

// Lets go of every rendered picture (the game's end).
void viderCacheBitmaps();

// Every name, upper case.
QStringList catalogue();

// The window icon, at the usual icon sizes.
QIcon iconeJeu();
