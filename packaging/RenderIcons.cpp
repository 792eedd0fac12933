#include "Artwork.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QSvgGenerator>
#include <cstdio>

// Writes Carvel's and Seamer's icons for the desktop's icon theme, drawn by the same code as the
// windows' icons: OUTPUT/hicolor/NxN/apps/ID.png for every size the theme is given and
// OUTPUT/hicolor/scalable/apps/ID.svg. Run at build time; no display is needed.
int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "Usage: %s OUTPUT\n", argv[0]);
        return 2;
    }
    QGuiApplication application(argc, argv);
    const QDir theme(QString::fromLocal8Bit(argv[1]) + QStringLiteral("/hicolor"));
    struct Program {
        carvel::Artwork::ProgramIcon icon;
        const char* id;
        const char* name;
    };
    const Program programs[] = {
        {carvel::Artwork::ProgramIcon::Carvel, "org.carvel.Carvel", "Carvel"},
        {carvel::Artwork::ProgramIcon::Seamer, "org.carvel.Seamer", "Seamer"}};
    const auto fail = [](const QString& path) {
        std::fprintf(stderr, "Cannot write %s\n", qPrintable(path));
        return 1;
    };
    for (const Program& program : programs) {
        for (const int size : {16, 32, 48, 64, 128, 256}) {
            const QString path =
                theme.filePath(QStringLiteral("%1x%1/apps/%2.png").arg(size).arg(program.id));
            if (!QDir().mkpath(QFileInfo(path).path()) ||
                !carvel::Artwork::programIcon(program.icon, size).save(path, "PNG"))
                return fail(path);
        }
        const QString path = theme.filePath(QStringLiteral("scalable/apps/%1.svg").arg(program.id));
        if (!QDir().mkpath(QFileInfo(path).path()))
            return fail(path);
        QSvgGenerator svg;
        svg.setFileName(path);
        svg.setSize(QSize(32, 32));
        svg.setViewBox(QRect(0, 0, 32, 32));
        svg.setTitle(QLatin1String(program.name));
        QPainter painter;
        if (!painter.begin(&svg))
            return fail(path);
        carvel::Artwork::paintProgramIcon(program.icon, painter, 32);
        if (!painter.end())
            return fail(path);
    }
    return 0;
}
