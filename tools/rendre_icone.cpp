// Renders the game's SVG icon to PNG files at the sizes the desktop's icon theme asks for.
//   rendre_icone <icone.svg> <output folder> <size>...  writes <output folder>/<size>x<size>/corsabord.png
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char** argv) {
    // Run at build time, where there may be no display: the icon has no text, so painting into an
    // image needs no application object.
    if (argc < 4) {
        std::fprintf(stderr, "usage: rendre_icone <icone.svg> <dossier> <taille>...\n");
        return 2;
    }
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid()) {
        std::fprintf(stderr, "rendre_icone: %s illisible\n", argv[1]);
        return 1;
    }
    const QDir sortie(QString::fromLocal8Bit(argv[2]));
    for (int i = 3; i < argc; ++i) {
        const int cote = QByteArray(argv[i]).toInt();
        if (cote <= 0) {
            std::fprintf(stderr, "rendre_icone: taille %s invalide\n", argv[i]);
            return 2;
        }
        QImage image(cote, cote, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        svg.render(&p, QRectF(0, 0, cote, cote));
        p.end();
        const QString dossier = QStringLiteral("%1x%1").arg(cote);
        if (!sortie.mkpath(dossier) ||
            !image.save(sortie.filePath(dossier + QStringLiteral("/corsabord.png")), "PNG")) {
            std::fprintf(stderr, "rendre_icone: impossible d'écrire %s\n",
                         qUtf8Printable(sortie.filePath(dossier)));
            return 1;
        }
    }
    return 0;
}
