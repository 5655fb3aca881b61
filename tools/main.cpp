// SPDX-License-Identifier: GPL-3.0-or-later
#include "ArtFont.h"
#include "BoardPicture.h"
#include "DocumentIcon.h"
#include "ProgramIcon.h"
#include "ToolGlyphs.h"
#include "WiringDiagram.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QTextStream>

namespace {

using namespace zorvikta::tools;

constexpr int jpegQuality = 92;

bool write(const QDir& root, const QString& relativePath, const QImage& image, int quality,
           QTextStream& errors)
{
    const QString path = root.filePath(relativePath);
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        errors << "cannot create the folder of " << path << Qt::endl;
        return false;
    }
    QImageWriter writer(path);
    writer.setQuality(quality);
    if (!writer.write(image)) {
        errors << "cannot write " << path << ": " << writer.errorString() << Qt::endl;
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream errors(stderr);

    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() != 2) {
        errors << "usage: zorvikta_artgen <resources folder>" << Qt::endl;
        return 2;
    }
    if (const QString missing = ArtFont::missingReason(); !missing.isEmpty()) {
        errors << "zorvikta_artgen: " << missing << Qt::endl;
        return 1;
    }
    if (!QImageWriter::supportedImageFormats().contains("jpeg")) {
        errors << "zorvikta_artgen: Qt's JPEG image plugin is missing" << Qt::endl;
        return 1;
    }

    const QDir root(arguments.at(1));
    bool written = write(root, QStringLiteral("pictures/diagram.jpg"), WiringDiagram::render(),
                         jpegQuality, errors);
    written &= write(root, QStringLiteral("pictures/board.jpg"), BoardPicture::render(),
                     jpegQuality, errors);
    written &=
        write(root, QStringLiteral("icons/zorvikta.png"), ProgramIcon::render(32), -1, errors);
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        written &= write(root, QStringLiteral("icons/hicolor/%1x%1/zorvikta.png").arg(size),
                         ProgramIcon::render(size), -1, errors);
        written &= write(root, QStringLiteral("icons/hicolor/%1x%1/zorvikta-run.png").arg(size),
                         DocumentIcon::render(size), -1, errors);
    }
    for (const ToolGlyphs::Glyph& glyph : ToolGlyphs::all()) {
        written &= write(root, QStringLiteral("glyphs/%1.png").arg(glyph.name),
                         ToolGlyphs::render(glyph), -1, errors);
    }
    return written ? 0 : 1;
}
